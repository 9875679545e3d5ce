#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds the programs (Release, for /usr,
# without the tests) in build-package/, runs cpack there and prints the path of the package it
# leaves there, build-package/tessaline_<version>-<release>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages
# dpkg-shlibdeps (dpkg-dev) reads the package's dependencies off the binaries, which cpack
# first picks out with file.
ensure_these_packages dpkg-dev file

folder=build-package
scripts/build.sh "$folder" -DCMAKE_INSTALL_PREFIX=/usr -DTESSALINE_TESTS=OFF
# A package left by an earlier version would be taken for this one.
rm -f "$folder"/tessaline_*.deb
(cd "$folder" && cpack -G DEB)
package=$(find "$PWD/$folder" -maxdepth 1 -name 'tessaline_*.deb')
[ -n "$package" ] || { echo "package.sh: cpack left no package in $folder/" >&2; exit 1; }
echo "$package"

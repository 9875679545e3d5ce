#!/usr/bin/env bash
# Builds the Qt-free part of the tree for arm64 in build-arm64/ with the cross compiler, runs its
# test suites there under QEMU's user-mode emulator, and checks that the arm64 tessaline-split
# cuts the benchmark text into the very bytes the amd64 one does, in GBK, UTF-8 and UTF-16LE,
# by lines and by size. Installs what is missing; exits non-zero on any failure or difference.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
# googletest is GoogleTest's source, built here for arm64: Debian has no arm64 build of it that
# installs beside the amd64 one. The host's libsimde-dev serves both, being headers only.
ensure_these_packages cmake ninja-build g++ python3 libsimde-dev googletest \
  g++-aarch64-linux-gnu qemu-user-static

folder=build-arm64
toolchain=$PWD/cmake/aarch64-linux-gnu.cmake
emulator=(qemu-aarch64-static -L /usr/aarch64-linux-gnu)
jobs=$(nproc)
started=$SECONDS
lap() { echo "cross-arm64: $1 after $((SECONDS - started)) s"; }

# GoogleTest, with the same compiler, into a prefix of the build folder.
gtest=$PWD/$folder/googletest
cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest/prefix" -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
cmake --build "$gtest/build" -j"$jobs"
cmake --install "$gtest/build" >/dev/null
lap "GoogleTest built"

# GTest_DIR names the package directly: the toolchain looks for packages in the arm64 root
# only, and the host's /usr/lib/x86_64-linux-gnu/cmake/GTest must not be taken instead.
scripts/build.sh "$folder" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTESSALINE_WINDOW=OFF \
  -DGTest_DIR="$gtest/prefix/lib/cmake/GTest"
# The toolchain takes effect only where a folder is first configured: a build-arm64/ made
# without it would build and test amd64 programs and prove nothing.
aarch64-linux-gnu-readelf -h "$folder/tessaline-split" | grep -q 'Machine:.*AArch64' || {
  echo "cross-arm64: $folder/tessaline-split is not an arm64 program" >&2
  exit 1
}
lap "arm64 tree built"

# Tests that cannot pass under the emulator, whatever the code does, are left out here by name.
# These two give the program about 100 MB of address space (ulimit -v) to prove that it splits
# in flat memory; QEMU alone asks for 128 MiB for its translated code before the program's first
# instruction ("allocate 134217728 bytes for jit buffer: Cannot allocate memory"), and exits 1.
qemu_only='^Cli\.(StopsInsideAnEndlessLineInFlatMemoryLeavingNoPiece|SplitsALineLargerThanItsMemoryLimit)$'
(cd "$folder" && ctest --output-on-failure --timeout 300 -j"$jobs" -E "$qemu_only")
lap "arm64 tests passed"

# The amd64 program to compare with: build/'s, brought up to date, where test.sh made one;
# otherwise one of its own, without tests or window.
if [ -f build/build.ninja ]; then
  cmake --build build -j"$jobs" --target tessaline-split
  host=build/tessaline-split
else
  scripts/build.sh build-host -DTESSALINE_WINDOW=OFF -DTESSALINE_TESTS=OFF
  host=build-host/tessaline-split
fi
lap "amd64 program built"

work=$folder/compare
rm -rf "$work"
mkdir -p "$work"
bench/make-text "$work/gbk.txt" 8
iconv -f GB18030 -t utf-8 "$work/gbk.txt" >"$work/utf8.txt"
iconv -f GB18030 -t utf-16le "$work/gbk.txt" >"$work/utf16le.txt"
failed=0
for text in gbk utf8 utf16le; do
  for mode in "--lines 3000" "--size 100"; do
    name="$text-${mode#--}"
    name=${name// /-}
    # shellcheck disable=SC2086  # the mode is an option and its value
    "$host" --quiet $mode "$work/$text.txt" "$work/amd64/$name"
    # shellcheck disable=SC2086
    "${emulator[@]}" "$folder/tessaline-split" --quiet $mode "$work/$text.txt" "$work/arm64/$name"
    pieces=$(find "$work/amd64/$name" -type f | wc -l)
    # A single piece would compare the trimming alone, not where the pieces are cut.
    if [ "$pieces" -lt 2 ]; then
      echo "cross-arm64: $name: the amd64 program made $pieces pieces" >&2
      failed=1
    elif diff -r "$work/amd64/$name" "$work/arm64/$name" >/dev/null; then
      echo "cross-arm64: $name: $pieces pieces, identical on arm64"
    else
      echo "cross-arm64: $name: the arm64 pieces differ from the amd64 ones:" >&2
      diff -rq "$work/amd64/$name" "$work/arm64/$name" >&2 || true
      failed=1
    fi
  done
done
lap "pieces compared"
exit "$failed"

#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: its control fields, the files it
# installs and their formats, as the desktop's validators and man read them, and the installed
# tessaline-split at work. scripts/check-package.sh [PACKAGE]; by default the package in
# build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_these_packages desktop-file-utils appstream groff-base man-db

fail() {
  echo "check-package.sh: $*" >&2
  exit 1
}

default_package() {
  local found
  found=$(find build-package -maxdepth 1 -name 'tessaline_*.deb')
  [ -n "$found" ] || fail "no package in build-package/; scripts/package.sh makes it"
  echo "$found"
}

package="${1:-$(default_package)}"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"

check_control_fields() {
  dpkg-deb -I "$package"
  local depends
  depends=$(dpkg-deb -f "$package" Depends)
  # The window's Qt library shows that the dependencies were read off both programs.
  [[ "$depends" == *libqt6widgets6* ]] || fail "Depends lacks the Qt widgets library: '$depends'"
}

check_files_present() {
  local file
  for file in usr/bin/tessaline usr/bin/tessaline-split \
      usr/share/applications/tessaline.desktop \
      usr/share/metainfo/example.corvel.Tessaline.metainfo.xml \
      usr/share/icons/hicolor/{16x16,24x24,32x32,48x48}/apps/tessaline.png \
      usr/share/man/man1/tessaline.1.gz usr/share/man/man1/tessaline-split.1.gz; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
  done
  echo "All expected files are in the package."
}

# Runs a command, and fails when it fails or prints anything on stderr.
run_without_complaint() {
  local complaint
  complaint=$("$@" 2>&1 >/dev/null) || fail "$* failed: $complaint"
  [ -z "$complaint" ] || fail "$* complained: $complaint"
}

check_desktop_entry() {
  local entry="$root/usr/share/applications/tessaline.desktop" findings
  findings=$(desktop-file-validate "$entry") || fail "desktop-file-validate: $findings"
  [ -z "$findings" ] || fail "desktop-file-validate: $findings"
  echo "desktop-file-validate: tessaline.desktop passes."
}

check_metainfo() {
  # validate-tree reads the metainfo with the desktop entry and icons that it names.
  appstreamcli validate-tree --no-net "$root"
}

format_with_groff() {
  zcat "$1" | groff -ww -man -T"$2"
}

check_man_pages() {
  local page device
  for page in "$root"/usr/share/man/man1/*.1.gz; do
    # The C locale's man formats for ascii, a UTF-8 one for utf8; both must format cleanly.
    for device in utf8 ascii; do
      run_without_complaint format_with_groff "$page" "$device"
    done
    run_without_complaint env LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page"
    lexgrog "$page"
  done
}

check_split() {
  local work version upstream
  work=$(mktemp -d -p "$root")
  version=$("$root/usr/bin/tessaline-split" --version)
  echo "$version"
  upstream=$(dpkg-deb -f "$package" Version)
  [ "$version" = "tessaline-split ${upstream%-*}" ] || fail "tessaline-split --version does not give the package's version"
  printf '  one\n\ntwo  \r\nthree\r   \n four\nfive' >"$work/book.txt"
  "$root/usr/bin/tessaline-split" --lines 2 --quiet "$work/book.txt" "$work/pieces"
  printf 'one\r\ntwo\r\n' >"$work/expected1"
  printf 'three\r\nfour\r\n' >"$work/expected2"
  printf 'five\r\n' >"$work/expected3"
  [ "$(ls "$work/pieces")" = "$(printf 'book1.txt\nbook2.txt\nbook3.txt')" ] ||
    fail "the split made other pieces: $(ls "$work/pieces" | tr '\n' ' ')"
  local n
  for n in 1 2 3; do
    cmp "$work/expected$n" "$work/pieces/book$n.txt" || fail "book$n.txt differs from what the split must write"
  done
  echo "The installed tessaline-split split a file into the three expected pieces."
}

check_control_fields
check_files_present
check_desktop_entry
check_metainfo
check_man_pages
check_split

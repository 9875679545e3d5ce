#!/usr/bin/env bash
# Installs, through apt-get, the Debian packages that the build, the tests and the window need
# and that this machine lacks. Sourced by run.sh and test.sh, which call ensure_packages; run on
# its own it does that itself. Scripts that need more (the packaging ones) name it to
# ensure_these_packages.
tessaline_packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libsimde-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  fonts-wqy-microhei
  xvfb xauth
)

ensure_these_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  # sudo starts apt-get with a clean environment; env puts the setting back on the far side.
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
  [ "$(id -u)" -ne 0 ] && apt=(sudo "${apt[@]}")
  "${apt[@]}" update -qq
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

ensure_packages() {
  ensure_these_packages "${tessaline_packages[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  ensure_packages
fi

#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages
scripts/build.sh
cd build
# A test that hangs fails after five minutes instead of holding the run for good.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@"

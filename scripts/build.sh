#!/usr/bin/env bash
# Configures and builds the tree with Ninja: scripts/build.sh [FOLDER [CMAKE-OPTION...]].
# FOLDER is build/ unless given, and the build type Release unless an option sets another.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-build}"
shift $(($# > 0 ? 1 : 0))
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$folder" -j"$(nproc)"

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window. Without a display it says how to
# start it on a virtual one instead.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "  On a machine without a desktop, start it on a virtual display:" >&2
    echo "    xvfb-run -a ./build/tessaline" >&2
    echo "  or look at it as a picture: QT_QPA_PLATFORM=offscreen ./build/tessaline-render window.png" >&2
    exit 1
fi
exec ./build/tessaline

#!/usr/bin/env bash
# Sets up what is missing, builds Brightwell and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
brightwell_setup

cmake --preset default >/dev/null
cmake --build --preset default --target brightwell

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Brightwell is built (build/default/brightwell), but no display is available to show its window." >&2
    exit 2
fi
exec build/default/brightwell

#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test headless: once in a build with
# warnings as errors, once in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
# and then the Windows store and shell, cross-compiled and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
brightwell_setup "${brightwell_test_packages[@]}"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for preset in default sanitize windows; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset tests"
    ctest --preset "$preset" -j "$jobs"
done

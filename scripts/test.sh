#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test headless: once in a build with
# warnings as errors, once in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
# and then the whole program for Windows, cross-compiled, tested under Wine and packaged
# (scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
brightwell_setup "${brightwell_test_packages[@]}"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset tests"
    ctest --preset "$preset" -j "$jobs"
done

bash scripts/windows.sh

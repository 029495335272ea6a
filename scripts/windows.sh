#!/usr/bin/env bash
# Builds Brightwell for Windows and proves it under Wine, in one command:
#   1. Qt for Windows, from the cache or built from Debian's source (scripts/qt-windows.sh);
#   2. the program and every test as Windows programs (the windows preset, mingw-w64);
#   3. the test suite under Wine, the window tests under Xvfb, and what a Windows user
#      downloads, which the suite makes and installs:
#        build/windows/packages/brightwell-<version>-win64.zip
#        build/windows/packages/brightwell-<version>-win64-setup.exe
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
brightwell_setup "${brightwell_windows_packages[@]}"

began=$SECONDS
BRIGHTWELL_QT_WINDOWS=$(bash scripts/qt-windows.sh)
export BRIGHTWELL_QT_WINDOWS
echo "== Qt for Windows: $BRIGHTWELL_QT_WINDOWS ($((SECONDS - began)) s)"

jobs=$(nproc)
echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
echo "== windows tests (under Wine)"
ctest --preset windows -j "$jobs"
echo "== What a Windows user downloads"
ls -l build/windows/packages/*.zip build/windows/packages/*.exe
echo "== Windows build and tests done in $((SECONDS - began)) s"

#!/usr/bin/env bash
# Renders the Windows program's windows into docs/windows-*.png as Qt's Windows platform draws
# them under Wine on an X server (after scripts/windows.sh has built build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$PWD/build/windows/bin
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The program draws its text with Qt's FreeType engine under Wine (src/app/main.cpp).
export QT_QPA_PLATFORM=windows:fontengine=freetype BRIGHTWELL_WINE_DISPLAY=1 BRIGHTWELL_SCREENSHOT_DIR="Z:$out"
wine=(bash tests/windows/wine.sh "$PWD/build/windows/wineprefix")
"${wine[@]}" boot
for program in app_screenshots_test app_about_window_test app_purchase_window_test; do
    xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24 -nolisten tcp -noreset' \
        "${wine[@]}" run "$bin/$program.exe" >/dev/null
done
for picture in "$out"/*.png; do
    cp "$picture" "docs/windows-$(basename "$picture")"
done
ls docs/windows-*.png

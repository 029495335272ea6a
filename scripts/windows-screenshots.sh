#!/usr/bin/env bash
# Renders the Windows program's windows into docs/windows-*.png as Qt's Windows platform draws
# them under Wine on an X server (after scripts/windows.sh has built build/windows), then sits
# a test in the real program, with keys only, under a window manager, and keeps the screen as
# it stood at each step in docs/windows-screen-*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
brightwell_setup "${brightwell_windows_packages[@]}" openbox netpbm
bin=$PWD/build/windows/bin
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The program draws its text with Qt's FreeType engine under Wine (src/app/main.cpp); its test
# programs are told to, through the QT_* settings that wine.sh qt hands over.
export QT_QPA_PLATFORM=windows:fontengine=freetype BRIGHTWELL_WINE_DISPLAY=1 BRIGHTWELL_SCREENSHOT_DIR="Z:$out"
wine=(bash "$PWD/tests/windows/wine.sh" "$PWD/build/windows/wineprefix")
"${wine[@]}" boot
for program in app_screenshots_test app_about_window_test app_purchase_window_test; do
    xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24 -nolisten tcp -noreset' \
        "${wine[@]}" qt "$bin/$program.exe" >/dev/null
done

# The screen is read from the X server's own frame buffer (-fbdir), not asked of the server:
# under Wine, an X server asked for the screen's pixels answers black wherever one of Wine's
# windows lies over another, though that window shows (and holds) its pixels.
unset QT_QPA_PLATFORM BRIGHTWELL_SCREENSHOT_DIR
mkdir "$out/screen"
cat >"$out/sit.sh" <<'SIT'
set -euo pipefail
out=$1 wine=("${@:2}")
snap() {
    # The window has been shown; give it its first paint, then keep the frame buffer.
    xdotool sleep 1.5
    xwdtopnm "$out/screen/Xvfb_screen0" 2>/dev/null | pnmtopng >"$out/screen-$1.png"
}
"${wine[@]}" run brightwell.exe &
timeout 60 xdotool search --sync --onlyvisible --name '^Brightwell V4\.38$' >/dev/null
snap startup
xdotool key --clearmodifiers alt+s b alt+f
timeout 60 xdotool search --sync --onlyvisible --name '^Brightwell$' >/dev/null
snap question
xdotool key Return
timeout 60 xdotool search --sync --onlyvisible --name '^Test Result$' >/dev/null
snap result
xdotool key Return
while xdotool search --onlyvisible --name '^Test Result$' >/dev/null; do xdotool sleep 0.1; done
snap review
/usr/lib/wine/wineserver -k
wait || true  # the program ends when its prefix is shut down
SIT
(cd "$bin" && timeout 300 xvfb-run --auto-servernum \
    --server-args="-screen 0 1024x768x24 -nolisten tcp -noreset -fbdir $out/screen" \
    bash "$OLDPWD/tests/app/with_window_manager.sh" bash "$out/sit.sh" "$out" "${wine[@]}") || true
[ -f "$out/screen-review.png" ] || { echo "the test was not sat to the end on the screen" >&2; exit 1; }

for picture in "$out"/*.png; do
    cp "$picture" "docs/windows-$(basename "$picture")"
done
ls docs/windows-*.png

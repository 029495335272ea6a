#!/usr/bin/env bash
# Runs Brightwell under a real X server with a stand-in browser that records every address it
# is asked to open, clicks every link of the program, and prints what was opened.
# A check by hand, not a test: it waits on the banner's timing.
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" scripts/check_links_under_x.sh build/default/brightwell
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/home/.config" "$work/bin"
cat > "$work/bin/browser" <<SCRIPT
#!/bin/sh
echo "\$1" >> "$work/opened"
SCRIPT
chmod +x "$work/bin/browser"
touch "$work/opened"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" BROWSER="$work/bin/browser" DEFAULT_BROWSER="$work/bin/browser"
# Without xdg-open on the PATH Qt starts $BROWSER itself; with it, xdg-open falls back to $BROWSER.
"$program" 2>"$work/stderr" &
pid=$!

wait_for() { local deadline=$((SECONDS + $1)); shift; until "$@"; do [ "$SECONDS" -lt "$deadline" ] || return 1; sleep 0.05; done; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window_named "$1")" ]; }
opened() { wc -l < "$work/opened"; }
opened_at_least() { [ "$(opened)" -ge "$1" ]; }

wait_for 20 shown "Brightwell V4.38"
main=$(window_named "Brightwell V4.38")
eval "$(xdotool getwindowgeometry --shell "$main")"
mx=$X; my=$Y; menu=$((HEIGHT - 501))
click_twips() { # window-x window-y left top width height (twips), clicks the centre
    xdotool mousemove --sync $(( $1 + ($3 + $5 / 2) / 15 )) $(( $2 + ($4 + $6 / 2) / 15 )) click 1
}
main_click() { click_twips "$mx" "$((my + menu))" "$@"; }

# The picture link, before the banner box first covers it (4 s after start).
main_click 480 6480 3900 720; wait_for 5 opened_at_least 1
# Info Center.
main_click 8040 120 1095 495; wait_for 5 opened_at_least 2
# The banner box and, once risen, its slogan line: click until each has opened a page.
until [ "$(opened)" -ge 3 ]; do main_click 8000 6400 1500 200; sleep 0.2; [ "$SECONDS" -lt 30 ] || exit 1; done
sleep 1.3 # the slogan rises for nine ticks of 128 ms
main_click 600 6360 2000 975; wait_for 5 opened_at_least 4
# Purchase CD, then GO.
main_click 9240 120 1095 495
wait_for 10 shown "Purchase a CD"
eval "$(xdotool getwindowgeometry --shell "$(window_named "Purchase a CD")")"
click_twips "$X" "$Y" 1440 1920 1455 615; wait_for 5 opened_at_least 5
xdotool key Escape
wait_for 5 shown "Brightwell V4.38"
# About (from the menu): More Info and the address.
xdotool windowfocus --sync "$main"; xdotool key alt+a; sleep 0.3; xdotool key o
wait_for 10 shown "About"
eval "$(xdotool getwindowgeometry --shell "$(window_named "About")")"
click_twips "$X" "$Y" 1320 3960 1575 495; wait_for 5 opened_at_least 6
click_twips "$X" "$Y" 6000 2280 2775 615; wait_for 5 opened_at_least 7
xdotool key Escape
cat "$work/opened"

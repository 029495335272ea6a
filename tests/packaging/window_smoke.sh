#!/usr/bin/env bash
# Runs inside an X server (xvfb-run): starts PROGRAM with a scratch home, waits for its main
# window CAPTION, checks the window's class against CLASS (the desktop entry's
# StartupWMClass), closes it from its own About > Exit menu and expects a clean exit: status 0
# and nothing on standard error.
# Usage: window_smoke.sh PROGRAM WORK_DIR CAPTION CLASS
set -euo pipefail
program=$1 work=$2 caption=$3 class=$4

mkdir -p "$work/home/.config" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$program" >"$work/stdout" 2>"$work/stderr" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

show_output() {
    echo "-- standard error:" >&2
    cat "$work/stderr" >&2
}

# Polls a condition (a command) until it holds; gives up after SECONDS or when the program ends.
wait_for() { # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
}

caption_pattern="^$(sed 's/[].[^$*+?(){}|\\]/\\&/g' <<<"$caption")\$"
window=
window_shown() {
    window=$(xdotool search --onlyvisible --name "$caption_pattern" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
if ! wait_for 30 window_shown; then
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: no window named '$caption' appeared within 30 s" >&2
    else
        status=0
        wait "$pid" || status=$?
        echo "FAIL: the program ended with status $status before its window '$caption' appeared" >&2
    fi
    show_output
    exit 1
fi
echo "window '$caption' is $window"

if [ -n "$class" ] && ! xdotool search --class "^$class\$" | grep -qx "$window"; then
    echo "FAIL: the window's class is not '$class' (the desktop entry's StartupWMClass)" >&2
    exit 1
fi

visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
menu_open() { [ "$(visible_windows)" -gt 1 ]; }
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+a
if ! wait_for 10 menu_open; then
    echo "FAIL: Alt+A did not open the About menu" >&2
    show_output
    exit 1
fi
xdotool key --clearmodifiers x

if ! timeout 20 tail --pid="$pid" -f /dev/null; then
    echo "FAIL: the program did not end within 20 s of About > Exit" >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
trap - EXIT
if [ "$status" -ne 0 ]; then
    echo "FAIL: the program exited with status $status" >&2
    show_output
    exit 1
fi
if [ -s "$work/stderr" ]; then
    echo "FAIL: the program wrote to standard error" >&2
    show_output
    exit 1
fi
echo "the program opened its window and closed cleanly"

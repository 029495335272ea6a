#!/usr/bin/env bash
# Runs a program as a native Wayland client of a headless compositor started for it alone, with
# no X server to fall back on: sway (which takes keys from wtype, draws the windows' frames
# itself and focuses a window that asks to be activated) or weston (where Qt draws its own
# title bars, with minimise and maximise buttons). Both draw in software; no GPU is needed.
# Exits with the program's status.
# Usage: with_wayland.sh sway|weston PROGRAM [ARGUMENT...]
set -uo pipefail
compositor=$1
shift
scratch=$(mktemp -d)
server=
keyboard=
cleanup() {
    local process
    for process in $keyboard $server; do
        kill "$process" 2>/dev/null
        wait "$process" 2>/dev/null
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
run="$scratch/run"
mkdir -m 700 "$run" "$scratch/client"
# The compositor says it is ready through this pipe, once its output is there.
ready="$scratch/ready"
mkfifo -m 622 "$ready"
exec 3<>"$ready"

case "$compositor" in
sway)
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
        # sway refuses to run as root: it runs as nobody, and the program still connects to it.
        chmod 711 "$scratch"
        chown nobody "$run"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    cat >"$scratch/sway.conf" <<EOF
xwayland disable
output HEADLESS-1 mode 1280x1024
# A window that asks to be activated gets the keyboard, as under i3's default.
focus_on_window_activation smart
exec echo ready >$ready
EOF
    XDG_RUNTIME_DIR="$run" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        HOME="$run" "${as_user[@]}" sway --config "$scratch/sway.conf" >"$scratch/compositor.log" 2>&1 &
    server=$!
    ;;
weston)
    printf '#!/bin/sh\necho ready >%s\n' "$ready" >"$scratch/ready.sh"
    chmod +x "$scratch/ready.sh"
    cat >"$scratch/weston.ini" <<EOF
[core]
idle-time=0
[shell]
panel-position=none
[autolaunch]
path=$scratch/ready.sh
EOF
    XDG_RUNTIME_DIR="$run" weston --debug --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
        --socket=wayland-brightwell --config="$scratch/weston.ini" >"$scratch/compositor.log" 2>&1 &
    server=$!
    ;;
*)
    echo "unknown compositor: $compositor" >&2
    exit 2
    ;;
esac

# A loaded machine takes its time; a compositor that died says so at once.
if ! read -r -t 180 -u 3 _ || ! kill -0 "$server" 2>/dev/null; then
    echo "$compositor did not start:"
    cat "$scratch/compositor.log"
    exit 1
fi
socket=$(find "$run" -maxdepth 1 -type s -name 'wayland-*' -print -quit)
if [ -z "$socket" ]; then
    echo "$compositor made no Wayland socket"
    exit 1
fi
export WAYLAND_DISPLAY="$socket" XDG_RUNTIME_DIR="$scratch/client" QT_QPA_PLATFORM=wayland
export BRIGHTWELL_COMPOSITOR="$compositor"
if [ "$compositor" = sway ]; then
    # Tests type their keys through sway's virtual keyboard (tests/support/key_typist.h). A
    # headless sway has no keyboard of its own: one wtype holds a virtual keyboard for the whole
    # run, without which the seat would have a keyboard only while a key is being typed, and the
    # program would learn of it after the key.
    SWAYSOCK=$(find "$run" -maxdepth 1 -type s -name 'sway-ipc.*' -print -quit)
    export SWAYSOCK BRIGHTWELL_KEY_TYPIST=wtype
    wtype -s 1000000000 &
    keyboard=$!
fi
# Nothing to fall back on: no X display, and the compositors run no X server.
unset DISPLAY
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- what $compositor said:"
    tail -n 40 "$scratch/compositor.log"
fi
echo "under $compositor: $status"
exit "$status"

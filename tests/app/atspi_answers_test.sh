#!/usr/bin/env bash
# Starts Brightwell under a real X server with the desktop's accessibility bus, then chooses
# answers and unticks the review box through the bus (tests/app/atspi_answers.py).
# With "fr" it is started on a French desktop, and sits the test in French.
# Run inside a Wayland compositor (with_wayland.sh sway), with no X display, it is started as a
# native Wayland client, and the compositor is asked whether it is one.
# Usage: atspi_answers_test.sh PROGRAM [fr]  (run inside xvfb-run or with_wayland.sh, and dbus-run-session)
set -euo pipefail
program=$1
language=${2:-en}
here=$(cd "$(dirname "$0")" && pwd)
export BRIGHTWELL_SOURCE_DIR=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
cleanup() {
    kill "${pid:-}" "${bus:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config" "$work/home"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "no accessibility bus launcher at $launcher"; exit 1; }
"$launcher" --launch-immediately 2>"$work/bus.log" &
bus=$!
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
platform=xcb
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ]; then
    platform=wayland
fi
export QT_QPA_PLATFORM=$platform QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 BROWSER=/bin/false BRIGHTWELL_TEST_LANGUAGE=$language
if [ "$language" = fr ]; then
    export LANGUAGE=fr LANG=fr_CA.UTF-8
else
    export LANGUAGE=en LANG=C.UTF-8
fi
# Debian's python3 with its pyatspi, whatever python3 comes first on the PATH.
status=0
"$program" 2>"$work/program.log" &
pid=$!
timeout 300 /usr/bin/python3 "$here/atspi_answers.py" || status=$?
# Under sway, its own account of the program's windows: drawn by a native Wayland client
# (xdg_shell), not one through Xwayland.
if [ "$status" -eq 0 ] && [ -n "${SWAYSOCK:-}" ]; then
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def views(node):
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from views(child)
    if node.get("pid") == int(sys.argv[1]):
        yield node
shells = [view.get("shell") for view in views(json.load(sys.stdin))]
print("the program'"'"'s windows under sway:", shells)
sys.exit(0 if shells and all(shell == "xdg_shell" for shell in shells) else 1)
' "$pid" || status=$?
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
# Once more with every question in the history, to read the whole bank through Redo.
if [ "$status" -eq 0 ]; then
    printf '[aaa]\nredo=%s\n' "$(printf '1%.0s' $(seq 165))" >"$work/config/Lumbra.conf"
    "$program" 2>"$work/program.log" &
    pid=$!
    BRIGHTWELL_ATSPI_PART=bank timeout 300 /usr/bin/python3 "$here/atspi_answers.py" || status=$?
fi
if [ "$status" -ne 0 ]; then
    echo "--- what the program said:"; cat "$work/program.log"
fi
exit "$status"

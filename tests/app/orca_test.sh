#!/usr/bin/env bash
# Sits a test with the Orca screen reader, keys only, and checks what Orca spoke
# (tests/app/orca_reads_a_test.py, which starts Orca and the program). Starts what a desktop
# has first: the accessibility bus and the speech server (speech-dispatcher with espeak-ng, its
# sound sent to ALSA's null device, so that no sound card is needed), on a desktop in the
# language given.
# Usage: orca_test.sh PROGRAM en|fr  (run inside xvfb-run, dbus-run-session and a window manager)
set -euo pipefail
program=$1
language=${2:-en}
here=$(cd "$(dirname "$0")" && pwd)
export BRIGHTWELL_SOURCE_DIR=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    # One that does not end on the signal is killed.
    for pid in "${pids[@]}"; do
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime/speech-dispatcher" \
    "$work/speech/modules" "$work/speech-log"
chmod 700 "$work/runtime"
# Nothing of the user's: settings, Orca's preferences, the speech server's socket.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
# The program on the X server, as a desktop starts it (the suite may run with Qt's offscreen
# platform, which no screen reader can read).
export XDG_RUNTIME_DIR="$work/runtime" BROWSER=/bin/false QT_QPA_PLATFORM=xcb
if [ "$language" = fr ]; then
    export LANGUAGE=fr LANG=fr_CA.UTF-8
else
    export LANGUAGE=en LANG=C.UTF-8
fi
export BRIGHTWELL_TEST_LANGUAGE=$language BRIGHTWELL_WORK="$work"

launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "no accessibility bus launcher at $launcher"; exit 1; }
"$launcher" --launch-immediately 2>"$work/bus.log" &
pids+=($!)

# The speech server, on the socket where Orca looks for it.
cat >"$work/speech/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
EOF
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$work/speech/modules/"
socket="$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
LC_ALL=C.UTF-8 speech-dispatcher --run-single --timeout 0 --communication-method unix_socket --socket-path "$socket" \
    --config-dir "$work/speech" --log-dir "$work/speech-log" >"$work/speech.out" 2>&1 &
pids+=($!)
# Orca starts the speech server itself when it finds none: it waits for this one.
for _ in $(seq 1200); do
    [ -S "$socket" ] && break
    kill -0 "${pids[-1]}" 2>/dev/null || { echo "the speech server did not start:"; cat "$work/speech.out"; exit 1; }
    sleep 0.1
done
[ -S "$socket" ] || { echo "the speech server opened no socket in two minutes"; exit 1; }

status=0
timeout 600 /usr/bin/python3 "$here/orca_reads_a_test.py" "$program" || status=$?
if [ "$status" -ne 0 ] || [ -n "${BRIGHTWELL_ORCA_SPEECH:-}" ]; then
    echo "--- what the program said:"; cat "$work/program.log" 2>/dev/null || true
    echo "--- what Orca wrote besides its log:"; tail -n 20 "$work/orca.out" 2>/dev/null || true
    echo "--- the speech server:"; tail -n 20 "$work/speech-log/speech-dispatcher.log" 2>/dev/null || true
    echo "--- Orca's log: $(wc -l <"$work/orca.log") lines, its speech:"
    grep -a "SPEECH OUTPUT" "$work/orca.log" | cut -c1-200 | tail -n 60 || true
fi
exit "$status"

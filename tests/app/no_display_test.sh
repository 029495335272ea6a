#!/usr/bin/env bash
# Starts the program where it has no display to show its window on, or with a language it does
# not speak, and expects one line on standard error that says so, in the user's language,
# nothing on standard output, nothing stored, and exit status 2.
# Usage: no_display_test.sh PROGRAM
set -uo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch"
chmod 700 "$scratch"

failed=0
# Each case: its name, the words the line must hold, then the environment it runs in; the
# program's arguments are in args.
args=()
check() { # name words env...
    local name=$1 words=$2
    shift 2
    local status=0
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 "$@" \
        timeout 30 "$program" "${args[@]}" >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
    local lines
    lines=$(wc -l <"$scratch/err")
    if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || [ -s "$scratch/out" ] || ! grep -q "$words" "$scratch/err" \
        || [ -e "$scratch/config/Lumbra.conf" ]; then
        echo "FAIL: $name: status $status, $lines line(s) on standard error:" >&2
        cat "$scratch/err" >&2
        failed=1
    else
        echo "PASS: $name: $(cat "$scratch/err")"
    fi
}

check "no display set" "no display" 
# A display number no X server answers on, and a Wayland socket that is not there.
check "an X display that cannot be reached" "cannot open the display :9917" DISPLAY=:9917
check "an X display that cannot be reached, the platform named" "cannot open the display :9917" \
    DISPLAY=:9917 QT_QPA_PLATFORM=xcb
check "no display, in French" "aucun écran" LANGUAGE=fr LANG=fr_CA.UTF-8

# A language the program does not speak, whatever the display: the accepted values are named.
args=(--language xx)
check "--language xx" 'takes en or fr, not "xx"' QT_QPA_PLATFORM=offscreen
check "--language xx, in French" 'accepte en ou fr, pas' QT_QPA_PLATFORM=offscreen LANGUAGE=fr LANG=fr_CA.UTF-8
args=(--language=EN)
check "--language=EN" 'not "EN"' QT_QPA_PLATFORM=offscreen
args=(--language)
check "--language with no value" "takes en or fr" QT_QPA_PLATFORM=offscreen
exit "$failed"

#!/usr/bin/env bash
# Starts the program where it has no display to show its window on, or with a command line it
# answers without one: --help and --version, said on standard output with exit status 0, and a
# line it does not take, refused in one line on standard error with exit status 2. Every line
# is in the user's language (the stored one, or the system's), never in one the refused line
# asks for, and nothing is stored.
# Usage: no_display_test.sh PROGRAM
set -uo pipefail
# The lines are read as UTF-8 (the program itself runs in the locales each case gives).
export LC_ALL=C.UTF-8
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch"
chmod 700 "$scratch"
settings=$scratch/config/Lumbra.conf

failed=0
# Each case: its name, the exit status, the stream that must say it (out or err, the other
# staying empty), how many lines, the words it must hold (a grep pattern), then the environment
# it runs in; the program's arguments are in args. The settings file must be as it was.
args=()
check() { # name status stream lines words env...
    local name=$1 expected=$2 stream=$3 want_lines=$4 words=$5
    shift 5
    local status=0 before
    before=$(cat "$settings" 2>/dev/null || echo "<no file>")
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 "$@" \
        timeout 30 "$program" "${args[@]}" >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
    local said=$scratch/$stream silent=$scratch/err lines after
    [ "$stream" = err ] && silent=$scratch/out
    lines=$(wc -l <"$said")
    after=$(cat "$settings" 2>/dev/null || echo "<no file>")
    if [ "$status" -ne "$expected" ] || [ "$lines" -ne "$want_lines" ] || [ -s "$silent" ] || ! grep -q -- "$words" "$said" \
        || [ "$before" != "$after" ]; then
        echo "FAIL: $name: status $status, $lines line(s) on standard $stream:" >&2
        cat "$scratch/out" "$scratch/err" >&2
        [ "$before" != "$after" ] && echo "  and the settings file changed: $after" >&2
        failed=1
    else
        echo "PASS: $name: $(head -n 1 "$said")"
    fi
}
french=(LANGUAGE=fr LANG=fr_CA.UTF-8)

check "no display set" 2 err 1 "no display"
# A display number no X server answers on, and a Wayland socket that is not there.
check "an X display that cannot be reached" 2 err 1 "cannot open the display :9917" DISPLAY=:9917
check "an X display that cannot be reached, the platform named" 2 err 1 "cannot open the display :9917" \
    DISPLAY=:9917 QT_QPA_PLATFORM=xcb
check "no display, in French" 2 err 1 "aucun écran" "${french[@]}"
# Qt's own options name the display: the program goes to it, whatever the environment says.
args=(-platform xcb -display :9917)
check "Qt's -platform and -display" 2 err 1 "cannot open the display :9917"
args=(--display=:9917 -style=fusion -reverse)
check "Qt's options with two dashes and =" 2 err 1 "cannot open the display :9917"

# A language the program does not speak, whatever the display: the accepted values are named.
args=(--language xx)
check "--language xx" 2 err 1 'takes en or fr, not "xx"' QT_QPA_PLATFORM=offscreen
check "--language xx, in French" 2 err 1 'accepte en ou fr, pas' QT_QPA_PLATFORM=offscreen "${french[@]}"
args=(--language=EN)
check "--language=EN" 2 err 1 'not "EN"' QT_QPA_PLATFORM=offscreen
args=(--language)
check "--language with no value" 2 err 1 "takes en or fr, and none was given" QT_QPA_PLATFORM=offscreen
# Said in the user's language, not in the one the refused line names.
args=(--language fr --language)
check "a good --language, then one with no value" 2 err 1 "takes en or fr, and none was given" QT_QPA_PLATFORM=offscreen
args=(--language en --lang)
check "--language en on a refused line, in French" 2 err 1 "option inconnue «" QT_QPA_PLATFORM=offscreen "${french[@]}"

# Options it does not take, and arguments.
args=(--lang fr)
check "a mistyped option" 2 err 1 'unknown option "--lang"; the options are --language en|fr' QT_QPA_PLATFORM=offscreen
args=(-x)
check "a letter it does not know" 2 err 1 'unknown option "-x"'
args=(--version=2)
check "a value for an option that takes none" 2 err 1 '--version takes no value'
args=(-style)
check "Qt's option with no value" 2 err 1 '-style takes a value, and none was given'
args=(fr)
check "an argument" 2 err 1 '"fr" is not an option'

# Help and version need no display.
args=(--help)
check "--help" 0 out 9 '^Usage: brightwell \[options\]$'
args=(-h)
check "-h, in French" 0 out 9 '^Utilisation.: brightwell \[options\]$' "${french[@]}"
args=(--help --language fr)
check "--help --language fr" 0 out 9 '^  -h, --help  *Affiche cette aide'
args=(--version)
check "--version" 0 out 1 '^Brightwell 4\.38$'
args=(-platform offscreen -v)
check "-v after a Qt option" 0 out 1 '^Brightwell 4\.38$' "${french[@]}"

# A language stored by the program counts over the system's, and stays as it is.
mkdir -p "$scratch/config"
printf '[aaa]\nlanguage=fr\nredo=%0165d\n' 1 >"$settings"
args=(--language en --lang)
check "refused in the stored language" 2 err 1 'option inconnue «.--lang.»'
args=(--version --language en --language)
check "--version on a refused line, in the stored language" 2 err 1 "--language accepte en ou fr, et aucune"
args=(--help)
check "--help in the stored language" 0 out 9 '^Utilisation'
exit "$failed"

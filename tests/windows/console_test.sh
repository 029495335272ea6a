#!/usr/bin/env bash
# The program's own lines on Windows, said where the one who started it sees them, whole, in
# English and in French (« », accents, no-break spaces), with the program's exit status:
#   - started from cmd, on cmd's console: the program attaches to it and writes UTF-16. cmd
#     runs on a terminal, where Wine shows what its console holds. desktop_start.exe starts
#     the program as cmd does on Windows, with no standard handles; once it is started by
#     cmd itself, which under Wine hands it the console's handles;
#   - started as Explorer or a shortcut starts it, with no console, in a message box titled
#     Brightwell, read and answered by desktop_start.exe.
# A refused line is said in the language Windows speaks, or in the one stored in the registry,
# never in one the line asks for.
# Runs inside an X server. Usage: console_test.sh WINE_SH PREFIX PROGRAM DESKTOP_START
set -uo pipefail
wine_sh=$1 prefix=$2 program=$3 desktop_start=$4
bash "$wine_sh" "$prefix" boot >/dev/null || exit 1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
work=$(mktemp -d)
trap '"$server" -k 2>/dev/null; rm -rf "$work"' EXIT
# Paths as Windows programs name them: Wine's Z: drive is the machine's root.
windows() { printf 'Z:%s' "${1//\//\\}"; }
language_key='HKCU\Software\VB and VBA Program Settings\Lumbra\aaa'
store_language() { # en, fr, or nothing to store none
    "$loader" reg delete "$language_key" /v language /f >/dev/null 2>&1 </dev/null
    [ -z "${1:-}" ] || "$loader" reg add "$language_key" /v language /t REG_SZ /d "$1" /f >/dev/null 2>&1 </dev/null
    "$server" -w
}
# Wine takes the language Windows speaks from LANG and LC_MESSAGES, and the terminal's
# character set from LC_ALL: C.UTF-8, which every machine has, so that « » and accents reach it.
english=(LC_ALL=C.UTF-8 LANG=en_CA.UTF-8 LC_MESSAGES=en_CA.UTF-8)
french=(LC_ALL=C.UTF-8 LANG=fr_CA.UTF-8 LC_MESSAGES=fr_CA.UTF-8)
nbsp=$'\u00a0'

failed=0
runs=0
# Runs one case and compares what was said (without the terminal's control sequences, carriage
# returns and blank lines) and the exit status with what is expected. A program that opened its
# window instead of answering is ended after a minute.
check() { # how name status text environment... -- arguments...
    local how=$1 name=$2 expected=$3 text=$4 status=0
    shift 4
    local environment=()
    while [ "$1" != -- ]; do environment+=("$1"); shift; done
    shift
    runs=$((runs + 1))
    local said=$work/said-$runs
    case $how in
    cmd | cmd-handles)
        local start=("$(windows "$desktop_start")" console)
        [ "$how" = cmd-handles ] && start=()
        # A terminal wide enough for the longest line, which the console would wrap at its width.
        local line
        line="stty cols 400; $(printf '%q ' "$loader" cmd /c "${start[@]}" "$(windows "$program")" "$@")"
        env "${environment[@]}" timeout 60 script -qefc "$line" /dev/null >"$said" 2>&1 </dev/null || status=$?
        ;;
    explorer)
        env "${environment[@]}" timeout 90 "$loader" "$desktop_start" explorer "$(windows "$program")" "$@" \
            >"$said" 2>&1 </dev/null || status=$?
        ;;
    esac
    "$server" -k 2>/dev/null
    "$server" -w
    local shown
    shown=$(sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1b\][^\x07]*\x07//g' -e 's/\r//g' "$said" | sed '/^$/d')
    if [ "$status" -eq "$expected" ] && [ "$shown" = "$text" ]; then
        echo "PASS: $how: $name"
    else
        echo "FAIL: $how: $name: status $status (expected $expected), said:" >&2
        printf '%s\n' "$shown" | sed 's/^/  | /' >&2
        echo "expected:" >&2
        printf '%s\n' "$text" | sed 's/^/  | /' >&2
        failed=1
    fi
}

store_language
check cmd "a bad language" 2 'brightwell: --language takes en or fr, not "xx".' "${english[@]}" -- --language xx
check cmd "a mistyped option, in French" 2 \
    "brightwell$nbsp: option inconnue «$nbsp--lang$nbsp»; les options sont --language en|fr, --help et --version." \
    "${french[@]}" -- --lang fr
check cmd "the version" 0 "Brightwell 4.38" "${english[@]}" -- --version
check cmd "the help, in French" 0 "Utilisation$nbsp: brightwell [options]
Tests d’entraînement pour l’examen pour la citoyenneté canadienne.
Options$nbsp:
  --language en|fr  Affiche Brightwell en anglais ou en français pour cette exécution seulement.
  -h, --help        Affiche cette aide, puis quitte.
  -v, --version     Affiche la version, puis quitte.
Les options propres à Qt, comme -platform, -style et -reverse, sont aussi acceptées." "${french[@]}" -- -h
check cmd-handles "a bad language, in French" 2 "brightwell$nbsp: --language accepte en ou fr, pas «$nbsp""xx$nbsp»." \
    "${french[@]}" -- --language xx
check explorer "a bad language" 2 'Brightwell: brightwell: --language takes en or fr, not "xx".' \
    "${english[@]}" -- --language xx
check explorer "the version, in French" 0 "Brightwell: Brightwell 4.38" "${french[@]}" -- --version
store_language fr
check cmd "in the stored language, not the line's" 2 \
    "brightwell$nbsp: --language accepte en ou fr, et aucune valeur n’a été donnée." \
    "${english[@]}" -- --language en --language
store_language
exit "$failed"

#!/usr/bin/env bash
# Runs the Windows test programs under Wine, in a prefix of the build's own (never ~/.wine).
#   wine.sh <prefix> boot                  creates the prefix when it is missing, with the
#                                          fonts a Windows user has in its Fonts folder
#   wine.sh <prefix> run <program> [args]  runs one program
#   wine.sh <prefix> qt <program> [args]   runs one Qt program with the QT_* settings of this
#                                          environment (Wine keeps those from Windows programs:
#                                          qt_env.exe, beside the program, sets them again), its
#                                          Qt Test report on standard output
# Both return only once every Wine process of the prefix has ended, so nothing started keeps
# running, or keeps the test's output open, after the test; the registry is on disk then.
set -euo pipefail

export WINEPREFIX="$1"
mode="$2"
shift 2

# No Mono or Gecko installer and no questions on the first start, no debug chatter, and no
# display to open a window on, unless BRIGHTWELL_WINE_DISPLAY=1 asks to keep the X display
# (Xvfb) for Qt's Windows platform.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
if [ "${BRIGHTWELL_WINE_DISPLAY:-}" != 1 ]; then
    unset DISPLAY
fi
unset WAYLAND_DISPLAY
loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
# How long the programs started by a test may take to end once it has finished.
settle_seconds=60

settle() {
    if ! timeout "$settle_seconds" "$server" -w; then
        echo "wine.sh: Wine processes still running ${settle_seconds} s after the program ended; killed" >&2
        "$server" -k || true
        return 1
    fi
}

# The prefix's Fonts folder holds what a Windows user's does, as far as Debian packages it:
# Wine's own Tahoma and MS Sans Serif (fonts-wine), metric twins of Arial and Times New Roman
# (Liberation) and a wide Verdana-like face (DejaVu). Each TrueType font is entered in the
# registry's font list under its full name, as Windows enters its own: Qt's FreeType engine
# looks a font's file up there, and Wine drops its own entries for fonts it finds in this
# folder (it enters its bitmap MS Sans Serif, sserife.fon, itself). Qt's offscreen platform
# reads the folder itself (QT_QPA_FONTDIR below).
fonts_folder="$WINEPREFIX/drive_c/windows/Fonts"
fonts_entered() {
    grep -q '^"Liberation Sans (TrueType)"="LiberationSans-Regular.ttf"' "$WINEPREFIX/system.reg" 2>/dev/null
}
furnish_fonts() {
    local font list="$WINEPREFIX/fonts.reg"
    mkdir -p "$fonts_folder"
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n' >"$list"
    for font in /usr/share/fonts/truetype/liberation/*.ttf /usr/share/fonts/truetype/dejavu/*.ttf \
        /usr/share/wine/fonts/{tahoma,tahomabd,ms_sans_serif}.ttf; do
        ln -sf "$font" "$fonts_folder/"
        if [ "$(fc-scan --format '%{outline}' "$font")" = True ]; then
            printf '"%s (TrueType)"="%s"\n' "$(fc-scan --format '%{fullname[0]}' "$font")" "$(basename "$font")" >>"$list"
        fi
    done
    "$loader" regedit /S "Z:${list//\//\\}" </dev/null >/dev/null 2>&1
}

case "$mode" in
boot)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log="$WINEPREFIX.log"
        echo "Creating the Wine prefix $WINEPREFIX (log: $log)"
        # The processes wineboot starts would hold the test's output open: they get a file.
        if ! "$loader" wineboot --init </dev/null >"$log" 2>&1; then
            cat "$log" >&2
            exit 1
        fi
    fi
    settle
    if ! fonts_entered; then
        furnish_fonts
        settle
    fi
    ;;
run)
    status=0
    "$loader" "$@" </dev/null || status=$?
    settle || status=1
    exit "$status"
    ;;
qt)
    # Qt Test writes to the debugger rather than to standard output when it finds no Windows
    # console, unless told to log to the standard streams.
    export QT_FORCE_STDERR_LOGGING=1
    # Qt's offscreen platform on Windows knows no system fonts: it reads the font files in one
    # folder, here the prefix's Fonts folder.
    export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-C:/windows/Fonts}
    while IFS='=' read -r name _; do
        export "BRIGHTWELL_$name=${!name}"
    done < <(env | grep -E '^QT_[A-Za-z0-9_]*=')
    status=0
    "$loader" "$(dirname "$1")/qt_env.exe" "$@" </dev/null || status=$?
    settle || status=1
    exit "$status"
    ;;
*)
    echo "usage: wine.sh <prefix> boot | run <program> [args...] | qt <program> [args...]" >&2
    exit 2
    ;;
esac

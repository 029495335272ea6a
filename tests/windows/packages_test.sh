#!/usr/bin/env bash
# What a Windows user downloads, made by CPack from the Windows build and used as a user would:
#   1. the portable zip holds the program, the Qt and MinGW DLLs and the two plugins it loads,
#      stripped, and every DLL they import is either in the folder or part of Windows (Wine's
#      system32 stands in for it); nothing only the tests need is shipped;
#   2. the installer is an LZMA-compressed 64-bit NSIS installer under 12 MiB;
#   3. installed silently into a new Wine prefix, it places the program, a Start menu shortcut
#      and an entry among the installed apps; the installed program opens its window under
#      Xvfb, a test sat with keys only stores the history at the classic registry key;
#   4. the silent uninstaller removes the program, the shortcut and the entry, and keeps the
#      history.
# Runs inside an X server (xvfb-run). Usage: packages_test.sh CPACK BUILD_DIR VERSION WINE_SH
set -euo pipefail
cpack=$1 build=$2 version=$3 wine_sh=$4

packages=$build/packages
work=$build/packages-test
prefix=$work/wineprefix
mingw=x86_64-w64-mingw32
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

rm -rf "$work"
mkdir -p "$work"
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

echo "== making the packages"
"$cpack" --config "$build/CPackConfig.cmake" -B "$packages" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    exit 1
}
zip=$packages/brightwell-$version-win64.zip
setup=$packages/brightwell-$version-win64-setup.exe
for file in "$zip" "$setup"; do
    [ -f "$file" ] || { echo "FAIL: CPack made no $(basename "$file")" >&2; exit 1; }
done

echo "== the portable folder"
unzip -q "$zip" -d "$work/zip"
folder=$work/zip/brightwell-$version-win64
for file in brightwell.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll licenses/brightwell.txt \
    licenses/qt/debian-copyright; do
    if [ -f "$folder/$file" ]; then pass "ships $file"; else fail "the zip has no $file"; fi
done
for file in Qt6Test.dll platforms/qoffscreen.dll platforms/qminimal.dll; do
    [ ! -e "$folder/$file" ] || fail "the zip ships $file, which only the tests use"
done
# Every DLL a shipped file imports is shipped too, or comes with Windows.
system32=$build/wineprefix/drive_c/windows/system32
shipped=$(cd "$folder" && find . -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
while IFS= read -r -d '' binary; do
    name=${binary#"$folder"/}
    "$mingw-objdump" -h "$binary" | grep -q ' \.debug_' && fail "$name is not stripped"
    for dll in $("$mingw-objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]'); do
        # api-ms-win-*: API sets, which the Windows loader resolves itself.
        if ! grep -qxF "$dll" <<<"$shipped" && [ ! -f "$system32/$dll" ] && [[ "$dll" != api-ms-win-* ]]; then
            fail "$name imports $dll, which is neither shipped nor part of Windows"
        fi
    done
done < <(find "$folder" \( -iname '*.dll' -o -iname '*.exe' \) -print0)
pass "every import of the portable folder is shipped or part of Windows"

echo "== the installer"
size=$(stat -c %s "$setup")
limit=$((12 * 1024 * 1024))
if [ "$size" -lt "$limit" ]; then pass "installer is $size bytes"; else fail "installer is $size bytes, over 12 MiB"; fi
file "$setup" | grep -q 'PE32+ executable' || fail "the installer is not a 64-bit program: $(file -b "$setup")"

echo "== silent install into a new Wine prefix"
wine() { bash "$wine_sh" "$prefix" "$@"; }
wine boot
wine run "$setup" /S || fail "the silent install exited with status $?"
user_dir=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
installed=$user_dir/AppData/Local/Programs/Brightwell
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Brightwell.lnk"
[ -f "$installed/brightwell.exe" ] && pass "installed into the user's programs folder" ||
    fail "no brightwell.exe in $installed"
[ -f "$installed/platforms/qwindows.dll" ] || fail "the installed program has no platform plugin"
[ -f "$shortcut" ] && pass "Start menu shortcut" || fail "no Start menu shortcut"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brightwell'
wine run reg query "$uninstall_key" /v UninstallString >"$work/uninstall-key.txt" 2>&1 &&
    grep -q 'Uninstall.exe' "$work/uninstall-key.txt" && pass "listed among the installed apps" ||
    fail "no uninstall entry: $(cat "$work/uninstall-key.txt")"

echo "== the installed program, with keys only"
export BRIGHTWELL_WINE_DISPLAY=1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM
/usr/lib/wine/wine64 "$installed/brightwell.exe" </dev/null >"$work/program.log" 2>&1 &
# Polls until a window of that exact name is shown, for up to 60 s; prints its id.
shown() {
    local id
    for _ in $(seq 1 600); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1) && [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.1
    done
    return 1
}
gone() {
    for _ in $(seq 1 600); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
if ! shown 'Brightwell V4\.38' >/dev/null; then
    fail "the installed program opened no window"
else
    pass "the installed program opened its window"
    # Alt+S starts a test; B answers the first question; Alt+F finishes and asks whether
    # to finish early, where Enter answers Yes; Enter closes the result. Each key goes to
    # whatever window has the keyboard, as a user's would.
    xdotool key --clearmodifiers alt+s b alt+f
    if shown Brightwell >/dev/null; then
        xdotool key Return
        if shown 'Test Result' >/dev/null; then
            xdotool key Return
            gone 'Test Result' || fail "Enter did not close the result window"
        else
            fail "no result window after Finish"
        fi
    else
        fail "Finish asked nothing before the last question"
    fi
fi
history_key='HKCU\Software\VB and VBA Program Settings\Lumbra\aaa'
stored=
for _ in $(seq 1 100); do
    stored=$(/usr/lib/wine/wine64 reg query "$history_key" /v redo 2>/dev/null | sed -n 's/.*REG_SZ\s*//p' | tr -d '\r')
    [ -n "$stored" ] && break
    sleep 0.1
done
# A test of the first size offered (5 questions), with one answer given: at least four wrong.
if [[ "$stored" =~ ^[01]{165}$ ]] && [ "$(tr -cd 1 <<<"$stored" | wc -c)" -ge 4 ]; then
    pass "the test's history is stored at the classic key"
else
    fail "no history of 165 flags at $history_key: '$stored'"
fi
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
unset BRIGHTWELL_WINE_DISPLAY

echo "== silent uninstall"
wine run "$installed/Uninstall.exe" /S || fail "the silent uninstall exited with status $?"
# The uninstaller runs a copy of itself from the temporary folder and returns at once; wine.sh
# waits for every Wine process of the prefix, so it has finished here.
[ ! -e "$installed/brightwell.exe" ] && pass "program removed" || fail "the program is still installed"
[ ! -e "$shortcut" ] && pass "shortcut removed" || fail "the Start menu shortcut is still there"
if wine run reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; else pass "entry removed"; fi
after=$(/usr/lib/wine/wine64 reg query "$history_key" /v redo 2>/dev/null | sed -n 's/.*REG_SZ\s*//p' | tr -d '\r')
/usr/lib/wine/wineserver -w 2>/dev/null || true
[ -n "$stored" ] && [ "$after" = "$stored" ] && pass "the history outlives the uninstall" ||
    fail "the uninstall changed the history: '$after'"

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
[ "$failures" -eq 0 ]

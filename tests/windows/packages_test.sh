#!/usr/bin/env bash
# What a Windows user downloads, made by CPack from the Windows build and used as a user would:
#   1. the portable zip holds the program, the Qt and MinGW DLLs and the two plugins it loads,
#      stripped, Qt's French catalogue in a translations folder, and every DLL they import is either in the folder or part of Windows (Wine's
#      system32 stands in for it); nothing only the tests need is shipped;
#   2. the installer is an LZMA-compressed 64-bit NSIS installer under 12 MiB;
#   3. installed silently into a new Wine prefix, it places the program, a Start menu shortcut
#      and an entry among the installed apps, with the installed size; the installed program
#      carries its one manifest, opens its window under Xvfb, and a test sat with keys only
#      stores the history at the classic registry key;
#   4. while the program runs, neither a silent uninstall nor a silent install over it changes
#      anything, and both fail;
#   5. once it has ended, read-only files in the folder (one of Brightwell's, one of the
#      user's) block neither an install over them nor the uninstall; the silent uninstaller
#      removes the program, the shortcut and the entry, leaves the user's file, and keeps the
#      history;
#   6. installed into a folder that holds another program, running, and its read-only file,
#      the installer and the uninstaller go ahead and touch nothing of the other program's.
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

# A file no program may open for writing, as a read-only file on Windows: Wine lets root write
# a read-only one, so as root it is made immutable too (a file an antivirus holds open is
# refused the same way). And back.
lock_file() {
    chmod a-w "$1"
    if [ "$(id -u)" -eq 0 ] && ! chattr +i "$1" 2>/dev/null; then
        echo "note: this file system keeps no immutable files; $(basename "$1") is only read-only, which root may write"
    fi
}
unlock_file() {
    [ "$(id -u)" -ne 0 ] || chattr -i "$1" 2>/dev/null || true
    chmod u+w "$1"
}
unlock_all() {
    find "$work" -type f -perm -u=r ! -perm -u=w -exec chattr -i {} + 2>/dev/null || true
}
[ ! -d "$work" ] || unlock_all
rm -rf "$work"
mkdir -p "$work"
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; unlock_all' EXIT

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
    licenses/qt/debian-copyright translations/qtbase_fr.qm; do
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
# Qt's French catalogue beside the program, where it reads it (cmp: the very file shipped).
cmp -s "$installed/translations/qtbase_fr.qm" "$folder/translations/qtbase_fr.qm" &&
    pass "the installed program has Qt's French catalogue beside it" ||
    fail "no translations/qtbase_fr.qm beside the installed program"
[ -f "$shortcut" ] && pass "Start menu shortcut" || fail "no Start menu shortcut"
# The shortcut's description, in the language Windows speaks (UTF-16 inside the .lnk file).
shortcut_says() { # text
    python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$shortcut" "$1"
}
shortcut_says "Practise for the Canadian citizenship knowledge test" && pass "the shortcut described in English" ||
    fail "the shortcut has no English description"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brightwell'
wine run reg query "$uninstall_key" /v UninstallString >"$work/uninstall-key.txt" 2>&1 &&
    grep -q 'Uninstall.exe' "$work/uninstall-key.txt" && pass "listed among the installed apps" ||
    fail "no uninstall entry: $(cat "$work/uninstall-key.txt")"

# The size Windows shows for the entry, in KiB, is the folder's, give or take the folders'
# own entries.
estimated=$(wine run reg query "$uninstall_key" /v EstimatedSize 2>/dev/null |
    sed -n 's/.*REG_DWORD\s*//p' | tr -d '\r') || estimated=
actual=$(du -s --apparent-size --block-size=1K "$installed" | cut -f1)
if [[ "$estimated" =~ ^0x[0-9a-f]+$ ]] && ((estimated * 100 >= actual * 95 && estimated * 100 <= actual * 105)); then
    pass "the entry's size is $((estimated)) KiB, the folder's $actual KiB"
else
    fail "the entry's EstimatedSize is '$estimated', the folder holds $actual KiB"
fi
# Exactly one manifest (resource type 24), the program's own rather than the linker's default.
manifests=$("$mingw-objdump" -p "$installed/brightwell.exe" |
    awk '/^[0-9a-f]+   Entry: ID:/ { type = $4 } /Leaf:/ && type == "0x000018," { n++ } END { print n + 0 }')
if [ "$manifests" -eq 1 ] && grep -aq '<dpiAwareness[^>]*>PerMonitorV2<' "$installed/brightwell.exe" &&
    grep -aq 'level="asInvoker"' "$installed/brightwell.exe"; then
    pass "the installed program carries its manifest"
else
    fail "the installed program carries $manifests manifests, or not its own"
fi

echo "== the installed program, with keys only"
export BRIGHTWELL_WINE_DISPLAY=1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM
/usr/lib/wine/wine64 "$installed/brightwell.exe" </dev/null >"$work/program.log" 2>&1 &
program=$!
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

echo "== uninstalling and installing while the program runs"
# The files (each one's contents, and the last time anything wrote to it: an installer puts back
# the same contents), the shortcut and the entry, as they are.
installation() {
    (cd "$installed" && find . -type f -printf '%p %C@ ' -exec md5sum {} \; | sort)
    [ -f "$shortcut" ] && echo "shortcut"
    /usr/lib/wine/wine64 reg query "$uninstall_key" 2>&1 | tr -d '\r' | sort
}
# Runs one of the packages' programs, which must fail and leave the installation as it was.
refused() { # what program [arguments...]
    local what=$1 status=0
    shift
    /usr/lib/wine/wine64 "$@" </dev/null >>"$work/running.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then pass "$what fails (status $status)"; else fail "$what exits 0"; fi
    if installation | diff "$work/installation.txt" - >"$work/changed.txt"; then
        pass "$what leaves the installation whole"
    else
        fail "$what changed the installation: $(cat "$work/changed.txt")"
    fi
}
if kill -0 "$program" 2>/dev/null; then
    installation >"$work/installation.txt"
    # The uninstaller's own status comes back only when it runs in place (_?=); otherwise it
    # runs a copy of itself from the temporary folder and returns at once.
    windows_dir="C:\\users\\$(basename "$user_dir")\\AppData\\Local\\Programs\\Brightwell"
    refused "a silent uninstall" "$installed/Uninstall.exe" /S "_?=$windows_dir"
    refused "a silent install over it" "$setup" /S
    kill -0 "$program" 2>/dev/null || fail "the program ended while it was being uninstalled"
else
    fail "the installed program is not running"
fi
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
unset BRIGHTWELL_WINE_DISPLAY

echo "== read-only files in the folder"
# Brightwell no longer runs. A read-only file of Brightwell's (as a backup tool may leave one)
# and one of the user's own are no running program: an install over them goes ahead.
notes=$installed/notes.txt
echo "the user's own notes" >"$notes"
lock_file "$notes"
# Brightwell's own is replaced by the install and removed by the uninstall: read-only only.
chmod a-w "$installed/Qt6Core.dll"
status=0
wine run "$setup" /S || status=$?
if [ "$status" -eq 0 ] && cmp -s "$installed/Qt6Core.dll" "$folder/Qt6Core.dll" &&
    [ "$(cat "$notes" 2>/dev/null)" = "the user's own notes" ]; then
    pass "an install over read-only files"
else
    fail "an install over read-only files exited with status $status"
fi
chmod a-w "$installed/Qt6Core.dll"

echo "== silent uninstall"
wine run "$installed/Uninstall.exe" /S || fail "the silent uninstall exited with status $?"
# The uninstaller runs a copy of itself from the temporary folder and returns at once; wine.sh
# waits for every Wine process of the prefix, so it has finished here.
[ ! -e "$installed/brightwell.exe" ] && pass "program removed" || fail "the program is still installed"
left=$(cd "$installed" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./notes.txt " ] && pass "its folder holds the user's file alone" || fail "left in $installed: $left"
unlock_file "$notes"
rm -f "$notes" && rmdir "$installed" || fail "the folder could not be emptied"
[ ! -e "$shortcut" ] && pass "shortcut removed" || fail "the Start menu shortcut is still there"
if wine run reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; else pass "entry removed"; fi
after=$(/usr/lib/wine/wine64 reg query "$history_key" /v redo 2>/dev/null | sed -n 's/.*REG_SZ\s*//p' | tr -d '\r')
/usr/lib/wine/wineserver -w 2>/dev/null || true
[ -n "$stored" ] && [ "$after" = "$stored" ] && pass "the history outlives the uninstall" ||
    fail "the uninstall changed the history: '$after'"

echo "== a folder shared with another program"
# The folder holds another program, running, and its read-only settings: neither is Brightwell.
shared=$prefix/drive_c/Shared
mkdir -p "$shared"
echo "another program's settings" >"$shared/other.ini"
lock_file "$shared/other.ini"
cp "$prefix/drive_c/windows/system32/notepad.exe" "$shared/other.exe"
WINEPREFIX=$prefix /usr/lib/wine/wine64 'C:\Shared\other.exe' </dev/null >"$work/other.log" 2>&1 &
other=$!
shown '.*Notepad' >/dev/null || fail "the other program opened no window"
others() { (cd "$shared" && md5sum other.ini other.exe); }
others >"$work/others.txt"
status=0
WINEPREFIX=$prefix /usr/lib/wine/wine64 "$setup" /S '/D=C:\Shared' </dev/null >>"$work/shared.log" 2>&1 || status=$?
if [ "$status" -eq 0 ] && [ -f "$shared/brightwell.exe" ] && others | cmp -s "$work/others.txt" -; then
    pass "installed beside another program"
else
    fail "the install into a shared folder exited with status $status"
fi
shared_size=$(WINEPREFIX=$prefix /usr/lib/wine/wine64 reg query "$uninstall_key" /v EstimatedSize 2>/dev/null |
    sed -n 's/.*REG_DWORD\s*//p' | tr -d '\r') || shared_size=
# The entry's size is that of Brightwell's files, not of the folder's.
[ "$shared_size" = "$estimated" ] && pass "the entry's size leaves the other program's files out" ||
    fail "the entry's size in a shared folder is '$shared_size', alone '$estimated'"
status=0
# Run in place to wait for it; it cannot remove itself then.
WINEPREFIX=$prefix /usr/lib/wine/wine64 "$shared/Uninstall.exe" /S '_?=C:\Shared' </dev/null >>"$work/shared.log" 2>&1 ||
    status=$?
left=$(cd "$shared" && find . -mindepth 1 | sort | tr '\n' ' ')
if [ "$status" -eq 0 ] && [ "$left" = "./Uninstall.exe ./other.exe ./other.ini " ] && others | cmp -s "$work/others.txt" -; then
    pass "uninstalled from beside another program, which keeps its files"
else
    fail "the uninstall from a shared folder exited with status $status and left $left"
fi
kill -0 "$other" 2>/dev/null && pass "the other program still runs" || fail "the other program ended"
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true

echo "== silent install and uninstall where Windows speaks French"
LC_ALL=fr_CA.UTF-8 LANG=fr_CA.UTF-8 wine run "$setup" /S || fail "the French silent install exited with status $?"
shortcut_says "Préparez-vous à l’examen pour la citoyenneté canadienne" && pass "the shortcut described in French" ||
    fail "the shortcut has no French description"
# The installed program follows Windows' language too: its own line for a bad option is French,
# whole in UTF-8 (« » and the no-break spaces), with exit status 2.
status=0
(cd "$installed" && LC_ALL=fr_CA.UTF-8 LANG=fr_CA.UTF-8 WINEPREFIX=$prefix /usr/lib/wine/wine64 brightwell.exe \
    --language xx </dev/null >"$work/french.log" 2>&1) || status=$?
/usr/lib/wine/wineserver -w 2>/dev/null || true
said=$(tr -d '\r' <"$work/french.log")
[ "$status" -eq 2 ] && [ "$said" = "brightwell : --language accepte en ou fr, pas « xx »." ] &&
    pass "the program speaks French" || fail "the French program said '$said' (status $status)"
LC_ALL=fr_CA.UTF-8 LANG=fr_CA.UTF-8 wine run "$installed/Uninstall.exe" /S || fail "the French silent uninstall exited with status $?"
[ ! -e "$installed" ] && [ ! -e "$shortcut" ] && pass "removed again" || fail "the French uninstall left files behind"

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
[ "$failures" -eq 0 ]

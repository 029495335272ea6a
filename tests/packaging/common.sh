# Checks shared by the packaging tests: what an installed Brightwell must look like under a
# prefix (a `cmake --install` tree or the /usr of the unpacked Debian package). Sourced.

APP_ID=example.brightwell.Brightwell
ICON_SIZES=(16 32 48 64 128 256 512)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends the test: non-zero when any check failed.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# Every file below the prefix, relative to it: nothing missing and nothing else.
expected_files() {
    local size
    {
        echo bin/brightwell
        echo "share/applications/$APP_ID.desktop"
        echo "share/metainfo/$APP_ID.metainfo.xml"
        for size in "${ICON_SIZES[@]}"; do
            echo "share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
        done
        echo "share/icons/hicolor/scalable/apps/$APP_ID.svg"
        echo share/man/man1/brightwell.1.gz
        echo share/doc/brightwell/copyright
        echo share/doc/brightwell/changelog.gz
    } | LC_ALL=C sort
}

check_file_list() { # root prefix-in-root
    local actual
    actual=$(cd "$1" && find . -type f -o -type l | sed "s|^\./||" | LC_ALL=C sort)
    local expected
    expected=$(expected_files | sed "s|^|${2#/}/|")
    if [ "$actual" != "$expected" ]; then
        fail "the installed files differ from the expected layout (- expected, + installed):"
        diff <(echo "$expected") <(echo "$actual") | grep '^[<>]' | sed 's/^</  -/; s/^>/  +/' >&2
    fi
}

# Reads "Key=value" from the [Desktop Entry] group.
desktop_value() { # file key
    sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$2=//p}" "$1" | head -n 1
}

check_desktop_entry() { # prefix
    local file="$1/share/applications/$APP_ID.desktop"
    [ -f "$file" ] || { fail "no desktop entry"; return; }
    local output
    if ! output=$(desktop-file-validate "$file" 2>&1) || [ -n "$output" ]; then
        fail "desktop-file-validate: $output"
    fi
    # The launcher must start the installed program and find the installed icon.
    local exec
    exec=$(desktop_value "$file" Exec)
    exec=${exec%% *}
    [ -x "$1/bin/$exec" ] || fail "desktop entry: Exec=$exec is not a program in bin/"
    local icon
    icon=$(desktop_value "$file" Icon)
    [ -f "$1/share/icons/hicolor/scalable/apps/$icon.svg" ] \
        || fail "desktop entry: Icon=$icon has no scalable icon"
    [ -f "$1/share/icons/hicolor/48x48/apps/$icon.png" ] \
        || fail "desktop entry: Icon=$icon has no 48x48 icon"
    # The program speaks both official languages, and so does its launcher.
    local key
    for key in Name GenericName Comment Keywords; do
        [ -n "$(desktop_value "$file" "$key\\[fr\\]")" ] || fail "desktop entry: $key has no French twin"
    done
}

# The text of the first <tag>…</tag> on one line.
xml_text() { # file tag
    sed -n "s|.*<$2[^>]*>\([^<]*\)</$2>.*|\1|p" "$1" | head -n 1
}

check_metainfo() { # prefix version
    local file="$1/share/metainfo/$APP_ID.metainfo.xml"
    [ -f "$file" ] || { fail "no AppStream metadata"; return; }
    local output
    if ! output=$(appstreamcli validate --no-net --pedantic "$file" 2>&1) \
        || grep -q '^[EW]:' <<<"$output"; then
        fail "appstreamcli validate: $output"
    fi
    [ "$(xml_text "$file" id)" = "$APP_ID" ] || fail "metainfo: the id is not $APP_ID"
    local launchable
    launchable=$(xml_text "$file" launchable)
    [ -f "$1/share/applications/$launchable" ] || fail "metainfo: launchable $launchable is not installed"
    local binary
    binary=$(xml_text "$file" binary)
    [ -x "$1/bin/$binary" ] || fail "metainfo: provided binary '$binary' is not installed"
    local release
    release=$(sed -n 's|.*<release [^>]*version="\([^"]*\)".*|\1|p' "$file" | head -n 1)
    [ "$release" = "$2" ] || fail "metainfo: the newest release is '$release', not $2"
    # Every text a software centre shows has its French twin, and the languages are listed.
    local tag
    for tag in name summary p li caption; do
        [ "$(grep -c "<$tag>" "$file")" = "$(grep -c "<$tag xml:lang=\"fr\">" "$file")" ] \
            || fail "metainfo: not every <$tag> has a French twin"
    done
    grep -q '<lang>fr</lang>' "$file" || fail "metainfo: French is not among its languages"
}

# Width and height from a PNG file's IHDR chunk, as "W H".
png_size() {
    local header
    header=$(od -An -tx1 -N24 -v "$1" | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || { echo "not-a-png"; return; }
    echo "$((16#${header:32:8})) $((16#${header:40:8}))"
}

check_icons() { # prefix
    local size
    for size in "${ICON_SIZES[@]}"; do
        local file="$1/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
        [ -f "$file" ] || continue # reported by the file list
        local actual
        actual=$(png_size "$file")
        [ "$actual" = "$size $size" ] || fail "icon ${size}x${size} is $actual"
    done
    local svg="$1/share/icons/hicolor/scalable/apps/$APP_ID.svg"
    if [ -f "$svg" ] && [ "$(file --brief --mime-type "$svg")" != image/svg+xml ]; then
        fail "the scalable icon is not SVG"
    fi
}

# gzip -n leaves the time stamp at zero and stores no file name, so builds are repeatable.
check_plain_gzip() { # file
    local header
    header=$(od -An -tx1 -N8 -v "$1" | tr -d ' \n')
    [ "${header:0:4}" = 1f8b ] || { fail "$1 is not gzip"; return; }
    [ $((16#${header:6:2} & 8)) -eq 0 ] || fail "$1 stores a file name"
    [ "${header:8:8}" = 00000000 ] || fail "$1 stores a time stamp"
}

check_docs() { # prefix version
    local man="$1/share/man/man1/brightwell.1.gz"
    if [ -f "$man" ]; then
        check_plain_gzip "$man"
        gzip -dc "$man" | grep -q '^\.TH BRIGHTWELL 1 ' || fail "the manual page has no .TH BRIGHTWELL 1 header"
    fi
    local changelog="$1/share/doc/brightwell/changelog.gz"
    if [ -f "$changelog" ]; then
        check_plain_gzip "$changelog"
        local version
        version=$(gzip -dc "$changelog" | dpkg-parsechangelog -l- -S Version 2>&1) \
            || fail "the changelog does not parse: $version"
        [ "$version" = "$2" ] || fail "the changelog's newest entry is '$version', not $2"
    fi
    local copyright="$1/share/doc/brightwell/copyright"
    if [ -f "$copyright" ]; then
        head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
            || fail "the copyright file is not in the machine-readable format"
    fi
}

# Everything above, for a tree whose files sit under root/prefix.
check_installed_tree() { # root prefix version
    local prefix="$1$2"
    check_file_list "$1" "$2"
    [ -x "$prefix/bin/brightwell" ] || fail "bin/brightwell is not executable"
    file --brief "$prefix/bin/brightwell" | grep -q '^ELF' || fail "bin/brightwell is not an ELF program"
    check_desktop_entry "$prefix"
    check_metainfo "$prefix" "$3"
    check_icons "$prefix"
    check_docs "$prefix" "$3"
}

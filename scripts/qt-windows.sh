#!/usr/bin/env bash
# Provides Qt for Windows, built here from Debian's own source of the Qt this machine has.
#
#   bash scripts/qt-windows.sh            prints the folder Qt for Windows is installed in,
#                                         building it first when the cache has none
#   bash scripts/qt-windows.sh --cached   prints it only when the cache has it; fails otherwise
#
# It fetches the qt6-base source package of exactly the installed qt6-base-dev's version through
# apt's source mechanism, with a sources list and state folder of its own derived from the
# machine's apt sources (the system's apt configuration is left alone), lets apt and dpkg-source
# check every file against the signed archive index and the package's checksums, and
# cross-compiles only what Brightwell and its tests need with mingw-w64. The result is kept in
# a cache outside the clone, keyed by the Qt version and the build options, and reused.
# Nothing is downloaded from anywhere else. The licences of Qt and of the third-party code it
# bundles are installed with it, under licenses/.
#
# Everything it says goes to standard error; standard output carries the folder alone.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

say() { echo "qt-windows: $*" >&2; }

package=qt6-base
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$version" ]; then
    say "qt6-base-dev is not installed: run scripts/setup.sh first"
    exit 1
fi
upstream=${version%%[+-]*}

# What is built. Shared libraries (Qt stays in its own DLLs), Release, and nothing the program
# does not use. Tablet support is off because Debian's source leaves out wintab.h; with OpenGL
# off, its dynamic loading must be off too, or the Windows platform plugin does not compile.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_odbc=OFF
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON
)
# A change of this number, the version or the options builds anew.
recipe=1
key=$(printf '%s\n' "$recipe" "$version" "${options[@]}" | sha256sum | cut -c1-12)

cache_root=${BRIGHTWELL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brightwell}
prefix=$cache_root/qt-windows-$upstream-$key
stamp=$prefix/brightwell-qt-windows.txt
if [ -f "$stamp" ]; then
    echo "$prefix"
    exit 0
fi
if [ "${1:-}" = --cached ]; then
    say "no Qt for Windows in $cache_root yet"
    exit 1
fi

mingw=x86_64-w64-mingw32
for tool in "$mingw-g++-posix" dpkg-source perl ninja cmake; do
    if ! command -v "$tool" >/dev/null; then
        say "$tool is missing: run scripts/setup.sh with the test packages first"
        exit 1
    fi
done

work=$cache_root/work-$upstream-$key
mkdir -p "$work"

# A private apt: the machine's own Debian sources with their source-package indexes, and lists
# and downloads of its own.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
: >"$apt_dir/sources.list"
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if [ -f /etc/apt/sources.list ]; then
    sed -n -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' /etc/apt/sources.list >>"$apt_dir/sources.list"
fi
for parts in /etc/apt/sources.list.d/*.list; do
    [ -f "$parts" ] || continue
    sed -n -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$parts" >>"$apt_dir/sources.list"
done
for parts in /etc/apt/sources.list.d/*.sources; do
    [ -f "$parts" ] || continue
    # deb822 stanzas: the same stanza for source packages.
    sed -E 's/^Types:.*/Types: deb-src/I' "$parts" >"$apt_dir/sources.list.d/$(basename "$parts")"
done
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
    -o "APT::Sandbox::User=$(id -un)"
    -o "Debug::NoLocking=1"
)
src=$work/$package-$upstream
if [ ! -f "$src/.complete" ]; then
    say "fetching the source of $package $version (${codename:-this release}) through apt"
    apt-get "${apt_options[@]}" -q update >&2
    rm -rf "$work/download" "$src"
    mkdir -p "$work/download"
    # apt checks each file against the hashes of the signed source index before it keeps it.
    (cd "$work/download" && apt-get "${apt_options[@]}" -q source --download-only "$package=$version" >&2)
    dsc=$(ls "$work"/download/*.dsc)
    # dpkg-source checks each file against the checksums in the .dsc and applies Debian's patches.
    dpkg-source --no-copy -x "$dsc" "$src" >&2
    touch "$src/.complete"
fi

# The compiler set-up the build uses, kept beside the build, so that Qt's own toolchain file
# does not point into a clone that may be gone.
toolchain=$work/mingw-w64.cmake
cp "$here/cmake/mingw-w64.cmake" "$toolchain"

build=$work/build
staging=$prefix.partial
rm -rf "$staging"
say "building Qt $upstream for Windows in $build (about half an hour on two cores)"
cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBRIGHTWELL_MINGW_SHARED_RUNTIME=ON \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)/cmake" \
    -DCMAKE_INSTALL_PREFIX="$staging" \
    "${options[@]}" >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }
# The build takes half an hour on two cores: say how far it is once a minute, from the step
# counter Ninja writes to its log ("[done/all]").
log=$work/build.log
began=$SECONDS
cmake --build "$build" --parallel "$(nproc)" >"$log" 2>&1 &
builder=$!
told=$SECONDS
while kill -0 "$builder" 2>/dev/null; do
    sleep 1
    if [ $((SECONDS - told)) -ge 60 ]; then
        told=$SECONDS
        steps=$(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 | tr -d '[]')
        elapsed=$((SECONDS - began))
        say "building Qt: ${steps:-0/?} steps done, $((elapsed / 60)) min $((elapsed % 60)) s so far"
    fi
done
wait "$builder" || { tail -n 60 "$log" >&2; exit 1; }
say "Qt built in $((SECONDS - began)) s"
cmake --install "$build" >"$work/install.log" 2>&1 || { tail -n 40 "$work/install.log" >&2; exit 1; }

# The licences: Qt's own, Debian's copyright file, and every bundled part's.
mkdir -p "$staging/licenses/3rdparty"
cp -r "$src/LICENSES" "$staging/licenses/qt"
cp "$src/debian/copyright" "$staging/licenses/debian-copyright"
(cd "$src/src/3rdparty" && find . -maxdepth 3 -type f \( -iname 'LICENSE*' -o -iname 'COPYING*' \
    -o -iname 'qt_attribution.json' -o -iname '*LICENCE*' \) -print0) |
    while IFS= read -r -d '' file; do
        mkdir -p "$staging/licenses/3rdparty/$(dirname "$file")"
        cp "$src/src/3rdparty/$file" "$staging/licenses/3rdparty/$file"
    done

printf 'qt6-base %s for Windows (mingw-w64), built by Brightwell'"'"'s scripts/qt-windows.sh\n' "$version" \
    >"$staging/brightwell-qt-windows.txt"
printf '%s\n' "${options[@]}" >>"$staging/brightwell-qt-windows.txt"
# Qt's own toolchain and config files name the folder they were installed into.
grep -rl --null "$staging" "$staging/lib/cmake" 2>/dev/null | xargs -0 -r sed -i "s|$staging|$prefix|g"
rm -rf "$prefix"
mv "$staging" "$prefix"
say "Qt for Windows is in $prefix"
echo "$prefix"

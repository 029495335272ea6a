#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch folder and checks it as a user's system
# would meet it: lintian finds no error, the version, dependencies and file modes are right, the
# unpacked files are the installed layout with a stripped program, apt can satisfy its
# dependencies, and the unpacked program opens its window under Xvfb and closes cleanly.
# Usage: deb_package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack_command=$1 build_dir=$2 version=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== cpack"
(cd "$build_dir" && "$cpack_command" -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1 \
    || { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB failed"; finish; }
deb="$scratch/out/brightwell_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { cat "$scratch/cpack.log" >&2; fail "no package named $(basename "$deb")"; finish; }

echo "== lintian"
lintian_output=$(lintian --tag-display-limit 0 --display-info "$deb" 2>&1) || true
echo "${lintian_output:-(no tags)}"
grep -q '^E:' <<<"$lintian_output" && fail "lintian reports errors"

echo "== version and dependencies"
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
depends=$(field Depends)
echo "Depends: $depends"
# The Qt and C libraries come from dpkg-shlibdeps, the rest from the declared dependencies.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation \
    qt6-translations-l10n; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)', not qt6-wayland"

echo "== file modes"
while read -r mode owner _ _ _ path; do
    [ "$owner" = root/root ] || fail "$path is owned by $owner"
    [[ "$path" == ./usr/* ]] || fail "$path is outside /usr"
    case "$mode:$path" in
        d*) [ "$mode" = drwxr-xr-x ] || fail "directory $path has mode $mode" ;;
        *:./usr/bin/brightwell) [ "$mode" = -rwxr-xr-x ] || fail "$path has mode $mode" ;;
        *) [ "$mode" = -rw-r--r-- ] || fail "$path has mode $mode" ;;
    esac
done < <(dpkg-deb --contents "$deb" | grep -v ' \./$')

echo "== contents"
dpkg-deb -x "$deb" "$scratch/root"
check_installed_tree "$scratch/root" /usr "$version"
file --brief "$scratch/root/usr/bin/brightwell" | grep -q ', stripped' || fail "the program is not stripped"

echo "== dependencies"
if ! apt_output=$(apt-get install --simulate -o Debug::NoLocking=1 "$deb" 2>&1) \
    || ! grep -q "^Inst brightwell ($version " <<<"$apt_output"; then
    echo "$apt_output" >&2
    fail "apt cannot install the package"
fi

echo "== start under Xvfb"
mkdir -p "$scratch/run"
window_class=$(desktop_value "$scratch/root/usr/share/applications/$APP_ID.desktop" StartupWMClass)
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    bash "$here/window_smoke.sh" "$scratch/root/usr/bin/brightwell" "$scratch/run" \
    "Brightwell V$version" "$window_class" \
    || fail "the unpacked program did not start and close cleanly"

finish

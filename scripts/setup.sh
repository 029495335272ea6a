#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Brightwell need, when any
# is missing. Sourced by run.sh and test.sh.
set -euo pipefail

# What building and running the program needs.
brightwell_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-liberation)
# What the Windows program needs besides (scripts/windows.sh): the cross-compiler, the tools
# that fetch and unpack Qt's source and build it, Wine to run the program and its tests with
# Wine's own stand-ins for Windows' fonts, a real X server for its windows, and makensis for
# the installer.
brightwell_windows_packages=(g++-mingw-w64-x86-64-posix dpkg-dev perl wine64 fonts-wine fontconfig xvfb xauth xdotool nsis file
    unzip)
# What the tests need besides: a real X server and a light window manager, two headless Wayland
# compositors (sway with a virtual keyboard, weston) and Qt's Wayland platform, the fuzzer's
# compiler, the benchmark library and the instruction counter, the tools that check the installed
# files and the package, the desktop's accessibility bus with a client that uses it as a screen
# reader does, the Orca screen reader with its speech server and voice, and all the Windows build
# needs.
brightwell_test_packages=(xvfb xauth xdotool openbox sway wtype weston qt6-wayland clang libclang-rt-14-dev
    libbenchmark-dev valgrind appstream desktop-file-utils lintian dpkg-dev fakeroot file dbus at-spi2-core
    python3-pyatspi gir1.2-atspi-2.0 orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    "${brightwell_windows_packages[@]}")

brightwell_setup() {
    local missing=()
    local package
    for package in "${brightwell_packages[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Brightwell need, when any
# is missing. Sourced by run.sh and test.sh.
set -euo pipefail

brightwell_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation xvfb xauth)

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

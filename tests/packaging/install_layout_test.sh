#!/usr/bin/env bash
# Installs the build into a scratch folder (DESTDIR, prefix /usr/local) and checks that every
# file lands where a Linux desktop looks for it, and nothing else does: the program, the
# desktop entry and AppStream metadata (both validated), the icons (each PNG the size its
# folder names), the manual page and the documents.
# Usage: install_layout_test.sh CMAKE BUILD_DIR VERSION
set -euo pipefail
cmake_command=$1 build_dir=$2 version=$3
source "$(dirname "$0")/common.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# DESTDIR keeps even a rule with an absolute destination inside the scratch folder, where the
# file list below catches it.
DESTDIR="$scratch/root" "$cmake_command" --install "$build_dir" --prefix /usr/local >"$scratch/install.log" \
    || { cat "$scratch/install.log" >&2; fail "cmake --install failed"; finish; }

check_installed_tree "$scratch/root" /usr/local "$version"
finish

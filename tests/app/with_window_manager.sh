#!/usr/bin/env bash
# Runs a program under the openbox window manager, inside an X server (xvfb-run): openbox
# starts it once it manages the display, and ends when it ends. Exits with its status.
# Usage: with_window_manager.sh PROGRAM [ARGUMENT...]
set -uo pipefail
if [ "${1:-}" = "--managed" ]; then
    cd "$2" || exit 1
    shift 2
    status=0
    "$@" || status=$?
    echo "$status" >"$BRIGHTWELL_MANAGED_STATUS"
    openbox --exit
    exit 0
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export BRIGHTWELL_MANAGED_STATUS="$scratch/status"
# A home of its own, so that no settings of the user's openbox apply.
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" openbox --sm-disable \
    --startup "bash $(printf '%q ' "$(realpath "$0")" --managed "$PWD" "$@")"
status=$(cat "$BRIGHTWELL_MANAGED_STATUS" 2>/dev/null || echo "no status: the program did not run")
echo "under openbox: $status"
[ "$status" = 0 ]

#!/usr/bin/env bash
# Renders the current windows into docs/ (after a build of the default preset).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen BRIGHTWELL_SCREENSHOT_DIR="$PWD/docs"
build/default/tests/app_screenshots_test
build/default/tests/web_banner_view_test >/dev/null || true

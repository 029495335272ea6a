#!/usr/bin/env bash
# Renders the current windows into docs/ (after a build of the default preset).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen BRIGHTWELL_SCREENSHOT_DIR="$PWD/docs"
build/default/tests/app_screenshots_test
build/default/tests/web_banner_view_test >/dev/null || true
build/default/tests/app_about_window_test >/dev/null
build/default/tests/app_purchase_window_test >/dev/null
QT_SCALE_FACTOR=2 build/default/tests/app_scaling_test >/dev/null

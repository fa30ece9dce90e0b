#!/bin/sh
# Renders the countdown form in each of its seven layouts in a real X window (a private Xvfb)
# and saves one screenshot a layout.
# Usage: scripts/show-layouts.sh [build folder] [output folder]
# Without an output folder it writes into a new private one under the temporary folder.
set -eu
. "$(dirname "$0")/private-xvfb.sh"
build=${1:-build}
test_binary="$build/tests/display_Layout"
[ -x "$test_binary" ] || { echo "missing $test_binary: build the target display_Layout first" >&2; exit 1; }

out=$(private_output_folder "${2:-}" vantrel-layouts)
start_private_xvfb
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT INT TERM

QT_QPA_PLATFORM=xcb VANTREL_LAYOUT_SHOTS=$out \
    "$test_binary" --gtest_filter='LayoutShots.*'
ls "$out"/layout-*.png

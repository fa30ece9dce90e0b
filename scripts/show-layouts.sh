#!/bin/sh
# Renders the countdown form in each of its seven layouts in a real X window (a private Xvfb)
# and saves one screenshot a layout.
# Usage: scripts/show-layouts.sh [build folder] [output folder] [display number]
set -eu
build=${1:-build}
out=${2:-/tmp/vantrel-layouts}
display=:${3:-97}
test_binary="$build/tests/display_Layout"
[ -x "$test_binary" ] || { echo "missing $test_binary: build the target display_Layout first" >&2; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT INT TERM
sleep 1

DISPLAY=$display QT_QPA_PLATFORM=xcb VANTREL_LAYOUT_SHOTS=$out \
    "$test_binary" --gtest_filter='LayoutShots.*'
ls "$out"/layout-*.png

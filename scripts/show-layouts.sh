#!/bin/sh
# Renders the countdown form in each of its seven layouts in a real X window (a private Xvfb)
# and saves one screenshot a layout.
# Usage: scripts/show-layouts.sh [build folder] [output folder]
# Without an output folder it writes into a new private one under the temporary folder.
set -eu
. "$(dirname "$0")/private-xvfb.sh"
build=${1:-build}
shot_tool="$build/tools/layout-shots/layout-shots"
[ -x "$shot_tool" ] || { echo "missing $shot_tool: build the target layout-shots first" >&2; exit 1; }

out=$(private_output_folder "${2:-}" vantrel-layouts)
start_private_xvfb
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT INT TERM

QT_QPA_PLATFORM=xcb "$shot_tool" "$out"
ls "$out"/layout-*.png

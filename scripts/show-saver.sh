#!/bin/sh
# Runs the screen saver full screen in a private Xvfb over a countdown written for the purpose,
# saves a screenshot, then presses a key and checks that the screen saver ended.
# Usage: scripts/show-saver.sh [build folder] [output folder] [display number]
set -eu
build=${1:-build}
out=${2:-/tmp/vantrel-saver-shot}
display=:${3:-96}
test_binary="$build/tests/saver_SaverShot"
saver="$build/bin/vantrel-saver"
for f in "$test_binary" "$saver"; do
    [ -x "$f" ] || { echo "missing $f: build the targets saver_SaverShot and vantrel-saver first" >&2; exit 1; }
done

rm -rf "$out"
mkdir -p "$out/runtime"
chmod 700 "$out/runtime"
VANTREL_SAVER_SHOT_FOLDER=$out QT_QPA_PLATFORM=offscreen "$test_binary" --gtest_filter='SaverShot.*' >/dev/null

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT INT TERM
sleep 1

export DISPLAY=$display QT_QPA_PLATFORM=xcb
XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data XDG_RUNTIME_DIR=$out/runtime \
    "$saver" /s >"$out/saver.log" 2>&1 &
saver_pid=$!
sleep 3
import -window root "$out/saver.png"
echo "screenshot: $out/saver.png"
xdotool key a
sleep 1
if kill -0 "$saver_pid" 2>/dev/null; then
    echo "the screen saver is still running after a key press" >&2
    kill "$saver_pid"
    exit 1
fi
wait "$saver_pid" && echo "ended by a key press"

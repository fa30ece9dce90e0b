#!/bin/sh
# Runs the screen saver in a private Xvfb over a countdown written for the purpose: full screen
# (screenshot, 21 pointer movements over the caption panel that it must survive, then a key
# press that must end it; a second run that the 22nd movement must end), then as a preview inside
# a plain X window (screenshot; it must end when that window goes).
# Usage: scripts/show-saver.sh [build folder] [output folder]
# Without an output folder it writes into a new private one under the temporary folder.
set -eu
. "$(dirname "$0")/private-xvfb.sh"
build=${1:-build}
shot_tool="$build/tools/saver-shot/saver-shot"
saver="$build/bin/vantrel-saver"
for f in "$shot_tool" "$saver"; do
    [ -x "$f" ] || { echo "missing $f: build the targets saver-shot and vantrel-saver first" >&2; exit 1; }
done

out=$(private_output_folder "${2:-}" vantrel-saver-shot)
mkdir -p "$out/runtime"
chmod 700 "$out/runtime"
"$shot_tool" "$out"

start_private_xvfb
parent_pid=
trap 'kill "$xvfb_pid" $parent_pid 2>/dev/null || true' EXIT INT TERM

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data XDG_RUNTIME_DIR=$out/runtime
failed=0

# Waits up to two seconds for process $1 to end; true when it did.
ended() {
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# Moves the pointer $1 times over the caption panel (upper right of the written layout).
move_over_caption() {
    i=0
    while [ "$i" -lt "$1" ]; do
        i=$((i + 1))
        xdotool mousemove 700 $((90 + i))
        sleep 0.03
    done
}

start_full_screen() {
    xdotool mousemove 100 300 # over the picture, away from the caption
    "$saver" /s >>"$out/saver.log" 2>&1 &
    saver_pid=$!
    sleep 3
}

start_full_screen
import -window root "$out/saver.png"
echo "screenshot: $out/saver.png"
move_over_caption 21
if ended "$saver_pid"; then
    echo "21 movements over the caption ended the screen saver" >&2
    failed=1
else
    echo "21 movements absorbed"
    xdotool key a
    if ended "$saver_pid"; then
        echo "ended by a key press"
    else
        echo "the screen saver is still running after a key press" >&2
        kill "$saver_pid"
        failed=1
    fi
fi

start_full_screen
move_over_caption 22
if ended "$saver_pid"; then
    echo "ended by the 22nd movement"
else
    echo "the screen saver is still running after 22 movements" >&2
    kill "$saver_pid"
    failed=1
fi

# A plain X window as the preview area. xev's default event mask redirects its children's map
# requests, so it listens to the keyboard alone.
xev -geometry 240x180+40+40 -name "Preview area" -event keyboard >/dev/null 2>&1 &
parent_pid=$!
sleep 1
parent_id=$(xdotool search --name "Preview area" | head -n 1)
"$saver" /p "$parent_id" >>"$out/saver.log" 2>&1 &
preview_pid=$!
sleep 2
import -window root "$out/preview.png"
echo "preview screenshot: $out/preview.png"
kill "$parent_pid"
parent_pid=
if ended "$preview_pid"; then
    echo "the preview ended with its window"
else
    echo "the preview is still running after its window went" >&2
    kill "$preview_pid"
    failed=1
fi
exit "$failed"

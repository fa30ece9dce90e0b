#!/usr/bin/env bash
# Remakes the two shipped sounds (assets/BELL.MP3, assets/Alarm.wav). Needs sox and lame;
# only run at development time, the results are committed.
set -euo pipefail
for tool in sox lame; do
  command -v "$tool" >/dev/null || { echo "$0: needs $tool (see the README's Dependencies)" >&2; exit 1; }
done
out="$(cd "$(dirname "$0")/../assets" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The bell: three plucked partials struck twice.
for partial in 880:0.6 1760:0.25 2637:0.15; do
  sox -n -r 44100 -c 1 -b 16 "p${partial%%:*}.wav" synth 2.5 pluck "${partial%%:*}" vol "${partial##*:}"
done
sox -m p880.wav p1760.wav p2637.wav strike.wav
sox strike.wav strike.wav bell.wav trim 0 4 norm -3
lame --quiet -b 96 bell.wav "$out/BELL.MP3"
# The alarm: two square tones alternating for three seconds.
sox -n -r 22050 -c 1 -b 16 high.wav synth 0.25 square 988 vol 0.4
sox -n -r 22050 -c 1 -b 16 low.wav synth 0.25 square 784 vol 0.4
sox -n -r 22050 -c 1 -b 16 gap.wav trim 0 0.05
pattern=()
for _ in 1 2 3 4 5; do pattern+=(high.wav gap.wav low.wav gap.wav); done
sox "${pattern[@]}" "$out/Alarm.wav" fade 0.01 -0 0.05 norm -4

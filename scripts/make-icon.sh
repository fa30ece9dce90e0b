#!/usr/bin/env bash
# Remakes the launchers' PNG icon (assets/vantrel-viewer.png, 256x256) from the project's own
# drawing assets/vantrel-viewer.svg. Needs rsvg-convert (Debian librsvg2-bin); only run at
# development time, the result is committed.
set -euo pipefail
for tool in rsvg-convert; do
  command -v "$tool" >/dev/null || { echo "$0: needs $tool (see the README's Dependencies)" >&2; exit 1; }
done
assets="$(cd "$(dirname "$0")/../assets" && pwd)"
rsvg-convert --width 256 --height 256 --format png \
  --output "$assets/vantrel-viewer.png" "$assets/vantrel-viewer.svg"

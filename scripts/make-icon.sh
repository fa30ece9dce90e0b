#!/usr/bin/env bash
# Remakes the launchers' PNG icon (assets/vantrel-viewer.png, 256x256) from the project's own
# drawing assets/vantrel-viewer.svg. Needs rsvg-convert (Debian librsvg2-bin); only run at
# development time, the result is committed.
set -euo pipefail
assets="$(cd "$(dirname "$0")/../assets" && pwd)"
rsvg-convert --width 256 --height 256 --format png \
  --output "$assets/vantrel-viewer.png" "$assets/vantrel-viewer.svg"

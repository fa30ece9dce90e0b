#!/usr/bin/env bash
# run.sh started from another folder hands the viewer its arguments as the user gave them and
# starts it in the user's folder, so a relative package name means the user's file. The check
# runs a copy of run.sh beside stand-ins for the set-up script, cmake and the viewer.
# Usage: run-script.sh <path of run.sh>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
checkout=$work/checkout
mkdir -p "$checkout/scripts" "$checkout/build/bin" "$work/stubs" "$work/user"
cp "$1" "$checkout/run.sh"
printf '#!/bin/sh\nexit 0\n' >"$checkout/scripts/install-deps.sh"
printf '#!/bin/sh\nexit 0\n' >"$work/stubs/cmake"
printf '#!/bin/sh\npwd >"%s/viewer.log"\nprintf "%%s\\n" "$@" >>"%s/viewer.log"\n' "$work" "$work" \
  >"$checkout/build/bin/vantrel-viewer"
chmod +x "$checkout/run.sh" "$checkout/scripts/install-deps.sh" "$work/stubs/cmake" "$checkout/build/bin/vantrel-viewer"
touch "$work/user/Alpha.MVL"

(cd "$work/user" && PATH=$work/stubs:$PATH ../checkout/run.sh Alpha.MVL)
expected=$(printf '%s\n%s' "$work/user" "Alpha.MVL")
if [ "$(cat "$work/viewer.log")" != "$expected" ]; then
  echo "the viewer was started as:" >&2
  cat "$work/viewer.log" >&2
  echo "expected, in the user's folder, the argument as given: $expected" >&2
  exit 1
fi
echo "ok: the relative package name reaches the viewer in the user's folder"

#!/usr/bin/env bash
# The viewer's desktop entry passes desktop-file-validate, and the package type's file is XML
# that shared-mime-info reads into one glob for both spellings of the package extension.
# Usage: desktop-files.sh <folder of vantrel-viewer.desktop and vantrel-countdown.xml>
set -euo pipefail
desktop=$1
entry=$desktop/vantrel-viewer.desktop
types=$desktop/vantrel-countdown.xml

desktop-file-validate "$entry"
grep -qx 'Exec=vantrel-viewer %f' "$entry"
grep -qx 'MimeType=application/x-vantrel-countdown;' "$entry"

if command -v xmllint >/dev/null; then
  xmllint --noout "$types"
else
  echo "note: xmllint not installed (libxml2-utils), the XML check is left out"
fi
if command -v update-mime-database >/dev/null; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/mime/packages"
  cp "$types" "$work/mime/packages/"
  XDG_DATA_HOME=$work update-mime-database "$work/mime"
  # A glob without the case-sensitive flag is kept lower case and matches *.MVL as well.
  grep -qE '^[0-9]+:application/x-vantrel-countdown:\*\.mvl$' "$work/mime/globs2" \
    || { echo "update-mime-database made no case-blind glob *.mvl" >&2; exit 1; }
else
  echo "note: update-mime-database not installed (shared-mime-info), the glob check is left out"
fi
echo "desktop entry and package type are valid"

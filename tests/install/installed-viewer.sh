#!/usr/bin/env bash
# Installs the build into a fresh prefix, checks the layout, makes the install read-only and
# starts the viewer through its bin/ link with the command of its desktop entry: it runs from
# the per-user folder, which it fills from the program folder, and writes nothing into the
# install. Exits 77 (skipped) only when no user can be found for whom the install is read-only.
# Usage: installed-viewer.sh <cmake> <build folder> <libdir> <datadir>
set -euo pipefail
cmake=$1 build=$2 libdir=$3 datadir=$4

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
program=$prefix/$libdir/vantrel
if [ -w "$build" ]; then
  "$cmake" --install "$build" --prefix "$prefix" >/dev/null
else
  # The install writes its manifest into the build folder after every file; a build folder of
  # another user takes the files but not the manifest, and the checks below see the files.
  "$cmake" --install "$build" --prefix "$prefix" >/dev/null 2>&1 || true
fi

# bin/ holds only the two links into the program folder.
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "vantrel-saver vantrel-viewer " ] \
  || fail "bin/ holds $(ls "$prefix/bin")"
for name in vantrel-viewer vantrel-saver; do
  [ -L "$prefix/bin/$name" ] || fail "bin/$name is not a link"
  [ "$(readlink -f "$prefix/bin/$name")" = "$(readlink -f "$program/$name")" ] \
    || fail "bin/$name does not lead to $libdir/vantrel/$name"
  [ -f "$program/$name" ] && [ -x "$program/$name" ] || fail "$libdir/vantrel/$name is no program"
done
for shipped in BELL.MP3 Alarm.wav Templates/Default.MVL Templates/Demo.MVL vantrel-viewer.png; do
  [ -f "$program/$shipped" ] || fail "$libdir/vantrel/$shipped is missing"
done
for desktop in applications/vantrel-viewer.desktop icons/hicolor/256x256/apps/vantrel-viewer.png \
    icons/hicolor/scalable/apps/vantrel-viewer.svg mime/packages/vantrel-countdown.xml; do
  [ -f "$prefix/$datadir/$desktop" ] || fail "$datadir/$desktop is missing"
done
[ ! -e "$prefix/$datadir/vantrel" ] || fail "the shipped files are installed twice"

# The superuser writes into any folder, so the viewer runs as an ordinary user for whom the
# read-only install is what it is for everyone after a system-wide install.
chmod -R a-w "$prefix"
home=$work/home
mkdir -m 700 "$home" "$work/runtime"
runner=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv to drop to an ordinary user"
  runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chown nobody:nogroup "$home" "$work/runtime"
  "${runner[@]}" test -r "$program/BELL.MP3" || skip "the user nobody cannot read $work"
fi
"${runner[@]}" test ! -w "$program" || skip "the read-only program folder is still writable for $(id -un)"

package=$home/Demo.MVL
cp "$program/Templates/Demo.MVL" "$package"
[ -z "${runner[*]}" ] || chown nobody:nogroup "$package"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/$datadir/applications/vantrel-viewer.desktop")
read -r -a command <<<"${exec_line//%f/$package}"
before=$(cd "$prefix" && find . | sort)

"${runner[@]}" env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen PATH="$prefix/bin:$PATH" \
  "${command[@]}" &
viewer=$!
sleep 2
kill -TERM "$viewer" 2>/dev/null || true
status=0
wait "$viewer" || status=$?
[ "$status" -eq 0 ] || fail "the viewer ended with status $status instead of closing on SIGTERM"

user=$home/data/Vantrel\ Countdown\ Clock
[ -d "$user/Countdowns" ] && [ -d "$user/Temp" ] || fail "no Countdowns/ and Temp/ in the per-user folder"
# Only the real program folder holds the shipped files, not bin/.
[ -f "$user/BELL.MP3" ] && [ -f "$user/Templates/Demo.MVL" ] \
  || fail "the per-user folder was not filled from $libdir/vantrel"
[ ! -e "$user/vantrel-viewer" ] || fail "the program was copied into the per-user folder"
[ "$(cd "$prefix" && find . | sort)" = "$before" ] || fail "the viewer wrote into the install"
echo "the installed viewer ran from $user"

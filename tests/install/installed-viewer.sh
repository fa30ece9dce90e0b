#!/usr/bin/env bash
# Installs the build into a fresh prefix, checks the layout, leaves in the program folder what
# the superuser's runs of an earlier version left there, makes the install read-only and starts
# the screen saver alone, then the viewer through its bin/ link with the command of its desktop
# entry: both run from the per-user folder, which receives the shipped files and nothing else,
# and write nothing into the install. Run as root, the same again as root in a writable install.
# Exits 77 (skipped) only when no user can be found for whom the install is read-only.
# Usage: installed-viewer.sh <cmake> <build folder> <libdir> <datadir>
set -euo pipefail
cmake=$1 build=$2 libdir=$3 datadir=$4

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

work=$(mktemp -d)
chmod 755 "$work"
# The install rewrites the build folder's install manifest: the user's own install's list of what
# to remove is kept aside and put back (or the new one removed, where there was none).
manifest=$build/install_manifest.txt
had_manifest=
if [ -e "$manifest" ]; then cp -p "$manifest" "$work/install_manifest.kept" && had_manifest=yes; fi
restore_manifest() {
  if [ -n "$had_manifest" ]; then cp -p "$work/install_manifest.kept" "$manifest"; else rm -f "$manifest"; fi
}
trap 'restore_manifest 2>/dev/null || true; chmod -R u+w "$work"; rm -rf "$work"' EXIT
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
  if [ -w "$build" ]; then
    grep -qxF "$prefix/bin/$name" "$manifest" || fail "the install manifest does not list bin/$name"
  fi
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

# The install's mark of an installed copy is one of its files.
mark=$program/vantrel-installed
[ -f "$mark" ] || fail "$libdir/vantrel/vantrel-installed is missing"
if [ -w "$build" ]; then
  grep -qxF "$mark" "$build/install_manifest.txt" || fail "the install manifest does not list $mark"
fi

# What the superuser's runs of an earlier version left in the program folder.
mkdir -p "$program/Temp" "$program/Countdowns"
echo "root's countdown" >"$program/Temp/Beta.MVK"
echo "root's party" >"$program/Countdowns/RootParty.MVL"
echo "root's template" >"$program/Templates/RootOwn.MVL"
shipped_files="Alarm.wav BELL.MP3 Templates/Default.MVL Templates/Demo.MVL vantrel-viewer.png "

# Every entry of the install with its size, time and mode.
install_state() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }

# run_programs <home> [runner...]: the screen saver alone on a fresh home, then the viewer on
# the same home with its desktop entry's command; checks the per-user folder they share.
run_programs() {
  local home=$1
  shift
  local runner=("$@")
  mkdir -m 700 "$home" "$home/runtime" "$home/config"
  local package=$home/Demo.MVL
  cp "$program/Templates/Demo.MVL" "$package"
  # The saver shows the package the viewer last opened; an earlier version stored the installed
  # copy as the program folder.
  printf '[VazovuzAzodozaruVuzaz]\nAppPath=%s\nLastOpenTemplate=%s\n' "$program" "$package" \
    >"$home/config/Vantrel Dederuvevur, LLC.ini"
  [ ${#runner[@]} -eq 0 ] || chown -R nobody:nogroup "$home"
  local environment=(env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen PATH="$prefix/bin:$PATH")

  "${runner[@]}" "${environment[@]}" vantrel-saver /s &
  local saver=$!
  sleep 2
  kill -TERM "$saver" 2>/dev/null || true
  wait "$saver" || true
  local user=$home/data/Vantrel\ Countdown\ Clock
  [ -f "$user/Temp/Demo.MVK" ] || fail "the screen saver did not unpack into the per-user folder"

  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "$prefix/$datadir/applications/vantrel-viewer.desktop")
  local command
  read -r -a command <<<"${exec_line//%f/$package}"
  "${runner[@]}" "${environment[@]}" "${command[@]}" &
  local viewer=$!
  sleep 2
  kill -TERM "$viewer" 2>/dev/null || true
  local status=0
  wait "$viewer" || status=$?
  [ "$status" -eq 0 ] || fail "the viewer ended with status $status instead of closing on SIGTERM"

  [ -d "$user/Countdowns" ] && [ -d "$user/Temp" ] || fail "no Countdowns/ and Temp/ in the per-user folder"
  # Only the real program folder holds the shipped files, not bin/; nothing else of it arrives.
  local received
  received=$(cd "$user" && find . -type f ! -path './Temp/*' | sed 's|^\./||' | sort | tr '\n' ' ')
  [ "$received" = "$shipped_files" ] || fail "the per-user folder received $received"
  [ ! -e "$user/Temp/Beta.MVK" ] || fail "another user's work file reached the per-user folder"
  echo "ran from $user"
}

# The superuser writes into any folder, so the programs run as an ordinary user for whom the
# read-only install is what it is for everyone after a system-wide install.
chmod -R a-w "$prefix"
runner=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv to drop to an ordinary user"
  runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  "${runner[@]}" test -r "$program/BELL.MP3" || skip "the user nobody cannot read $work"
fi
"${runner[@]}" test ! -w "$program" || skip "the read-only program folder is still writable for $(id -un)"
before=$(install_state)
run_programs "$work/home" "${runner[@]}"
[ "$(install_state)" = "$before" ] || fail "the programs wrote into the install"

# The superuser may write into the install, and still does not.
if [ "$(id -u)" -eq 0 ]; then
  chmod -R u+w "$prefix"
  before=$(install_state)
  run_programs "$work/root-home"
  [ "$(install_state)" = "$before" ] || fail "the programs run as root wrote into the install"
fi
echo "the installed programs wrote nothing into $prefix"

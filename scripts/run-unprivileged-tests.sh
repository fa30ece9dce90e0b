#!/usr/bin/env bash
# Runs the tests that need a user whose rights a read-only file or folder stops. The superuser
# passes every permission, so those tests skip in a run as root; this script runs them again
# there, as the user nobody. A skip or a failure here fails the run. Not root: nothing to do,
# the normal run has already run them.
#   Usage: scripts/run-unprivileged-tests.sh [build-dir]   (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
[ "$(id -u)" = 0 ] || exit 0

# Test binary and test, one pair a line.
tests=(
  "platform_IniSettingsStore IniSettingsStore.AWriteToAStoreThatCannotBeReadIsAnError"
  "countdown_clsCountdownDb CountdownDb.FailedSaveKeepsTheOldFileAndShowsOneMessage"
  "countdown_ApplicationFolder ApplicationFolder.UnwritableExecutableFolderTakesTheFilledUserFolder"
  "saver_ScreenSaverProcess ScreenSaverProcess.AWorkFolderThatCannotBeMadeEndsWithOneMessageAndStatusOne"
)

# The build folder may lie below one that nobody cannot enter: the binaries run from a copy.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir "$work/home"
chown nobody:nogroup "$work/home"

status=0
for entry in "${tests[@]}"; do
  read -r binary test <<<"$entry"
  cp "$build_dir/tests/$binary" "$work/"
  code=0
  output=$(cd "$work" && setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$work/home" TMPDIR="$work/home" QT_QPA_PLATFORM=offscreen \
    "./$binary" --gtest_filter="$test" 2>&1) || code=$?
  # Only a test that ran and passed prints its OK line: a skip or a filter that matched nothing
  # does not, and a sanitizer's report at the exit shows in the exit code.
  if [ "$code" = 0 ] && passed=$(grep -F "[       OK ] $test (" <<<"$output"); then
    echo "as nobody: $passed"
  else
    printf '%s\n' "$output" >&2
    echo "as nobody: $test did not pass" >&2
    status=1
  fi
done
exit $status

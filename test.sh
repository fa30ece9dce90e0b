#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
#   LC_ALL=de_DE.UTF-8 ./test.sh   the same tests under a German (decimal-comma) locale
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
# A locale asked for that is not installed would quietly leave the tests in the "C" locale.
if [ -n "${LC_ALL:-}" ] && [ -n "$(locale 2>&1 >/dev/null)" ]; then
  echo "test.sh: the locale $LC_ALL is not installed (as root, scripts/install-deps.sh makes de_DE.UTF-8)" >&2
  exit 1
fi

build_dir=build
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  cmake_args+=(-DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF)
  # No strict_string_checks: the X keyboard library hands strndup buffers without a NUL, which
  # that check reports inside the system library whenever a test runs on a real X server.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Tests that need a real X server (embedding into a foreign window) run on it when one is there.
# -noreset: an X server resets whenever its last client leaves, and drops a test's program that
# connects at that moment.
run_tests=(ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)")
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "${run_tests[@]}"
else
  "${run_tests[@]}"
fi
# As root the tests that need a read-only file to stop their user skip: they run again as nobody.
./scripts/run-unprivileged-tests.sh "$build_dir"

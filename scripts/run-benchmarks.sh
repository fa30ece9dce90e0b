#!/usr/bin/env bash
# Runs every benchmark of the normal build once, briefly, and prints each one's comparison
# with its baseline. Usage: scripts/run-benchmarks.sh [build-dir]   (default build/)
# Benchmarks of real windows need an X display: without one, the run goes on a virtual one.
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${VANTREL_BENCH_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
  export VANTREL_BENCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$self" "$@"
fi
build_dir=${1:-build}
export QT_QPA_PLATFORM=offscreen
status=0
for bench in "$build_dir"/bench/bench_*; do
  [ -x "$bench" ] && [ -f "$bench" ] || continue
  echo "== $(basename "$bench")"
  if ! "$bench" --benchmark_min_time=0.2; then
    echo "benchmark failed: $(basename "$bench")" >&2
    status=1
  fi
done
exit $status

#!/usr/bin/env bash
# Runs every benchmark of the normal build once, briefly, and prints each one's comparison
# with its baseline. Usage: scripts/run-benchmarks.sh [build-dir]   (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
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

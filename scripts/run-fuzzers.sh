#!/usr/bin/env bash
# Builds every libFuzzer target (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz, then runs them all at once for SECONDS each (default 60) on their corpus in
# fuzz/corpus/<name>/. Exits non-zero when a target fails to build or any run finds a crash.
# The committed corpus is only read; new inputs go to a scratch folder under build-fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build-fuzz

targets=()
for source in fuzz/*_fuzz.cpp; do
    [ -e "$source" ] || continue
    name="$(basename "$source" _fuzz.cpp)"
    targets+=("fuzz_$name")
done
if [ "${#targets[@]}" -eq 0 ]; then
    echo "run-fuzzers: no fuzz targets" >&2
    exit 0
fi

CXX="${CXX:-clang++}" cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=ON -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen

declare -A pids=()
for target in "${targets[@]}"; do
    name="${target#fuzz_}"
    seeds="fuzz/corpus/$name"
    scratch="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    mkdir -p "$seeds" "$scratch" "$artifacts"
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" "$scratch" "$seeds" >"$build/$target.log" 2>&1 &
    pids[$target]=$!
done

failed=0
for target in "${targets[@]}"; do
    if wait "${pids[$target]}"; then
        echo "run-fuzzers: $target ran ${seconds}s without a crash"
    else
        echo "run-fuzzers: $target FAILED; the end of its log ($build/$target.log):" >&2
        tail -n 40 "$build/$target.log" >&2
        failed=1
    fi
done
exit "$failed"

#!/usr/bin/env bash
# Builds the libFuzzer targets in build/fuzz and runs one for SECONDS seconds, starting from its
# seed corpus (made afresh by prepara-semi.sh) and keeping what it learns in
# build/fuzz/corpus/<target>. Inputs that crash, hang or leak land in fuzz/crashes-<target>/.
# Usage: fuzz/esegui.sh TARGET [SECONDS] [extra libFuzzer options...]
#   TARGET: fuzz_pub_reader | fuzz_page_drawer | fuzz_picture_import
# One core per run: on a shared machine run one or two targets at a time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?bersaglio: fuzz_pub_reader, fuzz_page_drawer o fuzz_picture_import}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
build=$root/build/fuzz

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMETRA_FUZZ=ON -DLUMETRA_TESTS=OFF -DLUMETRA_BENCH=OFF
fi
cmake --build "$build" -j2 --target "$target"

seeds=$build/corpus/$target-semi
corpus=$build/corpus/$target
crashes=$root/fuzz/crashes-$target
"$root/fuzz/prepara-semi.sh" "$target" "$seeds"
mkdir -p "$corpus" "$crashes"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if [ -f "$root/fuzz/lsan.supp" ]; then
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan.supp:print_suppressions=0}
fi
# libFuzzer writes each job's log (fuzz-<n>.log) in the current folder. A job ends at its first
# crash, hang or leak (the input is kept in $crashes): the next one starts from the corpus
# learnt so far, until SECONDS have passed.
logs=$build/log-$target
mkdir -p "$logs"
cd "$logs"
end=$((SECONDS + seconds))
run=0
while [ $((end - SECONDS)) -gt 5 ]; do
  "$build/fuzz/$target" -max_total_time=$((end - SECONDS)) -jobs=1 -workers=1 \
    -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 -artifact_prefix="$crashes/" "$@" \
    "$corpus" "$seeds" >"run-$run.log" 2>&1 || true
  cat fuzz-0.log >>"run-$run.log" 2>/dev/null || true
  rm -f fuzz-0.log
  grep -h '^stat::number_of_executed_units\|^SUMMARY\|^==.*ERROR' "run-$run.log" || true
  run=$((run + 1))
done
echo "$target: $run esecuzioni di libFuzzer, registri in $logs, errori in $crashes:"
ls "$crashes"

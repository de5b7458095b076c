#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan in their
# own build folder, then runs each for the given number of seconds, starting
# from the seed corpus in tests/fuzz/corpus (copied, so the repo stays as is).
# Findings land in <build>/findings/<target>/ and fail the run.
set -euo pipefail

build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSOLITASK_FUZZ=ON -DSOLITASK_BUILD_APP=OFF -DSOLITASK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target DayFileFuzz JudgeStreamFuzz

status=0
for target in DayFileFuzz JudgeStreamFuzz; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -n "$here/tests/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
  echo "== $target for $seconds s"
  if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" 2>"$build/$target.log"; then
    status=1
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)" "$build/$target.log" || true
  ls "$findings" | sed 's/^/finding: /'
done
exit $status

#!/usr/bin/env bash
# Runs every benchmark once with the fewest iterations the library allows,
# so a benchmark that crashes or fails to set up fails the check. Its
# figures are not judged.
set -uo pipefail
build="$(cd "$1" && pwd)"
mapfile -t programs < <(find "$build/bench" -maxdepth 1 -type f -executable | sort)
if ((${#programs[@]} == 0)); then
  echo "no benchmarks in $build/bench"
  exit 1
fi
status=0
for p in "${programs[@]}"; do
  name="$(basename "$p")"
  # libbenchmark 1.7 reads the minimum time as seconds; 0 stops after the
  # first iteration of each benchmark.
  # A benchmark that stops with an error (SkipWithError) still exits 0.
  if out="$(cd "$build" && QT_QPA_PLATFORM=offscreen timeout 600 "$p" --benchmark_min_time=0 2>&1)" &&
    ! grep -q 'ERROR OCCURRED' <<<"$out"; then
    echo "$name: $(grep -cE '^[a-zA-Z_].*[0-9]+ +(ns|us|ms|s) ' <<<"$out") benchmarks ran"
  else
    echo "$name FAILED:"
    tail -n 40 <<<"$out"
    status=1
  fi
done
exit $status

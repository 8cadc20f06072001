#!/usr/bin/env bash
# Runs each test program whole in one process, in shuffled order, so a test
# that leans on state another test left behind (or leaves some behind) shows
# up; ctest runs every test in a process of its own and cannot see that.
# The seed of each run is printed for a rerun with --gtest_random_seed.
# Reports go to <build>/shuffled/<program>.json (read by unprivileged.sh).
set -uo pipefail
build="$(cd "$1" && pwd)"
out="$build/shuffled"
rm -rf "$out" && mkdir -p "$out"
mapfile -t programs < <(find "$build/tests" -maxdepth 1 -type f -name 'test_*' -executable | sort)
if ((${#programs[@]} == 0)); then
  echo "no test programs in $build/tests"
  exit 1
fi
pids=()
for p in "${programs[@]}"; do
  name="$(basename "$p")"
  (cd "$out" && QT_QPA_PLATFORM=offscreen timeout 1800 "$p" --gtest_shuffle --gtest_output="json:$out/$name.json" \
    >"$out/$name.log" 2>&1) &
  pids+=($!)
done
status=0
for i in "${!programs[@]}"; do
  name="$(basename "${programs[$i]}")"
  if wait "${pids[$i]}"; then
    echo "$name: $(grep -m1 'Randomizing' "$out/$name.log" | sed 's/^Note: //') -- $(grep -E '^\[  PASSED  \]' "$out/$name.log" | tail -n1)"
  else
    echo "$name FAILED in shuffled order; its output:"
    grep -E 'Randomizing|^\[  FAILED  \]|Failure|Expected|Which is|actual|error' "$out/$name.log" | head -n 200
    tail -n 30 "$out/$name.log"
    status=1
  fi
done
exit $status

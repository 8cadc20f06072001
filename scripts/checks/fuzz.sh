#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (KM_FUZZ, fuzz/CMakeLists.txt) for
# a short time from its seed corpus, several at once: any crash, sanitizer
# report, leak or hang fails the check, and the input that did it is kept
# in <build>/fuzz-findings/ with the target's output.
#   fuzz.sh <fuzz build folder> [seconds per target, default 20]
set -uo pipefail
build="$(cd "$1" && pwd)"
seconds="${2:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="$build/fuzz-findings"
rm -rf "$out" && mkdir -p "$out"
mapfile -t programs < <(find "$build/fuzz" -maxdepth 1 -type f -name '*_fuzz' -executable | sort)
if ((${#programs[@]} == 0)); then
  echo "no fuzz targets in $build/fuzz"
  exit 1
fi
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The readers' files go to memory where it can be had: the table rewrites
# sync every file they write, which a disk makes slow.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
run_one() {
  local p="$1" name corpus scratch
  name="$(basename "$p" _fuzz)"
  corpus="$root/fuzz/corpus/$name"
  scratch="$out/$name.new"
  mkdir -p "$scratch"
  # New inputs go to the scratch folder, so the corpus in the tree stays.
  if "$p" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$out/$name-" -print_final_stats=1 "$scratch" "$corpus" >"$out/$name.log" 2>&1; then
    echo "$name: $(grep -m1 -oE 'stat::number_of_executed_units: *[0-9]+' "$out/$name.log" | grep -oE '[0-9]+$') runs, nothing found"
  else
    echo "$name FAILED (input kept in $out):"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$out/$name.log" | head -n 20
    tail -n 40 "$out/$name.log"
    return 1
  fi
}
jobs="$(nproc)"
for p in "${programs[@]}"; do
  # At most one target per core.
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n; done
  name="$(basename "$p")"
  (run_one "$p" >"$out/$name.summary" && echo 0 >"$out/$name.rc") &
done
wait
status=0
for p in "${programs[@]}"; do
  name="$(basename "$p")"
  cat "$out/$name.summary"
  [[ -f "$out/$name.rc" ]] || status=1
done
exit $status

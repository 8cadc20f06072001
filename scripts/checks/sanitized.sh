#!/usr/bin/env bash
# Runs the test programs of the sanitizer build (KM_SANITIZE), each whole in
# one process, several at once: any address error, leak or undefined
# behaviour stops the program with a report and fails the check.
#   sanitized.sh <build folder> [test program...]   (default: every one)
set -uo pipefail
build="$(cd "$1" && pwd)"
shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
programs=("$@")
if ((${#programs[@]} == 0)); then
  mapfile -t programs < <(find "$build/tests" -maxdepth 1 -type f -name 'test_*' -executable -printf '%f\n' | sort)
fi
if ((${#programs[@]} == 0)); then
  echo "no test programs in $build/tests"
  exit 1
fi
out="$build/sanitized"
rm -rf "$out" && mkdir -p "$out"
jobs="$(nproc)"
for name in "${programs[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n; done
  (cd "$out" && timeout 2700 "$build/tests/$name" >"$out/$name.log" 2>&1 && echo 0 >"$out/$name.rc") &
done
wait
status=0
for name in "${programs[@]}"; do
  log="$out/$name.log"
  if [[ -f "$out/$name.rc" ]]; then
    echo "$name: $(grep -E '^\[  PASSED  \]' "$log" | tail -n1)"
  else
    echo "$name FAILED under the sanitizers:"
    grep -nE '^\[  FAILED  \]|ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error' "$log" | head -n 40
    tail -n 60 "$log"
    status=1
  fi
done
exit $status

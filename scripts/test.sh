#!/usr/bin/env bash
step "tests under a decimal-comma locale" bash "$checks/decimal-comma.sh" "$build"
#
#   the source checks: the format (clang-format over src app tests bench
#     tools fuzz), every window handler wired through the guard (no raw
#     connect), no number read or written through the user's locale in src/
#     and every Qt main setting the C number locale;
#   build/ (KM_BUILD_DIR): the build users get (Release, -O3), warnings as
#     errors; then
#     - every test program once, whole in one process, its tests in shuffled
#       order (through ctest, which lists and reports the programs);
#     - the windowless test programs and the workbook and printing tests
#       again under a locale that writes a decimal comma (de_DE.UTF-8);
#     - as root: the tests that need an unprivileged user, as user nobody;
#     - every benchmark once with the fewest iterations (a smoke run);
#   build-asan/ (KM_ASAN_BUILD_DIR): every test program again, window tests
#     included (offscreen), with AddressSanitizer and
#     UndefinedBehaviorSanitizer (KM_SANITIZE);
#   build-fuzz/ (KM_FUZZ_BUILD_DIR): the fuzz targets of fuzz/ (clang,
#     libFuzzer, the same sanitizers), each run for KM_FUZZ_SECONDS (20).
#
# A failing check does not stop the later ones; the command exits non-zero
# when any failed, and ends with ctest's summary line. No compiler cache is
# used, so every build is what a clean machine gets.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
checks="$root/scripts/checks"
bash "$root/scripts/install-deps.sh"

build="${KM_BUILD_DIR:-$root/build}"
asan_build="${KM_ASAN_BUILD_DIR:-$root/build-asan}"
fuzz_build="${KM_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
unset CCACHE_DIR
export CCACHE_DISABLE=1

failed=()
started=$SECONDS
# step <name> <command...>: runs one check, timed; a failure is noted and
# the command goes on.
step() {
  local name="$1"
  shift
  local t=$SECONDS
  echo "=== $name"
  if "$@"; then
    echo "=== $name: passed ($((SECONDS - t)) s)"
  else
    echo "=== $name: FAILED ($((SECONDS - t)) s)"
    failed+=("$name")
  fi
}

# configure <folder> <cmake options...>
configure() {
  cmake -S "$root" -B "$1" -G Ninja -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER= "${@:2}"
}

# --- the sources ------------------------------------------------------------
step "format" bash "$checks/format.sh"
step "guarded window handlers" bash "$checks/guarded-handlers.sh"
step "locale-free numbers" bash "$checks/locale-free-numbers.sh"

# --- the build users get ----------------------------------------------------
# Without it there is nothing to test: a build failure ends the run.
t=$SECONDS
configure "$build" -DCMAKE_BUILD_TYPE=Release -DKM_WERROR=ON
cmake --build "$build" --parallel "$jobs"
echo "=== build: $((SECONDS - t)) s"

summary="$build/ctest-summary.txt"
run_ctest() {
  (cd "$build" && ctest --output-on-failure --parallel "$jobs") | tee "$summary"
}
step "tests" run_ctest
step "tests under a decimal-comma locale" bash "$checks/decimal-comma.sh" "$build"
if [[ $(id -u) -eq 0 ]]; then
  step "tests as an unprivileged user" bash "$checks/unprivileged.sh" "$build"
fi
step "benchmark smoke runs" bash "$checks/bench-smoke.sh" "$build"
# Further checks of the first build (each one `step "<name>" <command>`, a
# script under scripts/checks/ taking "$build") go here, before the second
# build.

# --- the sanitizer build ----------------------------------------------------
# Every test program, windows included. -O1 with line tables only: the
# sanitizers' reports name file and line, and the build costs less.
# Warnings are judged in the first build: with the sanitizers GCC warns of
# things that cannot happen (maybe-uninitialized in inlined moves).
sanitized() {
  configure "$asan_build" -DKM_SANITIZE=ON -DKM_BUILD_BENCH=OFF -DKM_WERROR=OFF \
    -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="-O1 -g1" -DCMAKE_CXX_FLAGS="-O1 -g1" &&
    cmake --build "$asan_build" --parallel "$jobs" --target test_programs &&
    bash "$checks/sanitized.sh" "$asan_build"
}
step "sanitizer build and tests" sanitized

# --- the fuzz build ---------------------------------------------------------
fuzzed() {
  CC=clang CXX=clang++ configure "$fuzz_build" -DKM_FUZZ=ON -DKM_BUILD_TESTS=OFF -DKM_BUILD_BENCH=OFF \
    -DKM_WERROR=OFF -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="-O1 -g1" -DCMAKE_CXX_FLAGS="-O1 -g1" &&
    cmake --build "$fuzz_build" --parallel "$jobs" --target fuzz_targets &&
    bash "$checks/fuzz.sh" "$fuzz_build" "${KM_FUZZ_SECONDS:-20}"
}
step "fuzzing" fuzzed

echo "=== all checks took $((SECONDS - started)) s"
if ((${#failed[@]} > 0)); then
  echo "FAILED checks: ${failed[*]}"
fi
# ctest's closing line, last, so a reader of the output sees the tests ran.
grep -E '^[0-9]+% tests passed' "$summary" || true
((${#failed[@]} == 0))

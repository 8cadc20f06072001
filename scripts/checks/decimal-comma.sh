#!/usr/bin/env bash
# Runs the windowless test programs and the workbook and printing tests once
# more under a locale that writes a decimal comma (LANG=de_DE.UTF-8), as a
# school machine may have; they must pass unchanged. The messages of the
# system and of the print server stay in the C locale (LC_MESSAGES=C): the
# tests compare the reasons those give, in English, inside the program's
# texts. The locale is made at
# the start with localedef (from Debian's locales package) into a temporary
# folder found through LOCPATH, so the run needs no locale of the system and
# changes none. Logs go to <build>/decimal-comma/<program>.log.
set -uo pipefail
build="$(cd "$1" && pwd)"
out="$build/decimal-comma"
rm -rf "$out" && mkdir -p "$out"
programs=(test_platform test_common test_datafiles test_markbook test_marks test_printing test_platform_ui
  test_platform_model)

locales="$(mktemp -d /tmp/km-locales.XXXXXX)"
trap 'rm -rf "$locales"' EXIT
chmod 755 "$locales"
# localedef exits with 1 after mere warnings; what counts is the output.
localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" >"$out/localedef.log" 2>&1
if [[ ! -f "$locales/de_DE.UTF-8/LC_NUMERIC" ]]; then
  echo "localedef could not make de_DE.UTF-8 (install the locales package):"
  cat "$out/localedef.log"
  exit 1
fi
# The system's own locales stay in reach beside the made one. The locale is
# given to the programs only: this shell cannot see LOCPATH for itself.
comma=(env -u LC_ALL -u LC_NUMERIC -u LANGUAGE "LOCPATH=$locales:/usr/lib/locale" LANG=de_DE.UTF-8 LC_MESSAGES=C)
point="$("${comma[@]}" locale decimal_point 2>&1)"
if [[ "$point" != "," ]]; then
  echo "de_DE.UTF-8 is not in force (decimal point: $point)"
  exit 1
fi

pids=()
for name in "${programs[@]}"; do
  if [[ ! -x "$build/tests/$name" ]]; then
    echo "$name: not built in $build/tests"
    exit 1
  fi
  (cd "$out" && QT_QPA_PLATFORM=offscreen timeout 1800 "${comma[@]}" "$build/tests/$name" >"$out/$name.log" 2>&1) &
  pids+=($!)
done
status=0
for i in "${!programs[@]}"; do
  name="${programs[$i]}"
  if wait "${pids[$i]}"; then
    echo "$name under de_DE.UTF-8: $(grep -E '^\[  PASSED  \]' "$out/$name.log" | tail -n1)"
  else
    echo "$name FAILED under de_DE.UTF-8; its output:"
    grep -E '^\[  FAILED  \]|Failure|Expected|Which is|actual|error' "$out/$name.log" | head -n 200
    tail -n 30 "$out/$name.log"
    status=1
  fi
done
exit $status

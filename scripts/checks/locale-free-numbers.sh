#!/usr/bin/env bash
# Fails when the program's code reads or writes a number through the user's
# locale. Under a locale that writes a decimal comma the C library's
# conversions read "30.3" as 30 and write "75,5", so src/ converts numbers
# only with std::from_chars / std::to_chars and the decimal-digit
# generator of src/platform/number_format. Refused in src/:
#   std::stod/stof/stold, strtod/strtof/strtold, atof, the scanf family,
#   a printf-family call with a floating conversion, std::to_string (but for
#   the integers of the short list below), stream number I/O, QLocale and
#   "%L" arguments, and setlocale/uselocale outside platform/number_locale.
# Also every main that makes a Qt application object must put the C number
# locale back after it (platform::use_c_number_locale), since the object
# sets the process locale from the environment.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"

# Calls that are locale-free for certain, as "file|text on the line".
allowed=(
  "src/platform/number_locale.cpp|setlocale(LC_NUMERIC, \"C\")"
  "src/platform/number_locale.cpp|newlocale(LC_NUMERIC_MASK, \"C\""
  "src/platform/number_locale.cpp|uselocale("
  "src/platform/record_layout.cpp|std::to_string(index)"
  "src/platform/value.cpp|std::to_string(exponent)"
  "src/platform/number_format.cpp|std::to_string(d.point)"
  "src/common/file_number_pool.cpp|std::to_string(number)"
)

word='(^|[^A-Za-z0-9_])'
rules=(
  "reads a number through the locale|${word}(sto(f|d|ld)|strto(f|d|ld)|atof)[[:space:]]*\("
  "reads through the locale|${word}v?[sf]?scanf[[:space:]]*\("
  "writes a number through the locale|printf[[:space:]]*\(.*%[-+ #0-9.*]*[lLh]?[fFeEgGaA]"
  "std::to_string of a number that may be floating|std::to_string[[:space:]]*\("
  "stream number I/O follows the locale|#include[[:space:]]*<(sstream|iostream|istream|ostream|fstream|iomanip|locale)>|std::(i|o)?(string)?stream|std::[io]?fstream|std::locale"
  "QLocale converts through the user's locale|QLocale|%L[0-9]"
  "changes the locale|${word}(setlocale|uselocale|newlocale)[[:space:]]*\("
)

is_allowed() {
  local file="$1" code="$2" entry
  for entry in "${allowed[@]}"; do
    [[ "$file" == "${entry%%|*}" && "$code" == *"${entry#*|}"* ]] && return 0
  done
  return 1
}

status=0
for rule in "${rules[@]}"; do
  what="${rule%%|*}"
  pattern="${rule#*|}"
  while IFS= read -r hit; do
    file="${hit%%:*}"
    rest="${hit#*:}"
    number="${rest%%:*}"
    code="${rest#*:}"
    code="${code%%//*}"  # a comment may name the calls
    grep -qE "$pattern" <<<"$code" || continue
    is_allowed "$file" "$code" && continue
    echo "$file:$number: $what: $(sed 's/^[[:space:]]*//' <<<"$code")"
    status=1
  done < <(grep -rnE --include='*.cpp' --include='*.h' "$pattern" src | sort -t: -k1,1 -k2,2n)
done

# The mains.
while IFS= read -r file; do
  if ! grep -q 'use_c_number_locale()' "$file"; then
    echo "$file: makes a Qt application object but does not call platform::use_c_number_locale() after it"
    status=1
  fi
done < <(grep -rlE --include='*.cpp' --include='*.h' '\bQ(Core|Gui)?Application [A-Za-z_]+\(' app tools bench tests/support | sort)

if ((status != 0)); then
  echo "Numbers go through std::from_chars/std::to_chars or platform/number_format; see the list above."
  exit 1
fi
echo "no locale-dependent number conversion in src/; every Qt main sets the C number locale"

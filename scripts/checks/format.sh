#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of
# it with the repository's .clang-format; names each such file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"
mapfile -t files < <(find src app tests bench tools fuzz -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
if ((${#files[@]} == 0)); then
  echo "no C++ files found"
  exit 1
fi
# One clang-format for all files; it names each file that differs.
status=0
report="$(clang-format --dry-run --Werror "${files[@]}" 2>&1)" || status=$?
mapfile -t bad < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: error: code should be clang-formatted' <<<"$report" |
  cut -d: -f1 | sort -u)
if ((${#bad[@]} > 0)); then
  echo "Not formatted (run clang-format -i on them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
if ((status != 0)); then
  echo "$report" | head -n 40
  exit 1
fi
echo "${#files[@]} files formatted"

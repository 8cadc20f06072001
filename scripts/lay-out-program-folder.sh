#!/usr/bin/env bash
# Copies the program folder's files from resources/ into a program folder:
# everything in resources/ except its README, names and sub-folders as they
# are. Used by scripts/run.sh and by the tests (tests/support/program_folder.h),
# so both see the same program folder.
#   lay-out-program-folder.sh <native program folder>
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="$1"
mkdir -p "$target"
find "$root/resources" -mindepth 1 -maxdepth 1 ! -name 'README.md' -exec cp -r {} "$target/" \;

#!/usr/bin/env bash
# Builds korva-marks and starts it.
#
# On the first run it sets up a drive map of its own (drives.ini in the
# config folder) with C: under the user's data folder, lays out the program
# folder C:\Program Files (x86)\KORVA-MARKS from resources/, and creates a
# sample school there, so the program opens on working data. A drives.ini
# the user wrote is left alone (the program folder and the sample school are
# then the user's business).
#
# A launch on a machine where all is in place starts no program but the one
# that looks for changed sources: every other test is the shell's own (file
# dates against stamps). The package check runs only when the install script
# or the installed packages are newer than its stamp in the build folder;
# cmake configures only a build folder that has not been configured (ninja
# runs it again itself when a CMakeLists.txt changes); ninja runs only when a
# file of the tree is newer than its stamp; the program folder gets only the
# files of resources/ that are newer than its copies.
set -euo pipefail
script="${BASH_SOURCE[0]}"
[[ "$script" == */* ]] || script="./$script"
root="$(cd "${script%/*}/.." && pwd)"
build="${KM_BUILD_DIR:-$root/build}"
[[ -d "$build" ]] || mkdir -p "$build"

stamp="$build/install-deps.stamp"
if [[ ! "$stamp" -nt "$root/scripts/install-deps.sh" || ! "$stamp" -nt /var/lib/dpkg/status ]]; then
  bash "$root/scripts/install-deps.sh"
  touch "$stamp"
fi

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
# The build is up to date while no file of the tree (nor the build rules) is
# newer than the stamp of the last build that passed.
built="$build/run-build.stamp"
if [[ ! -f "$built" || "$build/build.ninja" -nt "$built" ]] ||
  [[ -n "$(find "$root/src" "$root/app" "$root/tools" "$root/CMakeLists.txt" -newer "$built" -print -quit)" ]]; then
  targets=(korva-marks)
  [[ ! -f "$root/tools/make_sample_school.cpp" ]] || targets+=(make_sample_school)
  # Dated before the build starts, so a file changed while it runs is newer.
  touch "$built.next"
  (cd "$build" && ninja --quiet "${targets[@]}")
  mv "$built.next" "$built"
fi

config="${XDG_CONFIG_HOME:-$HOME/.config}/korva-marks"
data="${XDG_DATA_HOME:-$HOME/.local/share}/korva-marks"
ini="$config/drives.ini"
marker="; drive map made by scripts/run.sh"

if [[ ! -f "$ini" ]]; then
  mkdir -p "$config" "$data/C"
  cat >"$ini" <<EOF
$marker
[drives]
C=$data/C
[program]
file=C:\\Program Files (x86)\\KORVA-MARKS\\KORVA-MARKS.EXE
EOF
  echo "Made the drive map $ini (C: is $data/C)"
fi

first_line=""
read -r first_line <"$ini" || true
if [[ "$first_line" == "$marker" ]]; then
  c_drive="$data/C"
  program_folder="$c_drive/Program Files (x86)/KORVA-MARKS"
  # The program folder's files (templates and the like) come from
  # resources/, laid out again when one of them is newer than its copy.
  for f in "$root"/resources/*; do
    if [[ "${f##*/}" != README.md && ! "$program_folder/${f##*/}" -nt "$f" ]]; then
      bash "$root/scripts/lay-out-program-folder.sh" "$program_folder"
      break
    fi
  done
  # The program file itself, where the suite looks for it.
  [[ "$program_folder/KORVA-MARKS.EXE" -ef "$build/app/korva-marks" ]] ||
    ln -sfn "$build/app/korva-marks" "$program_folder/KORVA-MARKS.EXE"
  # A sample school on the new drive map, made once in C:\KORVA-DATA. The
  # program looks for the school record in C:\L and the year's last two
  # digits, so each new year gets its copy there.
  printf -v year2 '%(%y)T' -1
  if [[ -x "$build/tools/make_sample_school" ]]; then
    if [[ ! -d "$c_drive/KORVA-DATA" ]]; then
      "$build/tools/make_sample_school" --drives "$ini" --data 'C:\KORVA-DATA' --school-record "C:\\L$year2"
    elif [[ ! -d "$c_drive/L$year2" ]]; then
      record="$(find "$c_drive/KORVA-DATA" -maxdepth 1 -iname 'skl_dta_random.txt' | head -n 1)"
      if [[ -n "$record" ]]; then
        mkdir -p "$c_drive/L$year2"
        cp "$record" "$c_drive/L$year2/"
      fi
    fi
  fi
fi

exec "$build/app/korva-marks" "$@"

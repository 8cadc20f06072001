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
# A launch on a machine where all is in place costs a fraction of a second:
# the package check runs only when the install script or the installed
# packages changed since it last passed (a stamp in the build folder), cmake
# configures only a build folder that has not been configured (ninja runs it
# again itself when a CMakeLists.txt changes), and ninja builds only what is
# out of date.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KM_BUILD_DIR:-$root/build}"
mkdir -p "$build"

stamp="$build/install-deps.stamp"
deps_key="$(sha256sum "$root/scripts/install-deps.sh" | cut -d' ' -f1)"
if [[ ! -f "$stamp" || "$(cat "$stamp")" != "$deps_key" || /var/lib/dpkg/status -nt "$stamp" ]]; then
  bash "$root/scripts/install-deps.sh"
  echo "$deps_key" >"$stamp"
fi

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
targets=(korva-marks)
if [[ -f "$root/tools/CMakeLists.txt" ]] && grep -q "make_sample_school" "$root/tools/CMakeLists.txt"; then
  targets+=(make_sample_school)
fi
(cd "$build" && ninja --quiet "${targets[@]}")

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

if [[ "$(head -n 1 "$ini")" == "$marker" ]]; then
  c_drive="$data/C"
  program_folder="$c_drive/Program Files (x86)/KORVA-MARKS"
  mkdir -p "$program_folder"
  # The program folder's files (templates and the like) come from resources/.
  bash "$root/scripts/lay-out-program-folder.sh" "$program_folder"
  # The program file itself, where the suite looks for it.
  ln -sfn "$build/app/korva-marks" "$program_folder/KORVA-MARKS.EXE"
  # A sample school on the new drive map, made once in C:\KORVA-DATA. The
  # program looks for the school record in C:\L and the year's last two
  # digits, so each new year gets its copy there.
  year2="$(date +%y)"
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

#!/usr/bin/env bash
# Checks that each library of src/ (and the program in app/) links exactly
# the libraries of ours whose headers its sources include: a link nothing
# includes is reported, and so is an included library that is not linked
# itself (reached only through another library's links). Qt's Widgets and
# PrintSupport and the print queues' client (CUPS) are linked by the
# platform's window layer alone; Qt Gui by it and the platform's model
# library. Prints each library with its links (a link the folder's
# CMakeLists adds PRIVATE included) and whether it reaches the widgets.
#
# Usage: check_link_lists.sh [source root]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

# The library an include names: "platform/ui/x.h" -> km_platform_ui,
# "platform/model/x.h" -> km_platform_model, "platform/x.h" ->
# km_platform_core, "common/ui/x.h" -> km_common_ui, "<folder>/x.h" ->
# km_<folder>.
library_of_include() {
  case "$1" in
    platform/ui/*) echo km_platform_ui ;;
    platform/model/*) echo km_platform_model ;;
    platform/*) echo km_platform_core ;;
    */ui/*) echo "km_${1%%/*}_ui" ;;
    */*) echo "km_${1%%/*}" ;;
  esac
}

failures=0
report() {
  echo "$1"
  failures=$((failures + 1))
}

declare -A links=()
# Each library: its folder, its name and its links, from km_library(...).
mapfile -t lists < <(find src -name CMakeLists.txt | sort)
check() {
  local name="$1" folder="$2" own_links="$3" sources_filter="$4"
  links[$name]="$own_links"
  local included
  # Our includes of the folder's sources (not those of its subfolders that
  # are libraries of their own), as library names, without the library itself.
  included="$(grep -rhoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/[^"]+"' "$folder" \
    --include='*.cpp' --include='*.h' $sources_filter |
    sed -E 's/.*"([^"]+)"/\1/' | while read -r inc; do library_of_include "$inc"; done |
    grep -vx "$name" | sort -u || true)"
  local l
  for l in $included; do
    [[ " $own_links " == *" $l "* ]] || report "$name includes headers of $l but does not link it ($folder/CMakeLists.txt)"
  done
  for l in $own_links; do
    [[ $l == km_* ]] || continue
    grep -qx "$l" <<<"$included" || report "$name links $l but includes none of its headers"
  done
  for l in $own_links; do
    case "$l" in
      Qt6::Gui)
        [[ $name == km_platform_ui || $name == km_platform_model ]] ||
          report "$name links $l: only the platform's model and window layer (km_platform_model, km_platform_ui) do"
        ;;
      Qt6::Widgets | Qt6::PrintSupport | *CUPS*)
        [[ $name == km_platform_ui ]] || report "$name links $l: only the window layer (km_platform_ui) does"
        ;;
    esac
  done
}

for list in "${lists[@]}"; do
  folder="$(dirname "$list")"
  call="$(tr '\n' ' ' <"$list" | grep -oE 'km_library\([^)]*\)' || true)"
  [[ -n "$call" ]] || continue
  read -r -a words <<<"$(sed -E 's/km_library\(([^)]*)\)/\1/' <<<"$call")"
  # The links the folder adds PRIVATE: target_link_libraries(<name> PRIVATE ...).
  private="$(tr '\n' ' ' <"$list" | grep -oE "target_link_libraries\(${words[0]} PRIVATE [^)]*\)" |
    sed -E 's/.*PRIVATE ([^)]*)\)/\1/' | tr -s ' ' | tr '\n' ' ' || true)"
  read -r -a private_words <<<"$private"
  # Subfolders with a CMakeLists of their own are libraries of their own.
  excludes=""
  for sub in "$folder"/*/; do
    [[ -f "$sub/CMakeLists.txt" ]] && excludes+=" --exclude-dir=$(basename "$sub")"
  done
  check "${words[0]}" "$folder" "${words[*]:1}${private:+ ${private_words[*]}}" "$excludes"
done

# The program: target_link_libraries(korva-marks PRIVATE ...).
app_links="$(tr '\n' ' ' <app/CMakeLists.txt | grep -oE 'target_link_libraries\(korva-marks PRIVATE [^)]*\)' |
  sed -E 's/.*PRIVATE ([^)]*)\)/\1/' | tr -s ' ')"
check korva-marks app "$app_links" ""

# What each library reaches through its links, and whether that is widgets.
reaches() {
  local seen=" $1 " queue=("$1") l n
  while ((${#queue[@]})); do
    l="${queue[0]}"
    queue=("${queue[@]:1}")
    for n in ${links[$l]:-}; do
      [[ "$seen" == *" $n "* ]] && continue
      seen+="$n "
      queue+=("$n")
    done
  done
  echo "$seen"
}
for name in $(printf '%s\n' "${!links[@]}" | sort); do
  all="$(reaches "$name")"
  widgets=no
  [[ "$all" == *" Qt6::Widgets "* ]] && widgets=yes
  printf '%-18s widgets: %-3s links: %s\n' "$name" "$widgets" "${links[$name]}"
done
for quiet in km_platform_core km_platform_model km_common km_datafiles; do
  [[ -n "${links[$quiet]+x}" ]] || report "$quiet: no such library"
  all="$(reaches "$quiet")"
  for l in Qt6::Widgets Qt6::PrintSupport km_platform_ui; do
    [[ "$all" != *" $l "* ]] || report "$quiet reaches $l through its links"
  done
  [[ "$all" != *CUPS* ]] || report "$quiet reaches the print queues' client (CUPS) through its links"
done

if ((failures)); then
  echo "$failures link(s) that do not follow the includes"
  exit 1
fi
echo "links follow the includes"

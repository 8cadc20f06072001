#!/usr/bin/env bash
# Checks that every #include of our own headers points down the link ladder
#   platform (engine) <- common <- datafiles
#   platform (engine) <- platform/model <- platform/ui <- common/ui (with common)
#     <- {shell, printing} <- {markbook, marks} <- app
# The engine, common and datafiles never include the window layer. The
# model library (platform/model) includes Qt Gui at most: no header of Qt
# Widgets or PrintSupport, and no CUPS header; the engine, common and
# datafiles include no Qt Gui header either.
# A source folder may include its own headers and those of the folders below
# it; an include that climbs, or that names no folder of ours, is reported
# with its file and line. Tests, benchmarks and tools may include any source
# folder, the test support (support/) and the sample-school generator
# (tools/); their local fixtures are included by bare name from beside them.
#
# Usage: check_include_direction.sh [source root] [Qt headers folder]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
qt_headers="${2:-$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)}"
cd "$root"

src_folders="platform platform/model platform/ui common common/ui shell printing datafiles markbook marks"

# The folders each source folder may include, itself first. A folder of src/
# without a rule here is an error, so a new folder brings its rule along.
declare -A allowed=(
  [platform]="platform"
  [platform/model]="platform/model platform"
  [platform/ui]="platform/ui platform/model platform"
  [common]="common platform"
  [common/ui]="common/ui common platform/ui platform/model platform"
  [shell]="shell common/ui common platform/ui platform/model platform"
  [printing]="printing common/ui common platform/ui platform/model platform"
  [datafiles]="datafiles common platform"
  [markbook]="markbook shell printing common/ui common platform/ui platform/model platform"
  [marks]="marks shell printing common/ui common platform/ui platform/model platform"
  [app]="$src_folders"
  [tests]="$src_folders support tools"
  [bench]="$src_folders support tools"
  [tools]="$src_folders support tools"
)

# The system headers each folder leaves alone: the Qt modules it does not
# link (a header named by its class, <QWidget>, is found in the module's
# folder of the Qt headers) and the print queues' client (cups).
declare -A barred=(
  [platform]="QtGui QtWidgets QtPrintSupport cups"
  [platform/model]="QtWidgets QtPrintSupport cups"
  [common]="QtGui QtWidgets QtPrintSupport cups"
  [datafiles]="QtGui QtWidgets QtPrintSupport cups"
)
[[ -d "$qt_headers/QtWidgets" && -d "$qt_headers/QtPrintSupport" && -d "$qt_headers/QtGui" ]] || {
  echo "no Qt headers in $qt_headers (give the folder as the second argument)"
  exit 1
}

# The module of a system header, in $module: Qt's module folder, "cups", or
# nothing (set in place: the check runs for every system header).
module_of_header() {
  local header="$1" m
  module=""
  case "$header" in
    Qt[A-Za-z]*/*) module="${header%%/*}" ;;
    cups/*) module=cups ;;
    Q*)
      for m in QtGui QtWidgets QtPrintSupport; do
        if [[ -f "$qt_headers/$m/$header" ]]; then
          module="$m"
          return
        fi
      done
      ;;
  esac
}

failures=0
report() {
  echo "$1"
  failures=$((failures + 1))
}

for dir in src/*/; do
  folder="${dir#src/}"
  folder="${folder%/}"
  [[ -n "${allowed[$folder]:-}" ]] || report "src/$folder: no include rule for this folder in $0"
done

# Every include line of our sources: file:line:text.
while IFS= read -r hit; do
  file="${hit%%:*}"
  rest="${hit#*:}"
  line="${rest%%:*}"
  text="${rest#*:}"

  # The rule of the file's folder.
  case "$file" in
    src/platform/model/*) rule=platform/model ;;
    src/platform/ui/*) rule=platform/ui ;;
    src/common/ui/*) rule=common/ui ;;
    src/*)
      rule="${file#src/}"
      rule="${rule%%/*}"
      ;;
    *) rule="${file%%/*}" ;;
  esac
  [[ -n "${allowed[$rule]:-}" ]] || continue

  if [[ -n "${barred[$rule]:-}" && "$text" =~ \#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
    module_of_header "${BASH_REMATCH[1]}"
    [[ -n "$module" && " ${barred[$rule]} " == *" $module "* ]] &&
      report "$file:$line: <${BASH_REMATCH[1]}> is a header of $module, which $rule does not use"
  fi
  if [[ "$text" =~ \#[[:space:]]*include[[:space:]]*\<([a-z]+)/ ]]; then
    [[ " $src_folders support tools " == *" ${BASH_REMATCH[1]} "* ]] &&
      report "$file:$line: our headers are included in quotes, not angle brackets"
    continue
  fi
  [[ "$text" =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
  target="${BASH_REMATCH[1]}"

  # The folder the include names: platform/ui for platform/ui/..., else its
  # first path component; nothing for a bare file name.
  case "$target" in
    platform/model/*) named=platform/model ;;
    platform/ui/*) named=platform/ui ;;
    common/ui/*) named=common/ui ;;
    */*) named="${target%%/*}" ;;
    *) named="" ;;
  esac

  if [[ -z "$named" ]]; then
    case "$rule" in
      tests | bench | tools)
        [[ -f "$(dirname "$file")/$target" ]] || report "$file:$line: \"$target\" is no file beside it"
        ;;
      *) report "$file:$line: \"$target\" names no folder (write \"<folder>/$target\")" ;;
    esac
  elif [[ " ${allowed[$rule]} " != *" $named "* ]]; then
    report "$file:$line: \"$target\" is out of reach ($rule may include: ${allowed[$rule]})"
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.cpp' src app tests bench tools)

if ((failures)); then
  echo "$failures include(s) against the ladder"
  exit 1
fi
echo "includes follow the ladder"

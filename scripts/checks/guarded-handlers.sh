#!/usr/bin/env bash
# Fails when a window wires a signal to its handler with a raw connect. The
# windows of src/ (every folder but the platform layer, which builds the
# guard) and app/ wire their handlers through the form's on_click and
# on_signal, or platform::connect_handler for a part of a window that is no
# form: those run the handler under run_handler, so that a failure in it is
# reported and the program goes on instead of ending through the event
# loop. Names each file and line that connects on its own.
#
# Usage: guarded-handlers.sh [source root]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"
mapfile -t files < <(find src app -path src/platform -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if ((${#files[@]} == 0)); then
  echo "no C++ files found"
  exit 1
fi
# connect( or QObject::connect( as a name of its own, not a part of one
# (connect_handler, set_connect); a // comment line is passed over.
raw="$(grep -nE '(^|[^A-Za-z0-9_])connect[[:space:]]*\(' "${files[@]}" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true)"
if [[ -n "$raw" ]]; then
  echo "Raw connects to window handlers (use on_click, on_signal or platform::connect_handler):"
  echo "$raw" | sed 's/^/  /'
  exit 1
fi
echo "${#files[@]} files wire their handlers through the guard"

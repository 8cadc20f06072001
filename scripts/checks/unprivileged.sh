#!/usr/bin/env bash
# Run as root: the tests that skip themselves under root (file permissions
# do not bind the superuser) run again as user nobody, and must pass there.
# They are the tests the shuffled run of each program (ctest) reported as skipped.
# Copies of the test programs go to a folder nobody can read, with its own
# writable home and temporary folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
reports="$build/shuffled"
user="${KM_UNPRIVILEGED_USER:-nobody}"
group="$(id -gn "$user")"

work="$(mktemp -d /tmp/km-unprivileged.XXXXXX)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -p "$work/bin" "$work/home" "$work/tmp" "$work/runtime"
chown "$user:$group" "$work/home" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"

status=0
ran=0
for report in "$reports"/test_*.json; do
  program="$(basename "$report" .json)"
  # Names of the skipped tests, one per line, as suite.name.
  mapfile -t skipped < <(python3 - "$report" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
for suite in doc.get("testsuites", []):
    for t in suite.get("testsuite", []):
        if t.get("result") == "SKIPPED":
            print(suite["name"] + "." + t["name"])
PY
  )
  ((${#skipped[@]} == 0)) && continue
  cp "$build/tests/$program" "$work/bin/"
  filter="$(IFS=:; echo "${skipped[*]}")"
  out="$work/$program.json"
  echo "$program as $user: ${skipped[*]}"
  if ! (cd "$work/tmp" && setpriv --reuid="$user" --regid="$group" --clear-groups \
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    "$work/bin/$program" --gtest_filter="$filter" --gtest_output="json:$work/tmp/$program.json"); then
    status=1
  fi
  cp "$work/tmp/$program.json" "$out" 2>/dev/null || true
  # Every test must have run and passed: a skip here is a failure too.
  if ! python3 - "$out" "${#skipped[@]}" <<'PY'
import json, sys
try:
    doc = json.load(open(sys.argv[1]))
except OSError:
    print("no report written"); sys.exit(1)
want = int(sys.argv[2])
passed, bad = 0, []
for suite in doc.get("testsuites", []):
    for t in suite.get("testsuite", []):
        name = suite["name"] + "." + t["name"]
        if t.get("result") == "COMPLETED" and not t.get("failures"):
            passed += 1
        else:
            bad.append(name + " (" + t.get("result", "?") + ")")
for b in bad:
    print("did not pass as an unprivileged user:", b)
if passed != want:
    print(f"{passed} of {want} passed")
    sys.exit(1)
PY
  then
    status=1
  fi
  ran=$((ran + ${#skipped[@]}))
done
echo "$ran tests run as $user"
exit $status

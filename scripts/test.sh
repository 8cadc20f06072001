#!/usr/bin/env bash
# Builds korva-marks with its tests and benchmarks and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
build="${KM_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300

#!/usr/bin/env bash
# Builds the program and starts it. Pass --simulate to run on the simulated sensor.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="$top/build/run"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELMO_TESTS=OFF -DQUELMO_BENCH=OFF >/dev/null
cmake --build "$build" --target quelmo manuals -j"$(nproc)"
# The program looks for its manuals in the current folder, where they are built.
cd "$build/app"
exec ./quelmo "$@"

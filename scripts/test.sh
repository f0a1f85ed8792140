#!/usr/bin/env bash
# Builds everything under address and undefined-behaviour sanitizers, with
# warnings as errors, and runs the whole test suite through CTest.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh" --test
build="$top/build/test"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUELMO_SANITIZE=ON -DQUELMO_WERROR=ON
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure --timeout 600 "$@"

#!/usr/bin/env bash
# Builds the library and runs the whole test suite.
# VQGE_SANITIZE=1 builds into build-asan with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${VQGE_SANITIZE:-0}" = 1 ]; then
  dir="$root/build-asan"
  "$root/scripts/build.sh" "$dir" -DVQGE_SANITIZE=ON -DVQGE_BUILD_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir"
fi
cd "$dir" && ctest --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Builds the library with its tests and runs the whole suite; fails when no test runs.
# VQGE_SANITIZE=1 builds into build-asan with AddressSanitizer and UndefinedBehaviorSanitizer.
# Whatever ran before (the demo builds in build-demo/ without tests), the options that build
# the tests are forced here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Google Test (and Google Benchmark for the benchmarks) come from the system packages.
if { { [ ! -d /usr/lib/x86_64-linux-gnu/cmake/GTest ] && [ ! -d /usr/lib/cmake/GTest ]; } || ! command -v pkg-config >/dev/null; } && command -v apt-get >/dev/null; then
  echo "installing the test packages"
  (apt-get update -qq && apt-get install -y -qq cmake g++ libgtest-dev libgmock-dev libbenchmark-dev pkg-config) >/dev/null
fi
if [ "${VQGE_SANITIZE:-0}" = 1 ]; then
  dir="$root/build-asan"
  "$root/scripts/build.sh" "$dir" -DVQGE_SANITIZE=ON -DVQGE_BUILD_TESTS=ON -DVQGE_BUILD_BENCH=OFF -DVQGE_BUILD_EXAMPLES=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir" -DVQGE_SANITIZE=OFF -DVQGE_BUILD_TESTS=ON -DVQGE_BUILD_EXAMPLES=ON
fi
cd "$dir" && ctest --no-tests=error --output-on-failure -j "$(nproc)"

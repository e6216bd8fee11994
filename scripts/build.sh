#!/usr/bin/env bash
# Configures and builds into the given folder; extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
# Google Test and Google Benchmark come from the system packages; install them when missing.
if [ ! -d /usr/lib/x86_64-linux-gnu/cmake/GTest ] && [ ! -d /usr/lib/cmake/GTest ] && command -v apt-get >/dev/null; then
  (apt-get update -qq && apt-get install -y -qq cmake g++ libgtest-dev libgmock-dev libbenchmark-dev) >/dev/null
fi
mkdir -p "$dir"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "$(nproc)" >"$dir/build.log" 2>&1 || { grep -v -E '^\[ *[0-9]+%\]' "$dir/build.log" | tail -n 80; exit 1; }

#!/usr/bin/env bash
# Configures and builds into the given folder; extra arguments go to CMake.
# Prints a progress line every tenth of the build; the full output is in FOLDER/build.log.
# ccache is used when it is on PATH.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
# The compiler and CMake come from the system packages; install them when missing.
if ! command -v cmake >/dev/null || ! command -v g++ >/dev/null; then
  echo "installing cmake and g++"
  (apt-get update -qq && apt-get install -y -qq cmake g++) >/dev/null
fi
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
else
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=)
fi
mkdir -p "$dir"
echo "configuring $dir"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" \
  >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
echo "building $dir ($(nproc) jobs)"
start=$SECONDS
status=0
cmake --build "$dir" -j "$(nproc)" 2>&1 | tee "$dir/build.log" | awk '
  match($0, /^\[ *[0-9]+%\]/) {
    pct = substr($0, RSTART + 1, RLENGTH - 3) + 0
    if (pct >= shown + 10 || (pct == 100 && shown < 100)) {
      shown = pct - pct % 10
      printf "  %3d%%  %s\n", pct, substr($0, RLENGTH + 2)
      fflush()
    }
  }' || status=$?
if [ "$status" != 0 ]; then
  grep -v -E '^\[ *[0-9]+%\]' "$dir/build.log" | tail -n 80
  exit 1
fi
echo "built $dir in $((SECONDS - start)) s"

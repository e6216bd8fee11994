#!/usr/bin/env bash
# Builds the library and runs the demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build" -DVQGE_BUILD_TESTS=OFF -DVQGE_BUILD_BENCH=OFF
"$root/build/examples/vqge_demo"

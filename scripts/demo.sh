#!/usr/bin/env bash
# Builds the library and the demo only (in build-demo/, no tests, no test packages) and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build-demo"
"$root/scripts/build.sh" "$dir" -DVQGE_BUILD_TESTS=OFF -DVQGE_BUILD_BENCH=OFF -DVQGE_BUILD_EXAMPLES=ON
"$dir/examples/vqge_demo"

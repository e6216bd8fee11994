#!/usr/bin/env bash
# Installs the built library into a scratch prefix and builds a consumer with find_package(vqge).
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$src/tests/install/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name 'libvqge15.so' | head -n 1)")
LD_LIBRARY_PATH="$libdir" "$work/consumer/consumer"
echo "installed package found and used"

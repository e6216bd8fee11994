#!/usr/bin/env bash
# Installs the built library into a scratch prefix and builds a consumer against it twice:
# with CMake's find_package(vqge) and with pkg-config. Both must build and run.
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/vqge/vqge.h" || { echo "headers not installed under include/vqge"; exit 1; }
lib=$(find "$work/prefix" -name 'libvqge15.so.2' | head -n 1)
test -n "$lib" || { echo "libvqge15.so.2 not installed"; exit 1; }
libdir=$(dirname "$lib")
soname=$(objdump -p "$lib" | awk '/SONAME/ {print $2}')
test "$soname" = libvqge15.so.2 || { echo "unexpected SONAME '$soname'"; exit 1; }

cmake -S "$src/tests/install/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/consumer/consumer"
echo "find_package consumer built and ran"

pc=$(find "$work/prefix" -name 'vqge15.pc' | head -n 1)
test -n "$pc" || { echo "vqge15.pc not installed"; exit 1; }
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc")
# shellcheck disable=SC2046
${CXX:-c++} -std=c++17 -o "$work/consumer_pc" "$src/tests/install/consumer/main.cpp" \
  "$src/tests/install/consumer/legacy_include.cpp" $(pkg-config --cflags --libs vqge15)
LD_LIBRARY_PATH="$libdir" "$work/consumer_pc"
echo "pkg-config consumer built and ran"

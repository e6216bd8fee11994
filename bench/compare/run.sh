#!/bin/sh
# Installs the OpenCASCADE development packages (Debian; their CMake targets name libtbb.so), builds the comparison next to this
# script in build/ and runs it. Arguments go to the program (the repetition count).
set -e
here=$(cd "$(dirname "$0")" && pwd)
pkgs="libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev libtbb-dev"
if ! dpkg -s $pkgs >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y --no-install-recommends $pkgs
fi
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher
cmake --build "$here/build" -j2 --target nurb_compare
"$here/build/nurb_compare" "$@"

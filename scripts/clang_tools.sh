# Sourced by the clang scripts: makes sure clang, its sanitizer and fuzzer runtime, CMake and
# Google Test are installed, installing the missing ones from the system packages.
clang_version() {
  clang++ --version 2>/dev/null | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1
}

ensure_clang_tools() {
  local need=()
  command -v clang++ >/dev/null || need+=(clang)
  command -v cmake >/dev/null || need+=(cmake)
  [ -d /usr/lib/x86_64-linux-gnu/cmake/GTest ] || [ -d /usr/lib/cmake/GTest ] || need+=(libgtest-dev)
  local ver
  ver=$(clang_version)
  # Debian ships the compiler-rt runtimes (sanitizers, libFuzzer) apart from the compiler.
  if [ -n "$ver" ] && ! dpkg -s "libclang-rt-$ver-dev" >/dev/null 2>&1; then
    need+=("libclang-rt-$ver-dev")
  fi
  if [ ${#need[@]} -gt 0 ]; then
    command -v apt-get >/dev/null || { echo "missing: ${need[*]} (and no apt-get)" >&2; return 1; }
    echo "installing ${need[*]}"
    apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
    ver=$(clang_version)
    if ! dpkg -s "libclang-rt-$ver-dev" >/dev/null 2>&1; then
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "libclang-rt-$ver-dev" >/dev/null
    fi
  fi
}

# CMake arguments shared by the clang builds; ccache when it is there.
clang_cmake_args() {
  echo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
  if command -v ccache >/dev/null; then echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
}

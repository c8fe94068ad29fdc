#!/bin/bash
# Configures and builds one configuration: native, win64, win32 or fuzz, in
# $BUILD_ROOT/<configuration> (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
config="$1"; shift
case "$config" in
  native) toolchain=() ;;
  win64) toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake) ;;
  win32) toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake) ;;
  fuzz) toolchain=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLERY_FUZZ=ON) ;;
  *) echo "usage: build.sh native|win64|win32|fuzz [targets...]" >&2; exit 2 ;;
esac
root="${BUILD_ROOT:-build}"
# The toolchain is read once, when the build folder is first configured.
[ -f "$root/$config/CMakeCache.txt" ] && toolchain=()
cmake -S . -B "$root/$config" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${toolchain[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/$config" -j"$(nproc)" "${targets[@]}"

#!/bin/bash
# Installs what is missing, builds all four configurations and runs every
# test: native unit tests, a short run of each fuzz target, the benchmarks,
# then the Windows and end-to-end tests under 64-bit Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh native
scripts/build.sh win64
scripts/build.sh win32   # compile and link only: this machine cannot run it
scripts/build.sh fuzz

(cd build/native && ctest --output-on-failure -j"$(nproc)")
(cd build/fuzz && ctest --output-on-failure)
scripts/bench.sh

source scripts/display.sh
prefix=$(mktemp -d /tmp/quillery-wine.XXXXXX)
trap 'stop_display_and_wine; rm -rf "$prefix"' EXIT
start_virtual_display
start_wine_prefix "$prefix"
# One case at a time: the Windows tests and the end-to-end cases share the
# desktop, its focus and the registry.
(cd build/win64 && ctest --output-on-failure --timeout 300)

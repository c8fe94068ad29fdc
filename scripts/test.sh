#!/bin/bash
# Installs what is missing, builds all four configurations and runs every
# test: native unit tests, the Windows and end-to-end tests under 64-bit Wine
# on a virtual display, the release archives, a short run of each fuzz
# target, the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh native
scripts/build.sh win64

# The 32-bit build (compile and link only: this machine cannot run it) and
# the fuzz build run at the lowest priority beside the cases under Wine,
# which mostly wait for windows; the cases keep the processor they ask for.
builds_log=$(mktemp /tmp/quillery-builds.XXXXXX)
(nice -n 19 scripts/build.sh win32 && nice -n 19 scripts/build.sh fuzz) >"$builds_log" 2>&1 &
builds=$!

(cd build/native && ctest --output-on-failure -j"$(nproc)")

source scripts/display.sh
prefix=$(mktemp -d /tmp/quillery-wine.XXXXXX)
trap 'stop_display_and_wine; rm -rf "$prefix"' EXIT
start_virtual_display
start_wine_prefix "$prefix"
# One case at a time: the Windows tests and the end-to-end cases share the
# desktop, its focus and the registry.
(cd build/win64 && ctest --output-on-failure --timeout 300)

if ! wait "$builds"; then
  cat "$builds_log"
  echo "the win32 or fuzz build failed" >&2
  exit 1
fi
rm -f "$builds_log"
# The release archives of the two builds just made, and their check.
scripts/package.sh --no-build
(cd build/fuzz && ctest --output-on-failure)
# Last, on a quiet machine: each ratio compares two timings of this run.
scripts/bench.sh

#!/bin/bash
# Runs the benchmarks of a native build; each prints its ratio to the floor
# measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/native/quillery_bench ] || exit 0
build/native/quillery_bench --benchmark_min_time="${BENCH_MIN_TIME:-0.2}"

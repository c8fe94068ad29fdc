#!/bin/bash
# Runs one fuzz target (notes_file, note_commands, settings, search, proxy,
# url, import, version_file, download_name or command_line) for SECONDS
# (default 600) at the lowest priority; further arguments go to libFuzzer
# (for example -runs=10000000). New inputs stay in
# build/fuzz/corpus/TARGET for the next run and for the test command; a
# crashing input is written to build/fuzz/artifacts/ and makes this fail:
# commit it under tests/fuzz/corpus/TARGET/ once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?usage: fuzz.sh TARGET [SECONDS]}"
seconds="${2:-600}"
shift $(( $# < 2 ? $# : 2 ))
scripts/build.sh fuzz "fuzz_$target" >/dev/null
root="${BUILD_ROOT:-build}/fuzz"
dict=()
[ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
mkdir -p "$root/corpus/$target" "$root/artifacts"
exec nice -n 19 "$root/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$root/artifacts/$target-" "${dict[@]}" "$@" \
  "$root/corpus/$target" "tests/fuzz/corpus/$target"

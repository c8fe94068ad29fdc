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
if [ ! -d "tests/fuzz/corpus/$target" ]; then
  echo "fuzz.sh: no target \"$target\"; the targets are: $(ls tests/fuzz/corpus | tr '\n' ' ')" >&2
  exit 2
fi
scripts/build.sh fuzz "fuzz_$target" >/dev/null
root="${BUILD_ROOT:-build}/fuzz"
options=()
[ -f "tests/fuzz/$target.dict" ] && options=(-dict="tests/fuzz/$target.dict")
# The commands run on a small pad: sequences longer than a few hundred steps
# find nothing new and slow every run down, as every step checks every note.
[ "$target" = note_commands ] && options+=(-max_len=1024)
mkdir -p "$root/corpus/$target" "$root/artifacts"
exec nice -n 19 "$root/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$root/artifacts/$target-" "${options[@]}" "$@" \
  "$root/corpus/$target" "tests/fuzz/corpus/$target"

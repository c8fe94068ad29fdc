#!/bin/bash
# Builds Quillery.exe for both architectures and writes the release archives
# dist/Quillery-<version>-x86_64.zip and dist/Quillery-<version>-i686.zip.
# The version is the one in the program's version resource.
#   --no-build  package the builds already in build/ (the test command's)
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-}"
configs=(win64:x86_64 win32:i686)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "1.00.000": the program's own form of PRODUCTVERSION, read from the fixed
# version block (signature 0xFEEF04BD) of the executable.
exe_version() {
  local offset ms ls
  offset=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$1" | head -n1 | cut -d: -f1)
  [ -n "$offset" ] || { echo "no version resource in $1" >&2; return 1; }
  read -r ms ls < <(od -An -tu4 -j $((offset + 16)) -N 8 "$1")
  printf '%d.%02d.%03d\n' $((ms >> 16)) $((ms & 0xFFFF)) $((ls >> 16))
}

# The mingw tool for an architecture: tool i686 strip.
tool() {
  if [ "$1" = i686 ]; then echo "i686-w64-mingw32-$2"; else echo "x86_64-w64-mingw32-$2"; fi
}

# The archive's files, its executable's format and subsystem, and the
# version inside against the one in its name.
check_archive() {
  local zip="$1" arch="$2" format="$3" tmp version
  tmp="$work/check-$arch"
  unzip -q "$zip" -d "$tmp"
  local ok=0
  for f in Quillery.exe QLRemind.wav ReadMe.txt help/index.html; do
    [ -f "$tmp/$f" ] || { echo "$zip: $f is missing" >&2; ok=1; }
  done
  if [ -f "$tmp/Quillery.exe" ]; then
    local headers
    headers=$("$(tool "$arch" objdump)" -p "$tmp/Quillery.exe")
    grep -q "file format $format" <<<"$headers" || { echo "$zip: Quillery.exe is not $format" >&2; ok=1; }
    grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || { echo "$zip: Quillery.exe is not a GUI program" >&2; ok=1; }
    version=$(exe_version "$tmp/Quillery.exe") || ok=1
    [ "$(basename "$zip")" = "Quillery-$version-$arch.zip" ] && [ "$version" = "$rc_version" ] ||
      { echo "$zip: the program inside is version $version, its text says $rc_version" >&2; ok=1; }
  fi
  return $ok
}

package() {
  local config="$1" arch="$2" exe="build/$1/Quillery.exe" version stage
  version=$(exe_version "$exe")
  stage="$work/$arch"
  mkdir -p "$stage"
  cp "$exe" src/res/QLRemind.wav "$stage/"
  # The debugging information stays in the build.
  "$(tool "$2" strip)" "$stage/Quillery.exe"
  # Plain text for Windows users: CRLF line ends.
  sed 's/$/\r/' package/ReadMe.txt >"$stage/ReadMe.txt"
  cp -r help "$stage/help"
  mkdir -p dist
  rm -f "dist/Quillery-$version-$arch.zip"
  (cd "$stage" && zip -q -r -X "$OLDPWD/dist/Quillery-$version-$arch.zip" .)
  echo "dist/Quillery-$version-$arch.zip"
}

if [ "$mode" != --no-build ]; then
  scripts/setup.sh
  for c in "${configs[@]}"; do scripts/build.sh "${c%%:*}" Quillery >/dev/null; done
fi
for c in "${configs[@]}"; do package "${c%%:*}" "${c##*:}"; done

# The fixed version block and the text one are both in the resource script.
status=0
rc_version=$(grep -oP 'VALUE "ProductVersion", "\K[^"]+' src/res/Quillery.rc)
for c in "${configs[@]}"; do
  arch="${c##*:}"
  format=pei-x86-64
  [ "$arch" = i686 ] && format=pei-i386
  zip="dist/Quillery-$(exe_version "build/${c%%:*}/Quillery.exe")-$arch.zip"
  check_archive "$zip" "$arch" "$format" || status=1
done
[ $status -eq 0 ] && echo "release archives checked"
exit $status

#!/bin/bash
# Keys typed at the X display reach the main window after the first-run
# wizard is closed, in a Wine virtual desktop. Wine-only: the X server
# ignores a focus request stamped older than the wizard's closing, which
# no test that sends input from inside Wine can see.
# Usage: first_run_keys.sh Quillery.exe (DISPLAY and WINEPREFIX set).
set -u
exe=$1
wine=/usr/lib/wine/wine64
dir=$(mktemp -d /tmp/qx11.XXXXXX)
cleanup() {
  # A copy left running would fail every later case.
  for pid in $(xdotool search --name "^Quillery" getwindowpid %@ 2>/dev/null); do kill "$pid"; done
  pkill -f "explorer.exe /desktop=QX11" >/dev/null 2>&1
  rm -rf "$dir"
}
trap cleanup EXIT
cp "$exe" "$dir/"
key='HKCU\Software\Brindle Software\Quillery'
$wine reg delete "$key" /f >/dev/null 2>&1
(cd "$dir" && $wine explorer /desktop=QX11,1024x768 "$dir/Quillery.exe" >/dev/null 2>${TRACE:-/dev/null} &)

wait_for() {  # name, seconds: until a window of that name is on screen
  for _ in $(seq $(($2 * 4))); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  echo "no window \"$1\""; return 1
}
gone() {
  for _ in $(seq 80); do
    xdotool search --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.25
  done
  return 1
}

wait_for "Quillery Setup" 30 || exit 1
sleep 1
xdotool key Escape
gone "Quillery Setup" || { echo "the wizard did not close"; exit 1; }
wait_for "^Quillery - " 20 || exit 1
xdotool type --delay 50 'typed here'
xdotool key ctrl+q
status=0
gone "^Quillery - " || { echo "Ctrl+Q did not reach the program"; status=1; }
notes=$(find "$dir" -name Quillery.dat | head -1)
if [ $status = 0 ] && ! grep -q 'typed here' "$notes" 2>/dev/null; then
  echo "the typed text is not in the notes file"; status=1
fi
$wine reg delete "$key" /f >/dev/null 2>&1
exit $status

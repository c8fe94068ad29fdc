#!/bin/bash
# Installs what is missing, builds Quillery.exe and runs it under Wine: on
# $DISPLAY when there is one, else on a virtual display, leaving a screenshot
# of the running program in the file it names.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh win64 Quillery quillery_help >/dev/null

home="${QUILLERY_HOME:-$HOME/Quillery}"
mkdir -p "$home"
# The program with its sound and help pages, as the release has them.
cp -r build/win64/Quillery.exe build/win64/QLRemind.wav build/win64/help "$home/"
source scripts/display.sh
start_wine_prefix "${WINEPREFIX:-$HOME/.quillery/wine}"
wine=/usr/lib/wine/wine64

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$wine" explorer /desktop=Quillery,1024x768 "$home/Quillery.exe" "$@"
fi

shot="${QUILLERY_SCREENSHOT:-$PWD/quillery-screenshot.png}"
trap stop_display_and_wine EXIT
start_virtual_display
"$wine" explorer /desktop=Quillery,1024x768 "$home/Quillery.exe" "$@" &
# The splash stays up for three seconds after Wine has started the program.
sleep "${QUILLERY_SHOT_DELAY:-12}"
# Only Wine's desktop, not the rest of the virtual screen.
import -window root -crop 1024x768+0+0 +repage "$shot"
echo "Screenshot of the running program: $shot"
# Ask the running copy to save and close, as a second copy with -killall does.
timeout 20 "$wine" explorer /desktop=Quillery "$home/Quillery.exe" -killall || true

#!/bin/bash
# Installs what building, running and testing Quillery need on Debian 12.
# Only the 64-bit Wine: this machine cannot execute 32-bit code.
set -euo pipefail
packages=(cmake make g++ googletest libgtest-dev libbenchmark-dev mingw-w64
          wine wine64 xvfb x11-utils xdotool imagemagick clang libfuzzer-14-dev
          cups printer-driver-cups-pdf poppler-utils fonts-liberation zip unzip)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

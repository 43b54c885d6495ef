#!/bin/sh
# Installs from Debian's packages whatever is missing. "sample": only what building and running
# the headless command needs (scripts/run-sample.sh); otherwise everything the build, the tests
# (Wine, MinGW-w64, the fonts of the dialog) and the fuzzing need (scripts/run-tests.sh); libX11
# for bench/startup.py, which listens to the X server through it.
set -e
pkgs="cmake ninja-build g++ python3 nlohmann-json3-dev"
if [ "${1:-all}" != sample ]; then
  pkgs="$pkgs clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils imagemagick
fonts-ipafont-gothic zip unzip libx11-6"
fi
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y $missing
fi

#!/bin/sh
# Installs from Debian's packages whatever the build, the tests and the sample run need.
set -e
pkgs="cmake ninja-build g++ clang libclang-rt-14-dev python3 googletest libgtest-dev libbenchmark-dev
nlohmann-json3-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool
x11-utils imagemagick fonts-ipafont-gothic zip unzip"
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

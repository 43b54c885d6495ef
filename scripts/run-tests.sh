#!/bin/sh
# Builds everything and runs every test: native, under AddressSanitizer + UndefinedBehaviorSanitizer,
# the Windows build under Wine (unit and end-to-end tests), and a bounded fuzzing run.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
sh scripts/install-deps.sh
jobs=${JOBS:-2}

step() { printf '\n==== %s\n' "$*"; }

step "source layout"
sh scripts/check-format.sh

step "native build"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ748_BENCH=ON
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

step "sanitizer build (ASan + UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQ748_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:hard_rss_limit_mb=6144 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

step "Windows build (MinGW-w64), tests under Wine"
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"
cmake --build build/mingw -j "$jobs"
ctest --test-dir build/mingw --output-on-failure -j 1

step "fuzzing (bounded)"
# clang compiles the tests and benchmarks here too, so that its warnings are errors as well.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQ748_FUZZ=ON -DQ748_BENCH=ON
cmake --build build/fuzz -j "$jobs"
sh fuzz/run.sh build/fuzz "${FUZZ_SECONDS:-60}"

step "all tests passed"

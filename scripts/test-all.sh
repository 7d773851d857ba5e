#!/usr/bin/env bash
# Builds and runs every test: the normal build, the Debian package made from it and
# checked as installed, the Windows build tested under Wine, the sanitizer build
# (AddressSanitizer and UndefinedBehaviorSanitizer) and a bounded run of each reader's
# fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTA_WERROR=ON -DTA_BUILD_BENCH=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

# The Debian package from that build, installed and used as a surveyor would.
BUILD_DIR=build/release bash scripts/check-package.sh

# The Windows build and its package, tested under Wine against that build.
BUILD_DIR=build/release bash scripts/build-windows.sh
BUILD_DIR=build/release bash scripts/test-windows.sh

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTA_WERROR=ON -DTA_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

if [ -f fuzz/CMakeLists.txt ]; then
  CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTA_BUILD_FUZZ=ON -DTA_BUILD_GUI=OFF -DTA_BUILD_TESTS=OFF
  cmake --build build/fuzz -j "$jobs"
  for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    "$target" -max_total_time="${FUZZ_SECONDS:-60}" -rss_limit_mb=4096 "$corpus"
  done
fi
echo "all tests passed"

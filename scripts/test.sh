#!/bin/bash
# Builds everything and runs every test: the native build with AddressSanitizer and
# UndefinedBehaviorSanitizer, the 32-bit Windows build under Wine, and the comparison of the
# processor line of both programs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
echo "== native build and tests (sanitizers on)"
cmake -S . -B build-test -G Ninja -DTW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs" --timeout 300)

echo "== 32-bit Windows build"
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$jobs"

echo "== 32-bit Windows tests under Wine"
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
# Wine now and then crashes a test process while it exits, after every test in it passed; a
# second run of that one test tells such a crash from a failure of ours.
(cd build-win && ctest --output-on-failure -j"$jobs" --timeout 300 --repeat until-pass:2)

echo "== processor line: native and Windows programs agree"
scripts/compare-cpu-line.sh build-test/tidewell32 build-win/tidewell32.exe
echo "== all tests passed"

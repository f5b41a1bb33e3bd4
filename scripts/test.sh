#!/bin/bash
# Builds everything and runs every test: the native build with AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows build under Wine (32-bit where the host executes
# 32-bit code, else 64-bit; see scripts/wine-env.sh), and the comparison of the processor line
# of both programs, the fuzz targets (20 s each, with clang), the page of a run in headless
# Chromium, and the packages (.deb and Windows
# zip) as users get them. The 32-bit
# Windows program is built in every case.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
echo "== native build and tests (sanitizers on)"
cmake -S . -B build-test -G Ninja -DTW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs" --timeout 300)

echo "== fuzz targets, 20 s each (when clang is installed)"
scripts/fuzz.sh 20

echo "== the page of a run in headless Chromium"
scripts/test-page.sh build-test/tidewell32

source scripts/wine-env.sh
trap wine_env_stop EXIT
echo "== $(tw_windows_build_line)"

echo "== 32-bit Windows build"
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$jobs"
if [ "$TW_WIN_BUILD_DIR" != build-win ]; then
  echo "== 64-bit Windows build"
  cmake -S . -B "$TW_WIN_BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TW_WIN_TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$TW_WIN_BUILD_DIR" -j"$jobs"
fi

echo "== Windows tests under Wine ($TW_WINDOWS_BUILD)"
wine_env_start
# Wine now and then crashes a test process while it exits, after every test in it passed; a
# second run of that one test tells such a crash from a failure of ours.
(cd "$TW_WIN_BUILD_DIR" && ctest --output-on-failure -j"$jobs" --timeout 300 --repeat until-pass:2)

echo "== processor line: native and Windows programs agree"
scripts/compare-cpu-line.sh build-test/tidewell32 "$TW_WIN_BUILD_DIR/tidewell32.exe"

echo "== window program end to end under Wine ($TW_WINDOWS_BUILD)"
scripts/test-gui.sh "$TW_WIN_BUILD_DIR"

echo "== packages: the .deb and the Windows zip"
scripts/test-packages.sh deb
scripts/test-packages.sh zip "$TW_WIN_BUILD_DIR"
echo "== all tests passed; $(tw_windows_build_line)"

#!/bin/bash
# Builds the libFuzzer targets with clang (build-fuzz) and runs each for SECONDS (default 20).
#   scripts/fuzz.sh [SECONDS]
# Without clang it says so and stops with status 0: the targets need clang's libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null ||
   ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  echo "fuzz: clang++ with libFuzzer is not installed; the fuzz targets were not run"
  exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=Debug -DTW_FUZZ=ON -DTW_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_compare_json fuzz_options fuzz_settings
for target in compare_json options settings; do
  corpus=build-fuzz/corpus-$target
  mkdir -p "$corpus"
  echo "== fuzz_$target for $seconds s"
  log=build-fuzz/fuzz-$target.log
  if ! build-fuzz/fuzz_$target -max_total_time="$seconds" -artifact_prefix=build-fuzz/ "$corpus" >"$log" 2>&1; then
    tail -30 "$log" >&2
    echo "fuzz: fuzz_$target failed; the input that failed is named above" >&2
    exit 1
  fi
  grep -E "^Done [0-9]+ runs" "$log" | tail -1 || true
done

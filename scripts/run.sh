#!/bin/bash
# Builds the command-line program and runs the main job: a measurement with the window's
# initial choice of tests, or what the given options ask for (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)"
exec build-release/tidewell32 "$@"

#!/bin/bash
# Runs a build's test suites N times in a row while a busy loop holds another processor, to
# show that no test depends on a quiet machine. Stops at the first failing round.
#   tools/tests-under-load.sh build-test 10
#   (source scripts/wine-env.sh; wine_env_start; tools/tests-under-load.sh "$TW_WIN_BUILD_DIR" 10 \
#      --repeat until-pass:2)
# Further arguments go to ctest.
set -euo pipefail
dir=${1:?build directory}
rounds=${2:-10}
shift $(( $# < 2 ? $# : 2 ))
busy_cpu=$(( $(nproc) - 1 ))
taskset -c "$busy_cpu" bash -c 'while :; do :; done' &
busy=$!
trap 'kill "$busy" 2>/dev/null || true' EXIT
for round in $(seq 1 "$rounds"); do
  start=$(date +%s)
  if ! (cd "$dir" && ctest --output-on-failure --timeout 300 "$@" >"/tmp/tests-under-load.$round.log" 2>&1); then
    echo "round $round: FAILED (see /tmp/tests-under-load.$round.log)"
    grep -E "Failed|\*\*\*" "/tmp/tests-under-load.$round.log" | head -20
    exit 1
  fi
  echo "round $round: $(grep -E 'tests passed' "/tmp/tests-under-load.$round.log") in $(( $(date +%s) - start )) s"
done
echo "$rounds rounds passed with processor $busy_cpu busy"

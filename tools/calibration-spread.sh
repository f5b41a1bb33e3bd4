#!/bin/bash
# The spread of the clock calibration: runs `PROGRAM --cpu` RUNS times on a quiet machine and
# RUNS times with a busy loop pinned to the other core, and prints the minimum, median and
# maximum clock of each series. The program runs on CPU 0, the busy loop on CPU 1, so "the
# other core" is the same one every time. Usage: tools/calibration-spread.sh [PROGRAM [RUNS]]
set -euo pipefail
program=${1:-build/tidewell32}
runs=${2:-20}
self_cpu=0
other_cpu=1

busy_pid=
stop_busy() {
  if [ -n "$busy_pid" ]; then
    kill "$busy_pid" 2>/dev/null || true
    wait "$busy_pid" 2>/dev/null || true
    busy_pid=
  fi
}
trap stop_busy EXIT

# The clock of one run: the "NNNN,NN MHz" of the processor line, as NNNN.NN.
clock_of_run() {
  taskset -c "$self_cpu" "$program" --cpu |
    sed -n '1s/.* \([0-9][0-9]*\),\([0-9][0-9]\) MHz.*/\1.\2/p'
}

series() {
  for _ in $(seq "$runs"); do clock_of_run; done | sort -n |
    awk -v name="$1" '{ v[NR] = $1 }
      END {
        if (NR == 0) { print name ": no clock read"; exit 1 }
        median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%-6s runs %d  min %.2f  median %.2f  max %.2f MHz  (max-min %.3f %% of median)\n",
               name, NR, v[1], median, v[NR], (v[NR] - v[1]) * 100 / median
      }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
series quiet
taskset -c "$other_cpu" sh -c 'while :; do :; done' &
busy_pid=$!
series loaded
stop_busy
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

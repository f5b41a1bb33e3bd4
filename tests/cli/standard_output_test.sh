#!/bin/sh
# Every mode of the command-line program with standard output on a full device: exactly one
# line of the program on standard error, and exit status 5. Argument: the program. Exit 77
# (skipped) where there is no /dev/full.
program=$1
[ -c /dev/full ] || exit 77
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

lost="tidewell32: Couldn't write to standard output. (No space left on device)"
failed=0
check() {   # the expected line, then the words of the command line
  expected=$1
  shift
  "$program" "$@" >/dev/full 2>errors
  status=$?
  if [ "$status" -ne 5 ] || [ "$(grep -c '^tidewell32:' errors)" -ne 1 ] ||
     ! grep -qxF "$expected" errors; then
    echo "FAILED: $* gave status $status and:"
    cat errors
    failed=1
  fi
}

check "$lost" --version
check "$lost" --help
check "$lost" --cpu
check "$lost" --bench
check "$lost" --bench-twins
check "$lost" --tests read --start 4K --end 4K
check "$lost" --c2c
check "$lost" --loaded-latency --end 64K
check "$lost" --tests read --start 4K --end 4K --table
check "tidewell32: Couldn't create CSV file. (standard output: No space left on device)" \
      --tests read --start 4K --end 4K --csv -
exit $failed

#!/bin/bash
# Runs --cpu in the native program and, under Wine, in the Windows program, and checks that
# both name the same processor; only the digits of the calibrated clock may differ.
set -euo pipefail
native=$("$1" --cpu)
windows=$("${WINE:-wine}" "$2" --cpu </dev/null | tr -d '\r')
# The clock field is right-aligned in eight places: its blanks change with its digit count.
mask() { sed -E '1s/ *[0-9]+,[0-9]{2} MHz/ N,NN MHz/'; }
echo "native:  $(echo "$native" | head -n1)"
echo "windows: $(echo "$windows" | head -n1)"
if [ "$(echo "$native" | mask)" != "$(echo "$windows" | mask)" ]; then
  echo "the processor lines differ" >&2
  diff <(echo "$native" | mask) <(echo "$windows" | mask) >&2 || true
  exit 1
fi

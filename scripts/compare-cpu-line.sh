#!/bin/bash
# Runs --cpu in the native program and, under Wine, in the Windows program, and checks that
# both name the same processor, features and caches; only measured clocks may differ.
set -euo pipefail
native=$("$1" --cpu)
windows=$("${WINE:-wine}" "$2" --cpu </dev/null | tr -d '\r')
# Line 1: the clock field is right-aligned in eight places, so its blanks change with its digit
# count. The clock line keeps its words with its figures masked; the warning that may follow it
# depends on those figures (a core near 5 % from its counter can warn in one run only).
mask() {
  sed -E -e '1s/ *[0-9]+,[0-9]{2} MHz/ N,NN MHz/' \
         -e '/^Clock: /s/[0-9]+,[0-9]{2} MHz/N,NN MHz/g' \
         -e '/^Warning: the core clock /d'
}
echo "native:  $(echo "$native" | head -n1)"
echo "windows: $(echo "$windows" | head -n1)"
if [ "$(echo "$native" | mask)" != "$(echo "$windows" | mask)" ]; then
  echo "the processor lines differ" >&2
  diff <(echo "$native" | mask) <(echo "$windows" | mask) >&2 || true
  exit 1
fi

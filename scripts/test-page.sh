#!/bin/bash
# The page of a short run in headless Chromium: it loads with no console error, draws one
# plotted series per measured series, and shades the cache levels with the sizes CPUID gives
# (or the measured ones, where the run says it used those). Chromium is started and stopped
# by its PID.   scripts/test-page.sh [PROGRAM]   (default build-test/tidewell32)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build-test/tidewell32}
chromium=$(command -v chromium || true)
[ -n "$chromium" ] || { echo "page: chromium is not installed (scripts/setup.sh installs it)" >&2; exit 1; }
work=$(mktemp -d)
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

"$program" --tests read,sse-read,random-latency --start 4K --end 16M --json "$work/run.json" \
    --page "$work/page.html" >/dev/null
"$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --enable-logging=stderr --v=0 --window-size=1400,900 \
    --virtual-time-budget=5000 --dump-dom "file://$work/page.html" >"$work/dom.html" 2>"$work/log" &
pid=$!
for _ in $(seq 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$pid" 2>/dev/null; then echo "page: chromium did not finish within 60 s" >&2; exit 1; fi
wait "$pid" || true
pid=""

errors=$(grep -E 'CONSOLE|Uncaught' "$work/log" | grep -viE 'devtools' || true)
[ -z "$errors" ] || { echo "page: console messages: $errors" >&2; exit 1; }
python3 - "$work/run.json" "$work/dom.html" <<'PY'
import json, re, sys
doc = json.load(open(sys.argv[1]))
dom = open(sys.argv[2]).read()
body = re.search(r'<body[^>]*>', dom).group(0)
series = re.search(r'data-series="(\d+)"', body)
bands = re.search(r'data-bands="([^"]*)"', body)
if not series or not bands:
    sys.exit("page: the script did not draw (no data-series or data-bands)")
measured = [s for s in doc["results"] if s["points"] and s["test"] != "walk"]
if int(series.group(1)) != len(measured):
    sys.exit("page: %s plotted series for %d measured" % (series.group(1), len(measured)))
def size(kb):
    b = kb * 1024
    return "%dM" % (b // 1048576) if b >= 1048576 and b % 1048576 == 0 else \
           ("%gM" % round(b / 1048576, 1) if b >= 1048576 else "%dK" % round(b / 1024))
labels = bands.group(1).split("|")
for level in doc["levels"]:
    if level["name"] == "memory" or not level["sizeKB"]:
        continue
    want = level["name"] + " " + size(level["sizeKB"])
    if not any(l.startswith(want) for l in labels):
        sys.exit("page: no band '%s' among %s" % (want, labels))
cpuid = [l for l in doc["levels"] if l["source"] == "cpuid" and l["name"] != "memory"]
print("page: %s series drawn, bands %s (%d sized by CPUID)" % (series.group(1), labels, len(cpuid)))
PY

#!/bin/bash
# Replaces the vendored uPlot (third_party/uplot) with the given version from the npm registry.
set -euo pipefail
version=${1:?usage: scripts/update-uplot.sh VERSION (e.g. 1.6.32)}
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack "uplot@$version" >/dev/null && tar xzf "uplot-$version.tgz")
cp "$work/package/dist/uPlot.iife.min.js" "$work/package/dist/uPlot.min.css" \
   "$work/package/LICENSE" third_party/uplot/
echo "$version" > third_party/uplot/VERSION
echo "third_party/uplot: uPlot $version"

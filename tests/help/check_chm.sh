#!/bin/bash
# usage: check_chm.sh CHMLS ENGLISH.chm RUSSIAN.chm
# Both help files hold the same pages, every page their contents and index point to, and
# the language that makes the viewer read their texts in the right code page.
set -uo pipefail
chmls=$1 english=$2 russian=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

pages() { "$chmls" -n list "$1" 2>/dev/null | tr -d '\r' | grep -o '^/[^/]*\.htm$' | sort; }
# Pages named by the Local parameters of a sitemap file (contents or index).
sitemapPages() {
  grep -io 'name="Local" value="[^"]*"' "$1" | sed 's/.*value="/\//; s/"$//' | sort -u
}
lcid() { "$chmls" printsystem "$1" 2>/dev/null | sed -n 's/.*LCID from HHP file *: *\([0-9]*\).*/\1/p'; }

for file in "$english" "$russian"; do
  [ -s "$file" ] || fail "$file is missing or empty"
done
[ $status -eq 0 ] || exit 1

pages "$english" >"$work/en"
pages "$russian" >"$work/ru"
[ -s "$work/en" ] || fail "$english lists no pages"
grep -qx /index.htm "$work/en" || fail "$english has no /index.htm"
diff -u "$work/en" "$work/ru" >"$work/diff" || fail "the pages differ: $(grep '^[-+]/' "$work/diff" | tr '\n' ' ')"

for file in "$english" "$russian"; do
  pages "$file" >"$work/pages"
  for sitemap in toc.hhc index.hhk; do
    rm -f "$work/sitemap"
    "$chmls" extract "$file" "/$sitemap" "$work/sitemap" >/dev/null 2>&1
    if [ ! -s "$work/sitemap" ]; then
      fail "$file has no /$sitemap"
      continue
    fi
    missing=$(sitemapPages "$work/sitemap" | comm -23 - "$work/pages" | tr '\n' ' ')
    [ -z "$missing" ] || fail "$file: $sitemap points to pages it lacks: $missing"
  done
done

[ "$(lcid "$english")" = 1033 ] || fail "$english: language $(lcid "$english"), not 1033 (0x409)"
[ "$(lcid "$russian")" = 1049 ] || fail "$russian: language $(lcid "$russian"), not 1049 (0x419)"

[ $status -eq 0 ] && echo "help files: $(wc -l <"$work/en") pages in each"
exit $status

#!/bin/bash
# The packages as users get them.
#   scripts/test-packages.sh deb          the .deb from a release build (build-package): lintian,
#                                         then unpacked into a throw-away root, whose program,
#                                         man page and bash completion are tried; and
#                                         cmake --install with DESTDIR.
#   scripts/test-packages.sh zip BUILD    the Windows zip of BUILD (build-win, build-win64),
#                                         unpacked and run under Wine (scripts/wine-env.sh
#                                         started by the caller).
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "packages: $*" >&2; exit 1; }

test_deb() {
  local build=build-package
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_TESTS=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)"
  (cd "$build" && cpack -G DEB >/dev/null)
  local deb
  deb=$(ls "$build"/tidewell32_*_amd64.deb)
  echo "== $deb"
  lintian --fail-on error "$deb" || fail "lintian found errors"
  dpkg -x "$deb" "$scratch/root"
  local bin=$scratch/root/usr/bin/tidewell32
  "$bin" --version
  "$bin" --cpu >/dev/null || fail "the installed tidewell32 --cpu failed"
  local warnings
  warnings=$(MANWIDTH=80 man -l "$scratch/root/usr/share/man/man1/tidewell32.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page warnings: $warnings"
  local completion=$scratch/root/usr/share/bash-completion/completions/tidewell32
  local reply
  reply=$(bash -c "source '$completion'
    COMP_WORDS=(tidewell32 --tests read,sse-r); COMP_CWORD=2; _tidewell32; echo \"\${COMPREPLY[*]}\"
    COMP_WORDS=(tidewell32 --end 25); COMP_CWORD=2; _tidewell32; echo \"\${COMPREPLY[*]}\"
    COMP_WORDS=(tidewell32 --leve); COMP_CWORD=1; _tidewell32; echo \"\${COMPREPLY[*]}\"")
  [ "$reply" = $'read,sse-read\n256K 256M\n--levels --levels-from' ] ||
    fail "bash completion answered: $reply"
  DESTDIR="$scratch/destdir" cmake --install "$build" --prefix /usr >/dev/null
  for f in bin/tidewell32 share/man/man1/tidewell32.1.gz share/bash-completion/completions/tidewell32 \
           share/doc/tidewell32/README.md share/doc/tidewell32/LICENSE share/doc/tidewell32/FONT-LICENSE; do
    [ -f "$scratch/destdir/usr/$f" ] || fail "cmake --install with DESTDIR did not install $f"
  done
  echo "== the .deb installs, runs, renders its man page and completes; DESTDIR install complete"
}

test_zip() {
  local build=$1
  (cd "$build" && cpack -G ZIP >/dev/null)
  local zip
  zip=$(ls "$build"/Tidewell32-*-win*.zip)
  echo "== $zip"
  unzip -q "$zip" -d "$scratch/zip"
  for f in Tidewell32.exe cli/tidewell32.exe tw32eng.chm tw32rus.chm LICENSE README.txt; do
    [ -f "$scratch/zip/$f" ] || fail "$zip lacks $f"
  done
  grep -q $'\r$' "$scratch/zip/README.txt" || fail "README.txt does not end its lines in CR LF"
  wine "$scratch/zip/cli/tidewell32.exe" --version | tr -d '\r'
  wine "$scratch/zip/cli/tidewell32.exe" --cpu >/dev/null || fail "tidewell32.exe --cpu from the zip failed"
  echo "== the zip holds both programs, the help files and the licence, and runs under Wine"
}

case ${1:-} in
  deb) test_deb ;;
  zip) test_zip "${2:?the Windows build directory}" ;;
  *) echo "usage: $0 deb | zip BUILD" >&2; exit 2 ;;
esac

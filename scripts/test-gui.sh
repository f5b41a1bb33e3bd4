#!/bin/bash
# End-to-end test of the window program under Wine: an X server of its own (Xvfb on a free
# display), a throw-away Wine prefix whose programs all share one 1024x768 virtual desktop,
# and the driver program that starts Tidewell32.exe and checks it through window messages.
#
#   scripts/test-gui.sh [BUILD_DIR]
#
# BUILD_DIR (needs gui/Tidewell32.exe and gui_driver.exe) and the Wine loader are those that
# scripts/wine-env.sh chooses for this host, unless the caller has sourced it already.
#
# Keeps BUILD_DIR/gui-artifacts/: after-run.png (the main window after a run), the driver's
# output and the first report. The last line is "N passed, M failed"; exit status 0 when
# nothing failed.
set -uo pipefail
cd "$(dirname "$0")/.."
if [ -z "${TW_WIN_BUILD_DIR:-}" ]; then
  source scripts/wine-env.sh || exit 2
  rm -rf "$WINE_WORK"   # its prefix is not used: this test makes one with a desktop
fi
BUILD=$(cd "${1:-$TW_WIN_BUILD_DIR}" && pwd)
PROGRAM=$BUILD/gui/Tidewell32.exe
DRIVER=$BUILD/gui_driver.exe
ART=$BUILD/gui-artifacts
for f in "$PROGRAM" "$DRIVER"; do
  [ -f "$f" ] || { echo "test-gui: $f is missing (build the Windows programs first)"; exit 1; }
done

# winemenubuilder would copy the host's URL handlers into the prefix (a browser installed for
# the page test takes over mailto:), past the recording xdg-open and xdg-email below.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;winemenubuilder.exe=d"
WORK=$(mktemp -d /tmp/tidewell-gui.XXXXXX)
export WINEPREFIX=$WORK/prefix
XVFB_PID=""
started=$SECONDS

cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k 2>/dev/null
    timeout 20 "$WINESERVER" -w 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# Xvfb chooses a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "test-gui: Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$WORK/display")"

# The report page is opened through winebrowser, which runs xdg-open: record, open nothing.
mkdir -p "$WORK/bin" "$WORK/run" "$ART"
printf '#!/bin/sh\necho "$*" >> "%s/xdg-open.log"\n' "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
# The About dialog's e-mail links go to xdg-email: recorded in the same log, which the driver reads.
cp "$WORK/bin/xdg-open" "$WORK/bin/xdg-email"
export PATH="$WORK/bin:$PATH" TW_SHELL_LOG="Z:${WORK//\//\\}\\xdg-open.log"

# A new prefix: Wine's own fonts (dialog units depend on them), every program in one virtual
# desktop, then a server restart so no leftover of wineboot disturbs the first window.
"$WINE" wineboot -i </dev/null >"$WORK/wineboot.log" 2>&1
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
cat >"$WORK/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
# winebrowser hands web and mail links to these: only the recording ones, whatever the host has.
printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n"Mailers"="%s"\n' \
    "$WORK/bin/xdg-open" "$WORK/bin/xdg-email" >>"$WORK/desktop.reg"
"$WINE" regedit /S "$WORK/desktop.reg" </dev/null >/dev/null 2>&1
"$WINESERVER" -k 2>/dev/null
timeout 20 "$WINESERVER" -w 2>/dev/null
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
echo "test-gui: prefix ready on display $DISPLAY after $((SECONDS - started)) s"

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
(cd "$WORK/run" && timeout 100 "$WINE" "$DRIVER" "$(windows_path "$PROGRAM")" \
    "$(windows_path "$WORK/run")" "$(windows_path "$WORK/after-run.bmp")") \
    </dev/null >"$ART/driver.txt" 2>"$WORK/driver.err"
rc=$?
tr -d "\r" <"$ART/driver.txt" | grep -v "^[0-9]* passed, [0-9]* failed$"
[ $rc -eq 124 ] && echo "FAIL the driver did not finish within 100 s"
[ -s "$WORK/driver.err" ] && sed 's/^/driver stderr: /' "$WORK/driver.err" | head -20

# The shell's "open" of each report page runs after Report returns: give it a moment.
for _ in $(seq 50); do
  grep -q twrep_01.htm "$WORK/xdg-open.log" 2>/dev/null && break
  sleep 0.1
done
if grep -q twrep_00.htm "$WORK/xdg-open.log" 2>/dev/null &&
   grep -q twrep_01.htm "$WORK/xdg-open.log"; then
  echo "ok   the browser is asked to open twrep_00.htm and twrep_01.htm"; own_failed=0
else
  echo "FAIL the browser is asked to open twrep_00.htm and twrep_01.htm:" \
       "$(cat "$WORK/xdg-open.log" 2>/dev/null)"; own_failed=1
fi

[ -f "$WORK/after-run.bmp" ] && convert "$WORK/after-run.bmp" "$ART/after-run.png"
cp "$WORK"/run/twrep_00.* "$ART/" 2>/dev/null

totals=$(tr -d "\r" <"$ART/driver.txt" | grep -E "^[0-9]+ passed, [0-9]+ failed$" | tail -1)
passed=${totals%% passed*}; failed=${totals#*, }; failed=${failed%% failed}
if [ -z "$totals" ]; then passed=0; failed=1; fi
passed=$((passed + 1 - own_failed)); failed=$((failed + own_failed))
echo "test-gui: $((SECONDS - started)) s; screenshot $ART/after-run.png"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ $rc -eq 0 ]

# Sourced: a throw-away 32-bit Wine prefix with its server started detached, so console
# programs run fast under CTest. wine_env_stop ends this prefix's server only.
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree="
WINE_WORK=$(mktemp -d /tmp/tidewell-wine.XXXXXX)
export WINEPREFIX=$WINE_WORK/prefix
wine_env_start() {
  wineboot -i </dev/null >"$WINE_WORK/wineboot.log" 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
wine_env_stop() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINE_WORK"
}

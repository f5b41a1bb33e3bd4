# Sourced: chooses the Windows build this host can run, and gives it a throw-away Wine prefix
# with its server started detached, so console programs run fast under CTest.
#
# The product is the 32-bit (i686) program. Some hosts cannot execute 32-bit x86 code at all;
# there the same source, built for 64-bit Windows, is tested under 64-bit Wine instead.
# TW_WINDOWS_BUILD=i686 or TW_WINDOWS_BUILD=x86_64 forces the choice.
#
# Exports: TW_WINDOWS_BUILD, TW_WINDOWS_WHY (one line), TW_WIN_TOOLCHAIN, TW_WIN_BUILD_DIR,
# WINE and WINESERVER (the loader and server to call), WINEARCH, WINEPREFIX.
# wine_env_stop ends this prefix's server only.

# 32-bit execution: libc6:i386 comes with wine32; its loader answers "Exec format error" on
# hosts without 32-bit execution.
tw_host_runs_32bit() {
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --help >/dev/null 2>&1
}

if [ -n "${TW_WINDOWS_BUILD:-}" ]; then
  case "$TW_WINDOWS_BUILD" in
    i686|x86_64) TW_WINDOWS_WHY="chosen by TW_WINDOWS_BUILD" ;;
    *) echo "TW_WINDOWS_BUILD must be i686 or x86_64, not '$TW_WINDOWS_BUILD'" >&2; return 2 ;;
  esac
elif tw_host_runs_32bit; then
  TW_WINDOWS_BUILD=i686
  TW_WINDOWS_WHY="this host executes 32-bit x86 code"
else
  TW_WINDOWS_BUILD=x86_64
  TW_WINDOWS_WHY="this host cannot execute 32-bit x86 code"
fi

if [ "$TW_WINDOWS_BUILD" = i686 ]; then
  TW_WIN_TOOLCHAIN=cmake/mingw-i686.cmake
  TW_WIN_BUILD_DIR=build-win
  WINE=wine WINESERVER=wineserver WINEARCH=win32
else
  TW_WIN_TOOLCHAIN=cmake/mingw-x86_64.cmake
  TW_WIN_BUILD_DIR=build-win64
  # Debian's wrappers take the 32-bit loader whenever wine32 is installed.
  WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64
fi
export TW_WINDOWS_BUILD TW_WINDOWS_WHY TW_WIN_TOOLCHAIN TW_WIN_BUILD_DIR WINE WINESERVER WINEARCH
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree="
WINE_WORK=$(mktemp -d /tmp/tidewell-wine.XXXXXX)
export WINEPREFIX=$WINE_WORK/prefix

# Which Windows build runs the tests, and why: one line for the test output.
tw_windows_build_line() {
  local bits=32
  [ "$TW_WINDOWS_BUILD" = x86_64 ] && bits=64
  echo "Windows build tested: $TW_WINDOWS_BUILD under $bits-bit Wine ($TW_WINDOWS_WHY)"
}

wine_env_start() {
  "$WINE" wineboot -i </dev/null >"$WINE_WORK/wineboot.log" 2>&1
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}
wine_env_stop() {
  # The server first: a prefix deleted under a running server makes the next wineboot hang.
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINE_WORK"
}

#!/bin/bash
# The main job. With a display and no options: builds the window program Tidewell32.exe (the
# Windows build this host can run, see scripts/wine-env.sh) and starts it under Wine. With
# options, or without a display: builds the command-line program and runs a measurement, the
# window's initial choice of tests or what the options ask for (see README.md). Either program
# works in the directory run.sh was started from, so reports land there.
set -euo pipefail
start_dir=$PWD
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

# Wine's own fonts, copied into the prefix: Debian's Wine does not load them from where they
# are installed, and the dialogs are laid out in their units.
prepare_prefix() {
  [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] && return
  echo "Preparing the Wine prefix $WINEPREFIX (once, about 15 s)"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # Let wineboot's services finish: a window opened while they settle may never appear.
  "$WINESERVER" -w
}

# Without a window manager a Wine window has no frame or title bar: it then gets a virtual
# desktop of its own, where Wine draws them.
has_window_manager() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

run_window_program() {
  source scripts/wine-env.sh
  rm -rf "$WINE_WORK"   # its throw-away prefix is for tests; the program keeps one
  export WINEPREFIX=${TW_WINEPREFIX:-$HOME/.local/share/tidewell32/wine-$WINEARCH}
  cmake -S . -B "$TW_WIN_BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TW_WIN_TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$TW_WIN_BUILD_DIR" -j"$(nproc)" --target tidewell32_gui
  prepare_prefix
  local program="$root/$TW_WIN_BUILD_DIR/gui/Tidewell32.exe"
  cd "$start_dir"
  if has_window_manager; then
    exec "$WINE" "$program"
  fi
  exec "$WINE" explorer /desktop=Tidewell32,1024x768 "Z:${program//\//\\}"
}

if [ $# -eq 0 ] && [ -n "${DISPLAY:-}" ]; then
  run_window_program
fi
if [ $# -eq 0 ]; then
  echo "No display (DISPLAY is not set): running the command-line measurement instead." >&2
fi
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)"
cd "$start_dir"
exec "$root/build-release/tidewell32" "$@"

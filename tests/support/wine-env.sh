# Sourced by the test scripts: the private Wine prefix, home and display of one build's test run.
# KV_TEST_ROOT must be set; nothing here touches ~/.wine or the user's home.
export WINEPREFIX="$KV_TEST_ROOT/prefix"
export HOME="$KV_TEST_ROOT/home"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export WINEDEBUG="${KV_WINEDEBUG:--all}"
# No Mono or Gecko download, no desktop entries; a test may add its own overrides before ours.
export WINEDLLOVERRIDES="${KV_DLLOVERRIDES:+$KV_DLLOVERRIDES;}mscoree,mshtml=;winemenubuilder.exe=d"
if [ -s "$KV_TEST_ROOT/display" ]; then
  export DISPLAY=":$(head -n1 "$KV_TEST_ROOT/display")"
else
  unset DISPLAY
fi
unset WAYLAND_DISPLAY

kv_ensure_prefix() {
  # The shell's Recycle Bin only works where the data folder exists.
  mkdir -p "$KV_TEST_ROOT" "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.kv-ready-v2" ]; then
      rm -rf "$WINEPREFIX"
      DISPLAY= wineboot -i >/dev/null 2>&1 || exit 1
      wineserver -w
      # Xvfb has no window manager: Wine draws the frames itself (screenshots show titles), and does
      # not wait two seconds for a manager to confirm every window it hides.
      DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
      DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.kv-ready-v2"
    fi
  ) 9>"$KV_TEST_ROOT/prefix.lock"
}

#!/usr/bin/env bash
# Starts (start) or stops (stop) the shared pieces of a test run: a private Xvfb display and a
# persistent wineserver, which makes each test process start in a fraction of a second.
set -u
KV_TEST_ROOT="$2"
. "$(dirname "$0")/wine-env.sh"

stop() {
  wineserver -k >/dev/null 2>&1
  if [ -f "$KV_TEST_ROOT/xvfb.pid" ]; then
    pid=$(cat "$KV_TEST_ROOT/xvfb.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    rm -f "$KV_TEST_ROOT/xvfb.pid"
  fi
  rm -f "$KV_TEST_ROOT/display"
  wineserver -w >/dev/null 2>&1
}

case "$1" in
  start)
    stop
    kv_ensure_prefix || { echo "could not create the Wine prefix" >&2; exit 1; }
    rm -f "$KV_TEST_ROOT/display.new"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
      3>"$KV_TEST_ROOT/display.new" >"$KV_TEST_ROOT/xvfb.log" 2>&1 </dev/null &
    echo $! >"$KV_TEST_ROOT/xvfb.pid"
    for _ in $(seq 100); do [ -s "$KV_TEST_ROOT/display.new" ] && break; sleep 0.1; done
    [ -s "$KV_TEST_ROOT/display.new" ] || { echo "Xvfb did not start" >&2; cat "$KV_TEST_ROOT/xvfb.log" >&2; exit 1; }
    mv "$KV_TEST_ROOT/display.new" "$KV_TEST_ROOT/display"
    . "$(dirname "$0")/wine-env.sh"
    setsid wineserver -p >/dev/null 2>&1 </dev/null
    # Starts the desktop process on the new display before the first test needs it.
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    echo "display $DISPLAY, prefix $WINEPREFIX"
    ;;
  stop)
    stop
    if pgrep -f "Xvfb -displayfd" >/dev/null && [ -f "$KV_TEST_ROOT/xvfb.pid" ]; then
      echo "Xvfb still running" >&2; exit 1
    fi
    echo "stopped"
    ;;
  *)
    echo "usage: $0 start|stop TEST_ROOT" >&2; exit 2 ;;
esac

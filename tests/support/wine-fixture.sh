#!/usr/bin/env bash
# Usage: wine-fixture.sh start TEST_ROOT ARTEFACT_DIR | stop TEST_ROOT
# Starts (start) or stops (stop) the shared pieces of a test run: a private Xvfb display and a
# persistent wineserver, which makes each test process start in a fraction of a second.
set -u
KV_TEST_ROOT="$2"
. "$(dirname "$0")/wine-env.sh"

stop() {
  wineserver -k >/dev/null 2>&1
  if [ -f "$KV_TEST_ROOT/shots.pid" ]; then
    kill "$(cat "$KV_TEST_ROOT/shots.pid")" 2>/dev/null
    rm -f "$KV_TEST_ROOT/shots.pid"
  fi
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
    mkdir -p "$KV_TEST_ROOT/shots"
    setsid bash "$(dirname "$0")/screenshot-service.sh" "$KV_TEST_ROOT" "$DISPLAY" "$3" \
      >/dev/null 2>&1 </dev/null &
    echo $! >"$KV_TEST_ROOT/shots.pid"
    # Starts the desktop process on the new display before the first test needs it, and keeps it for the
    # whole run: one started by a test's first window inherits that test's output, and ctest waits for it.
    setsid wine explorer.exe /desktop >/dev/null 2>&1 </dev/null &
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    # Unix symbolic links, which Wine cannot create from a test: a selection holding a link to a
    # folder outside it, whose file must survive a shred of the selection.
    f="$KV_TEST_ROOT/fixtures/links"
    rm -rf "$f" && mkdir -p "$f/selected/sub" "$f/outside" &&
      printf 'outside content' >"$f/outside/secret.txt" &&
      printf 'inside content' >"$f/selected/sub/own.txt" &&
      ln -s ../../outside "$f/selected/sub/folder-link" || { echo "could not lay the link fixture" >&2; exit 1; }
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
    echo "usage: $0 start TEST_ROOT ARTEFACT_DIR | stop TEST_ROOT" >&2; exit 2 ;;
esac

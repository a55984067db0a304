#!/usr/bin/env bash
# Pipes 64 MiB of text (CR LF lines, then LF lines) through KvPipe and through the bench's floor program
# under the test bench's Wine and prints the ratio of their times (goal: at most 1.5).
# Usage: bench/pipe.sh [BUILD_DIR] (default build/; not while ctest runs in that build). KV_BENCH_MIB (64), KV_BENCH_ROUNDS (5; the best of each counts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DKV_TESTS=ON >/dev/null
cmake --build "$build" --target KvPipe PipeFloor PipeBench >/dev/null
winpath() { printf 'Z:%s' "$(realpath "$1")" | tr / '\\'; }
fixture=$root/tests/support/wine-fixture.sh
bash "$fixture" start "$build/wine" "$build/artefacts" >/dev/null
trap 'bash "$fixture" stop "$build/wine" >/dev/null' EXIT
"$build/wine-run.sh" "$(winpath "$build/bench/PipeBench.exe")" "$(winpath "$build/programs/KvPipe/KvPipe.exe")" \
  "$(winpath "$build/bench/PipeFloor.exe")" "${KV_BENCH_MIB:-64}" "${KV_BENCH_ROUNDS:-5}"

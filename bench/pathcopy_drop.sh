#!/usr/bin/env bash
# Usage: bench/pathcopy_drop.sh
# Drops 1,000 and 10,000 names on KvPathCopy through the test shell host under the test run's Wine prefix
# and prints the time per name at both sizes and their ratio (goal: at most 1.3).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD:-$root/build}
cmake --build "$build" --target KvPathCopy pathcopy_drop_bench >/dev/null
fixture=$root/tests/support/wine-fixture.sh
bash "$fixture" start "$build/wine" "$build/artefacts" >/dev/null
trap 'bash "$fixture" stop "$build/wine" >/dev/null' EXIT
"$build/wine-run.sh" "$build/bench/pathcopy_drop_bench.exe" | tr -d '\r'

#!/usr/bin/env bash
# Usage: bench/pathcopy_drop.sh [BUILD_DIR]
# Drops 1,000 and 10,000 names on KvPathCopy through the test shell host under a Wine prefix of its own
# and prints the time per name at both sizes and their ratio (goal: at most 1.3).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target pathcopy_drop_bench >/dev/null
KV_TEST_ROOT="$PWD/$build/bench-wine"
support="$PWD/tests/support"
bash "$support/wine-fixture.sh" start "$KV_TEST_ROOT" "$PWD/$build/bench-artefacts" >/dev/null
trap 'bash "$support/wine-fixture.sh" stop "$KV_TEST_ROOT" >/dev/null' EXIT
. "$support/wine-env.sh"
wine "$build/bench/pathcopy_drop_bench.exe"

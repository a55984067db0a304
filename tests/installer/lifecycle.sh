#!/usr/bin/env bash
# Runs the installer tests in a Wine prefix made fresh for them, as on a machine that never had Korvane.
set -u
root=$1 artefacts=$2 tests=$3
support=$(cd "$(dirname "$0")/../support" && pwd)
bash "$support/wine-fixture.sh" stop "$root" >/dev/null 2>&1
rm -rf "$root"
bash "$support/wine-fixture.sh" start "$root" "$artefacts" >/dev/null || exit 1
KV_TEST_ROOT=$root
. "$support/wine-env.sh"
wine "$tests"
status=$?
bash "$support/wine-fixture.sh" stop "$root" >/dev/null
rm -rf "$root"
exit $status

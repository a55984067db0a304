#!/usr/bin/env bash
# Builds Korvane with its tests and runs the whole suite under Wine; ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
kv_install_deps test
cmake -S . -B build -G Ninja -DKV_TESTS=ON -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build
cd build
ctest -j2 --output-on-failure --timeout 300

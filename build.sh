#!/usr/bin/env bash
# Builds every Korvane deliverable into dist/, installing the toolchain first where it is missing.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
kv_install_deps build
# A build tree of its own: the deliverables alone, without the test programs.
cmake -S . -B build-dist -G Ninja -DKV_TESTS=OFF -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build-dist
rm -rf dist
cmake --install build-dist --prefix "$PWD/dist" --strip >/dev/null
ls -l dist

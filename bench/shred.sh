#!/usr/bin/env bash
# Shred throughput: KvTrash under Wine against GNU `shred -n 1 -u`, the same size in the same folder,
# measured in one run; prints the throughput ratio (goal >= 1.0) and the size of every module (goal < 64 KiB).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD:-$root/build}
mib=${1:-256}
cmake --build "$build" --target KvTrash trash_bench >/dev/null
fixture=$root/tests/support/wine-fixture.sh
bash "$fixture" start "$build/wine" "$build/artefacts" >/dev/null
trap 'bash "$fixture" stop "$build/wine" >/dev/null' EXIT
dir=$build/wine/prefix/drive_c/kvbench
rm -rf "$dir" && mkdir -p "$dir"
head -c "${mib}M" /dev/urandom >"$dir/kvtrash.bin"
cp "$dir/kvtrash.bin" "$dir/gnu.bin"
sync

kv_ms=$("$build/wine-run.sh" "$build/bench/trash_bench.exe" 'C:\kvbench\kvtrash.bin' | tr -d '\r')
[ ! -e "$dir/kvtrash.bin" ] || { echo "KvTrash left the file behind" >&2; exit 1; }
start=$(date +%s%N)
shred -n 1 -u "$dir/gnu.bin"
gnu_ms=$(( ($(date +%s%N) - start) / 1000000 ))

echo "shred of $mib MiB: KvTrash ${kv_ms} ms ($(( mib * 1000 / (kv_ms > 0 ? kv_ms : 1) )) MiB/s), GNU shred ${gnu_ms} ms ($(( mib * 1000 / (gnu_ms > 0 ? gnu_ms : 1) )) MiB/s)"
awk -v k="$kv_ms" -v g="$gnu_ms" 'BEGIN { printf "throughput ratio KvTrash/GNU shred: %.2f (goal >= 1.0)\n", g / k }'
for module in $(find "$build/programs" "$build/extensions" "$build/applet" -maxdepth 2 -type f \
                 \( -name '*.exe' -o -name '*.dll' -o -name '*.cpl' \) 2>/dev/null | sort); do
  stripped=$(mktemp)
  i686-w64-mingw32-strip -o "$stripped" "$module"
  printf '%-16s %6d bytes stripped (goal < 65536)\n' "$(basename "$module")" "$(stat -c %s "$stripped")"
  rm -f "$stripped"
done

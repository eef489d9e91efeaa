#!/usr/bin/env bash
# bench/run.sh - `make bench`: builds and runs every benchmark and writes bench/results.md.
#
#   bench/run.sh [jobs]        (BENCH_ROUNDS=7 by default: rounds of each Wine timing)
#
# BENCH_BEFORE=<folder> names a Windows build of an earlier commit (its quarvex.exe and quarvex-swap.exe):
# those programs then run in the same rounds, so paste -> "変換終了" and start-up are compared with them.
#
# 1. the native micro-benchmarks of the pixel core (build/bench: Release, no sanitizers);
# 2. the Windows benchmark programs, in the Windows build but outside its default targets;
# 3. a 7692 x 3330 stereo pair made with ImageMagick;
# 4. the whole-program timings under Wine on a private display (bench/wine_rounds.sh);
# 5. one table of figures (bench/report.py), printed and written to bench/results.md.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-1}
rounds=${BENCH_ROUNDS:-7}
out=build/bench-run
rm -rf "$out"
mkdir -p "$out"
magick=/usr/bin/convert
[ -x "$magick" ] || magick=convert

{
  echo "machine.cpu $(lscpu | sed -n 's/^Model name: *//p' | head -n1)"
  echo "machine.cores $(nproc)"
  echo "machine.load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "run.date $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "run.commit $(git rev-parse --short HEAD 2>/dev/null || echo unknown)$(git diff --quiet HEAD 2>/dev/null || echo ' (with uncommitted changes)')"
} >"$out/machine.txt"

echo "bench: native build" >&2
# Builds quietly with any CMake generator; a failure shows the end of its log
build() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "bench: failed: $* (log in $log)" >&2; exit 1; }
}
build "$out/native-configure.log" cmake -S bench -B build/bench -DCMAKE_BUILD_TYPE=Release
build "$out/native-build.log" cmake --build build/bench -j "$jobs"
echo "bench: pixel core micro-benchmarks" >&2
# Repetitions in random order, so a drift of the machine does not favour one routine or its reference.
build/bench/vrx_pixel_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.1 --benchmark_out="$out/pixel.json" --benchmark_out_format=json >"$out/pixel.txt"

echo "bench: Windows build" >&2
build "$out/windows-build.log" cmake --build build/windows -j "$jobs" --target vrx_bench_driver vrx_bench_requests \
  vrx_bench_phases vrx_bench_phases_swap

# The earlier programs sit beside the driver, which starts programs from its own folder
rm -f build/windows/quarvex-before.exe build/windows/quarvex-swap-before.exe
if [ -n "${BENCH_BEFORE:-}" ]; then
  cp "$BENCH_BEFORE/quarvex.exe" build/windows/quarvex-before.exe
  cp "$BENCH_BEFORE/quarvex-swap.exe" build/windows/quarvex-swap-before.exe
fi

echo "bench: making the stereo pair" >&2
# A smooth, photograph-like picture: a small plasma enlarged, as 24-bit BMP.
"$magick" -size 962x416 -seed 7 plasma:fractal -resize '7692x3330!' -type TrueColor "BMP3:$out/pair.bmp"

scripts/with-xvfb.sh bench/wine_rounds.sh "$out" "$rounds"

echo "machine.load_end $(cut -d' ' -f1-3 /proc/loadavg)" >>"$out/machine.txt"
cat "$out/machine.txt" >>"$out/info.txt"
python3 bench/report.py "$out" >bench/results.md
cat bench/results.md

#!/usr/bin/env bash
# bench/wine_rounds.sh - the whole-program timings under Wine; run by bench/run.sh on a private display
# (scripts/with-xvfb.sh), so one wineserver serves every round.
#
#   bench/wine_rounds.sh <output folder with pair.bmp> <rounds>
#
# Each round works quarvex, quarvex-swap, ImageMagick and the GDI+ encoder alone one after the other,
# so a drift of the machine's speed touches all four alike, then paste -> "変換終了" of both programs
# and the steps of the conversion timed inside a process that hosts the toolkit (vrx_bench_phases).
# Figures go to <output>/results.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
out=$1
rounds=$2
results=$out/results.txt
log=$out/wine.log
drive_c=$WINEPREFIX/drive_c
drv=build/windows/vrx_bench_driver.exe
magick=/usr/bin/convert
[ -x "$magick" ] || magick=convert

# A Unix path as Wine sees it (drive Z: is the root)
win() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }

# Runs a Windows program, its output (and that of Wine's helpers) into the log; a failure is reported
# and leaves its figure out
run() { wine "$@" >>"$log" 2>&1 || echo "bench: failed: $* (see $log)" >&2; }

# Milliseconds since the epoch
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

pair=$(win "$out/pair.bmp")
# The programs of an earlier commit, when bench/run.sh was given them (BENCH_BEFORE)
before=()
[ -f build/windows/quarvex-before.exe ] && before=(quarvex-before.exe quarvex-swap-before.exe)
: >"$results"

# A first conversion, not timed, tells the JPEG quality the program's file really has.
run "$drv" convert quarvex.exe "$pair" "$(win "$out")\\warmup.txt"
size=$(identify -format '%wx%h' "$drive_c/quarvex_out.jpg")
quality=$(identify -format '%Q' "$drive_c/quarvex_out.jpg")
echo "program.output_size $size" >"$out/info.txt"
echo "program.jpeg_quality $quality" >>"$out/info.txt"
echo "bench: the programs write $size at JPEG quality $quality" >&2

for r in $(seq "$rounds"); do
  echo "bench: conversion round $r of $rounds" >&2
  run "$drv" convert quarvex.exe "$pair" "$(win "$results")"
  run "$drv" convert quarvex-swap.exe "$pair" "$(win "$results")"
  for exe in "${before[@]}"; do run "$drv" convert "$exe" "$pair" "$(win "$results")"; done
  t0=$(now_ms)
  "$magick" "$out/pair.bmp" -gravity center -background black -extent 200%x100% -quality "$quality" \
    "$out/magick.jpg"
  t1=$(now_ms)
  echo "imagemagick.convert_ms $((t1 - t0))" >>"$results"
  run "$drv" floor "$pair" "$(win "$out")\\floor.jpg" "$(win "$results")"
  run "$drv" touch "${size%x*}" "${size#*x}" "$(win "$results")"
  # Paste -> "変換終了" with Start right after Paste, and each step inside the program on its own
  run "$drv" convert quarvex.exe "$pair" "$(win "$results")" 0
  run "$drv" convert quarvex-swap.exe "$pair" "$(win "$results")" 0
  for exe in "${before[@]}"; do run "$drv" convert "$exe" "$pair" "$(win "$results")" 0; done
  run build/windows/vrx_bench_phases.exe "$pair" 'c:\quarvex_phases.jpg' "$(win "$results")"
  run build/windows/vrx_bench_phases_swap.exe "$pair" 'c:\quarvex_phases.jpg' "$(win "$results")"
done
echo "imagemagick.output $(identify -format '%wx%h %Q' "$out/magick.jpg")" >>"$out/info.txt"
echo "encoder.output $(identify -format '%wx%h %Q' "$out/floor.jpg")" >>"$out/info.txt"

for r in $(seq "$rounds"); do
  echo "bench: start-up round $r of $rounds" >&2
  run "$drv" startup quarvex.exe "$(win "$results")"
  run "$drv" startup quarvex-swap.exe "$(win "$results")"
  for exe in "${before[@]}"; do run "$drv" startup "$exe" "$(win "$results")"; done
  run "$drv" bare "$(win "$results")"
done

echo "bench: request hand-over" >&2
run build/windows/vrx_bench_requests.exe "$(win "$results")" 1000
echo "bench: GDI rescale" >&2
run "$drv" rescale "$(win "$results")"

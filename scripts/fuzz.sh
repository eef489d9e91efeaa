#!/usr/bin/env bash
# scripts/fuzz.sh - builds the libFuzzer targets of tests/fuzz/ and runs each for FUZZ_SECONDS.
#
# Each target is built with clang and -fsanitize=fuzzer,address,undefined from the Windows-free
# sources it exercises, run on its corpus under build/fuzz/, and its coverage then measured with
# llvm-cov on a second, instrumented build replaying the corpus. A summary (CPU seconds, runs,
# libFuzzer's cov: figure, line coverage of the sources under test, crashes) goes to
# build/fuzz/summary.txt; a crash leaves its input in build/fuzz/artifacts/ and fails the run.
#
# Usage: scripts/fuzz.sh [target...]   (FUZZ_SECONDS=60 by default)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
seconds=${FUZZ_SECONDS:-60}

# clang and its runtime libraries (libFuzzer, sanitizers, profiling) from Debian; time for CPU seconds
pkg_who=fuzz
. "$root/scripts/packages.sh"
apt_install clang llvm libclang-rt-14-dev time

# The sources each target needs besides itself
declare -A sources=(
  [packed_dib]="image/packed_dib.cpp imaging/rle_decode.cpp imaging/raster.cpp"
  [text_layout]="imaging/text_core.cpp imaging/draw_core.cpp imaging/raster.cpp imaging/font8x14.cpp"
  [window_report]="text/window_report.cpp"
)
# What the coverage figures count: the functions under test (a pattern of their mangled names)
declare -A measured=(
  [packed_dib]="read_packed_dib|read32|rle_decode|rle_put_run"
  [text_layout]="draw_char|draw_string|draw_textv|text_advance|new_line"
  [window_report]="append_c_string|append_format|build_window_report|report_|print_|cp932_lead_byte"
)

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(packed_dib text_layout window_report)
mkdir -p "$out/artifacts"
summary=$out/summary.txt
printf '%-18s %8s %12s %6s %9s %9s %7s\n' target cpu_s runs cov lines branches crashes >"$summary"
total_cpu=0 failed=0

for t in "${targets[@]}"; do
  src=$root/tests/fuzz/${t}_fuzz.cpp
  [ -f "$src" ] || { echo "fuzz: no target $t" >&2; exit 2; }
  files=()
  for f in ${sources[$t]}; do files+=("$root/$f"); done
  clang++ -std=c++17 -g -O1 -I"$root" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "$src" "${files[@]}" -o "$out/$t"
  corpus=$out/corpus/$t
  mkdir -p "$corpus"
  [ -d "$root/tests/fuzz/seeds/$t" ] && cp -n "$root/tests/fuzz/seeds/$t"/* "$corpus/" 2>/dev/null || true
  log=$out/$t.log
  echo "fuzz: $t for $seconds s"
  status=0
  /usr/bin/time -f '%U %S' -o "$out/$t.time" \
    "$out/$t" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/$t-" >"$log" 2>&1 || status=$?
  cpu=$(tail -n 1 "$out/$t.time" | awk '{printf "%.1f", $1 + $2}')
  total_cpu=$(awk -v a="$total_cpu" -v b="$cpu" 'BEGIN {printf "%.1f", a + b}')
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  crashes=$(ls "$out/artifacts" | grep -c "^$t-" || true)
  [ $status -eq 0 ] || failed=1

  # Line coverage: the corpus replayed by an instrumented build (an input that fails there is written
  # under build/fuzz/ too, not into the folder the script runs in)
  clang++ -std=c++17 -O0 -I"$root" -fsanitize=fuzzer -fprofile-instr-generate -fcoverage-mapping \
    "$src" "${files[@]}" -o "$out/$t.cov"
  LLVM_PROFILE_FILE="$out/$t.profraw" "$out/$t.cov" "$corpus" -runs=0 -artifact_prefix="$out/$t.cov-" >/dev/null 2>&1 || true
  llvm-profdata merge -sparse "$out/$t.profraw" -o "$out/$t.profdata"
  read -r lines branches < <(llvm-cov report -show-functions "$out/$t.cov" -instr-profile="$out/$t.profdata" \
      "${files[@]}" | awk -v pat="${measured[$t]}" '
        $1 ~ pat && NF >= 10 { l += $5; lm += $6; b += $8; bm += $9 }
        END { printf "%.1f%% %.1f%%\n", l ? 100 * (l - lm) / l : 0, b ? 100 * (b - bm) / b : 0 }')
  printf '%-18s %8s %12s %6s %9s %9s %7s\n' "$t" "$cpu" "$runs" "$cov" "$lines" "$branches" "$crashes" >>"$summary"
done
echo "total CPU seconds fuzzed: $total_cpu" >>"$summary"
cat "$summary"
[ $failed -eq 0 ] || { echo "fuzz: a target failed; inputs in $out/artifacts" >&2; exit 1; }

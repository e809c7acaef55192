#!/usr/bin/env bash
# Peak resident memory of a whole `qvc calc` run with every report: the study of
# bench_calc_reports (20 design cases, every list full, 50 years) is built once
# by the benchmark program and then calculated by the command-line host under
# /usr/bin/time -v.
#   bench/reports/peak_memory.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QVC_BENCH_PROJECT="$work/project" "$build/bin/bench_calc_reports" \
  --benchmark_filter=PerformCalc --benchmark_repetitions=1 --benchmark_min_time=0.01 &>/dev/null
mkdir -p "$work/out"
/usr/bin/time -v "$build/bin/qvc" calc "$work/project" 1 --out "$work/out" 2>"$work/time.txt" >/dev/null
grep -E "Maximum resident set size|Elapsed \(wall clock\)" "$work/time.txt"
ls "$work/out"

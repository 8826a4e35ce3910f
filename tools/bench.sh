#!/bin/bash
# Runs the benchmark under Wine, prints its tables and plots the sort's time per item.
#   tools/bench.sh BUILD32 BUILD64 PLOT.png [BENCH_OPTIONS...]
# The 32-bit build runs where this machine can run it, the 64-bit build elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."

skipped=77
build32=$1
build64=$2
plot=$3
shift 3

build=$build32
status=0
cmake/wine-run.sh 32 "$build/tolvarenkis_bench.exe" --data "$build/bench.tsv" "$@" || status=$?
if [ $status -eq $skipped ]; then
    echo "(running the 64-bit build instead)" >&2
    build=$build64
    status=0
    cmake/wine-run.sh 64 "$build/tolvarenkis_bench.exe" --data "$build/bench.tsv" "$@" || status=$?
fi
cmake/wine-run.sh --shutdown
[ $status -eq 0 ] || exit $status

gnuplot -e "data='$build/bench.tsv'; output='$plot'" bench/plot.gp
echo "plot: $plot"

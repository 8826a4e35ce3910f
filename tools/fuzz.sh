#!/bin/bash
# Runs the libFuzzer target for a while and reports the executions and the module's coverage.
#   tools/fuzz.sh BUILD_DIR [SECONDS] [LIBFUZZER_OPTIONS...]
# New inputs go to BUILD_DIR/corpus (and BUILD_DIR/corpus-subitems), crashes to BUILD_DIR/crashes;
# fuzz/corpus is read only.
# A crash is stored as a regression input by copying it into a folder under fuzz/corpus
# named after the fault.
set -euo pipefail
cd "$(dirname "$0")/.."

# Absolute paths: the target works in a temporary folder of its own.
build=$(realpath "$1")
seeds=$PWD/fuzz/corpus
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
fuzzer=$build/module_fuzz
log=$build/fuzz.log
mkdir -p "$build/corpus" "$build/crashes"
# AddressSanitizer fills the first 4 KiB of every block it hands out and keeps 256 MiB of
# freed blocks from reuse; with the target's file buffers and listbox texts, filling and
# fresh pages took most of each run. 16 MiB still holds many runs' worth of freed blocks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-max_malloc_fill_size=0:quarantine_size_mb=16}
# The diagnostic routines make, write and read files on every run of theirs; in memory that
# costs a fraction of what a disk's file system takes.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

# The fuzzer takes edges, not their hit counts: counts make many times the features, whose
# bookkeeping took two thirds of each run, and a minute reaches as many of the module's edges
# without them at twice the executions.
options=(-use_counters=0 -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/crashes/")
# Two processes side by side: list views read as Wine gives them, and as a control that gives
# no lParam with a subitem's text (a process reads them one way). Each keeps a corpus of its own:
# on a shared one each reads in and runs all that the other finds, which took two thirds of its
# time.
status=0
withheld=0
mkdir -p "$build/corpus-subitems"
TOLVARENKIS_SUBITEM_PARAMS=withheld "$fuzzer" "${options[@]}" "$@" "$build/corpus-subitems" "$seeds" \
    >"$log.withheld" 2>&1 &
other=$!
"$fuzzer" "${options[@]}" -print_coverage=1 "$@" "$build/corpus" "$seeds" >"$log" 2>&1 || status=$?
wait $other || withheld=$?

# The module's own functions: edges reached over the run, the whole corpus first, as the fuzzer
# counts them at its end, and the functions it never entered. (A run of the corpus alone with
# -runs=0 stops after a few inputs.)
awk '/COVERED_FUNC: .*\/(module|text|controls|sort|lookup|diag)\/([a-z]+\/)?[a-z_0-9]+\.cpp:/ {
         split($5, e, "/"); hit += e[1]; all += e[2]; funcs++
         if (e[1] == 0) { name = $6; for (i = 7; i < NF; i++) name = name " " $i; missed = missed "\n  " name } }
     END { if (all) printf "module coverage: %d of %d edges in %d functions (%.0f %%)\n", hit, all, funcs, 100 * hit / all
           if (missed) printf "functions never reached:%s\n", missed }' "$log" >"$build/coverage.txt"

# One process ends with its statistics; with -fork=N the last progress line holds the total.
for each in "$log" "$log.withheld"; do
    grep -E '^#[0-9]+[[:space:]]+DONE' "$each" || true
    awk -v way="$([ "$each" = "$log" ] && echo "" || echo " (subitems without lParam)")" '
         /^stat::number_of_executed_units/ { runs = $2 }
         /^stat::average_exec_per_sec/ { rate = $2 }
         /^#[0-9]+: cov:/ { forked = substr($1, 2) + 0; forkedRate = $9 }
         END { if (forked) { runs = forked; rate = forkedRate }
               print "executions" way ": " runs; print "executions per second" way ": " rate }' "$each"
done
cat "$build/coverage.txt"
[ $status -ne 0 ] || status=$withheld
for each in "$log" "$log.withheld"; do
    if grep -qE '^(module_fuzz:|==[0-9]+==ERROR)' "$each"; then
        grep -E '^(module_fuzz:|==[0-9]+==ERROR|SUMMARY)' "$each"
        echo "fuzzing stopped on a fault; the input is in $build/crashes (full log: $each)" >&2
    fi
done
exit $status

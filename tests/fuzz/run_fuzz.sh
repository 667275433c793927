#!/bin/sh
# Runs the fuzzer for a bounded time and prints a short account of the run;
# the full log is kept beside the scratch corpus. Any finding fails the test.
# usage: run_fuzz.sh FUZZER SECONDS SCRATCH_CORPUS SEEDS
fuzzer=$1 seconds=$2 scratch=$3 seeds=$4
mkdir -p "$scratch"
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$scratch/../" "$scratch" "$seeds" >"$scratch.log" 2>&1
status=$?
grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$scratch.log"
[ $status -eq 0 ] || { tail -n 60 "$scratch.log"; echo "fuzzer found a problem; the input is $scratch/../crash-*"; }
exit $status

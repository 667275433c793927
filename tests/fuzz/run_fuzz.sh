#!/bin/sh
# Runs the fuzzer for a bounded time and prints a short account of the run;
# the full log is kept beside the scratch corpus. Any finding fails the test.
# usage: run_fuzz.sh FUZZER SECONDS SCRATCH_CORPUS SEEDS
fuzzer=$1 seconds=$2 scratch=$3 seeds=$4
log=$scratch.log
mkdir -p "$scratch"
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$scratch/../" "$scratch" "$seeds" >"$log" 2>&1
status=$?
grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::peak_rss_mb)' "$log"
echo "corpus: $(ls "$scratch" | wc -l) inputs kept, $(ls "$seeds" | wc -l) seeds"
if [ $status -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzzer found a problem (exit $status); the input is saved as $scratch/../crash-*"
fi
exit $status

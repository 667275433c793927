#!/bin/bash
# Start-up under Wine: Tallivox's start-up probe against the yardstick, a
# window with a menu bar and one label, in one run, interleaved. Each time is
# taken from the start of wine to the line the probe prints once its first
# paint has gone out. Prints both medians and their ratio, and the sizes of
# tallivox.exe and the yardstick.
# usage: xvfb-run wine_startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1 runs=${2:-9}
export WINEDEBUG=-all
# Wine's services stay up between the runs, so each run is the program's own.
wineserver -p
trap 'wineserver -k' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1

# Microseconds from wine's start to the probe's first line; the line in $line.
once() {
    local start=${EPOCHREALTIME/[.,]/} fd pid
    exec {fd}< <(wine "$@" 2>/dev/null </dev/null)
    pid=$!
    read -r line <&$fd || { echo "wine_startup.sh: $1 printed no line" >&2; exit 1; }
    echo $((${EPOCHREALTIME/[.,]/} - start))
    wait "$pid"
    exec {fd}<&-
    # Each start on a settled machine, as a user starts the program: right
    # after the yardstick had exited, Tallivox's start was 60 ms slower.
    sleep 0.5
}
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

once "$build/startup_tallivox.exe" >/dev/null # warms the file cache, and gives the window's size
read -r _ width height <<<"$line"
yardstick=("$build/startup_menu_label.exe" "$width" "$height")
once "${yardstick[@]}" >/dev/null
ours=() theirs=()
for _ in $(seq "$runs"); do
    ours+=("$(once "$build/startup_tallivox.exe")")
    theirs+=("$(once "${yardstick[@]}")")
done
ours=$(printf '%s\n' "${ours[@]}" | median) theirs=$(printf '%s\n' "${theirs[@]}" | median)
size=$(stat -c %s "$build/tallivox.exe") yardstick_size=$(stat -c %s "${yardstick[0]}")
echo "$(wine --version), medians of $runs interleaved start-ups to the first paint:"
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "  Tallivox %.0f ms, a window with a menu bar and a label %.0f ms: %.2f\n", o / 1000, t / 1000, o / t }'
awk -v o="$size" -v t="$yardstick_size" 'BEGIN { printf "  tallivox.exe %.1f MiB, the yardstick %.1f MiB: %.2f\n", o / 1048576, t / 1048576, o / t }'

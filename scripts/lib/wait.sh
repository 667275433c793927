# The one bounded wait of every script and shell test.
#   wait_for SECONDS WHAT COMMAND...
# runs COMMAND every tenth of a second until it succeeds. If SECONDS pass
# first, it calls the script's own fail with "WHAT never came" and returns 1
# (for a script whose fail goes on).
wait_for() {
    local seconds=$1 what=$2 deadline
    shift 2
    # Microseconds, whatever the locale's decimal point.
    deadline=$((${EPOCHREALTIME//[^0-9]/} + seconds * 1000000))
    until "$@"; do
        if [ "${EPOCHREALTIME//[^0-9]/}" -ge "$deadline" ]; then
            fail "$what never came (waited $seconds s)"
            return 1
        fi
        sleep 0.1
    done
}
# A predicate for wait_for: the process PID has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }

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
# A predicate for wait_for: a visible X window whose title matches REGEX; its
# id in $found. Read from _NET_WM_NAME, which Wine sets in every locale (in
# some, fa_AF among them, it sets no WM_NAME).
window_named() {
    local window title
    for window in $(xdotool search --onlyvisible --class '' 2>/dev/null); do
        title=$(xprop -id "$window" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^"]*"\(.*\)"$/\1/p')
        [[ $title =~ $1 ]] && found=$window && return 0
    done
    return 1
}

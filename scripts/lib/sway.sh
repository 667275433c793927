# Starts a private headless sway for the Wayland tests and scripts, and points
# this shell's Wayland clients (WAYLAND_DISPLAY, SWAYSOCK) at it. sway refuses
# to run as root: as root it runs as nobody, and clients still connect to its
# socket. An idle virtual keyboard keeps the seat's keyboard between
# short-lived wtype calls; without it the keyboard, and the focus with it, go
# with each one. Sets sway_pids; if sway never comes up, calls the script's
# fail and returns non-zero.
# usage: start_sway SCRATCH_DIR [CONFIG_LINE...]
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"
start_sway() {
    local scratch=$1 as_sway=()
    shift
    chmod 755 "$scratch"
    mkdir -m 700 "$scratch/sway" "$scratch/me"
    printf '%s\n' 'xwayland disable' 'output HEADLESS-1 resolution 1024x768 scale 1' "$@" >"$scratch/config"
    if [ "$(id -u)" = 0 ]; then
        chown nobody "$scratch/sway"
        as_sway=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    "${as_sway[@]}" env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$scratch/sway" WLR_BACKENDS=headless \
        WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$scratch/config" >/dev/null 2>&1 </dev/null &
    sway_pids=$!
    export XDG_RUNTIME_DIR=$scratch/me WAYLAND_DISPLAY=$scratch/sway/wayland-1
    wait_for 10 "sway's socket" test -S "$WAYLAND_DISPLAY" || return 1
    SWAYSOCK=$(ls "$scratch"/sway/sway-ipc.*.sock 2>/dev/null) || { fail "sway's IPC socket never came"; return 1; }
    export SWAYSOCK
    wtype -s 86400000 >/dev/null 2>&1 </dev/null &
    sway_pids="$sway_pids $!"
}

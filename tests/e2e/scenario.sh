#!/bin/bash
# The end-to-end steps on the Linux program or tallivox.exe under Wine, in a
# private X server under openbox, as a person would (Persian is pasted: Wine
# misses keys xdotool maps on the fly). TALLIVOX_SHOT=file keeps a screenshot,
# TALLIVOX_STDERR=file the program's errors; TALLIVOX_PROBE=command runs with
# each window's title as it opens, its output added to TALLIVOX_PROBED.
# usage: xvfb-run scenario.sh linux|windows PROGRAM
set -u
platform=$1 app=$2
source "$(dirname "$0")/steps.sh"
# What steps.sh's trap ends however the scenario ends.
stop() {
    kill ${pid:-} ${openbox:-} 2>/dev/null
    [ "$platform" = linux ] || timeout 30 wineserver -k
}
# The helpers that serve the clipboard stay away from every pipe we are read through.
to_clipboard() { xclip -selection clipboard -i >/dev/null 2>&1; }
clipboard() { timeout 5 xclip -selection clipboard -o 2>/dev/null; }
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
probe() { [ -z "${TALLIVOX_PROBE:-}" ] || timeout 30 $TALLIVOX_PROBE "$1" </dev/null >>"$TALLIVOX_PROBED"; }

openbox --sm-disable >/dev/null 2>&1 </dev/null &
openbox=$!
wait_for 120 "openbox on the private display" has_wm
if [ "$platform" = windows ]; then
    export WINEPREFIX=${WINEPREFIX:-$scratch/wine} WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    timeout 30 wineserver -k 2>/dev/null # a Wine left running serves another display
    wine "$app" >/dev/null 2>"${TALLIVOX_STDERR:-/dev/null}" </dev/null &
else
    QT_QPA_PLATFORM=xcb "$app" >/dev/null 2>&1 </dev/null &
fi
pid=$!

click() { xdotool mousemove --window "$main" "$1" $((menu + $2)) click 1; sleep 0.3; }
type_into() { click "$1" "$2"; xdotool key ctrl+a BackSpace; [ -z "$3" ] || xdotool type --delay 30 "$3"; sleep 0.3; }
paste_into() { printf '%s' "$3" | to_clipboard; click "$1" "$2"; xdotool key ctrl+a ctrl+v; sleep 0.3; }
# Presses keys until $text is on the clipboard (a key before the focus came is lost).
copy() {
    to_clipboard </dev/null
    for _ in 1 2 3 4 5; do
        xdotool key "$@"
        for _ in $(seq 20); do text=$(clipboard) && [ -n "$text" ] && return; sleep 0.1; done
    done
    fail "nothing reached the clipboard after $* (5 tries)"
}
centre() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); }
has_focus() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] || [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
focus_box() { xdotool windowactivate "$box" 2>/dev/null || xdotool windowfocus "$box"; has_focus "$box"; }
# Copies the open box's text; the box must belong to the window and be centred over it.
copy_box() {
    wait_for 120 "a box titled $box_title" window_named "^$box_title\$"
    box=$found
    xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" ||
        fail "a box does not belong to the window"
    read -r bx by mx my <<<"$(centre "$box") $(centre "$main")"
    [ $(((bx - mx) ** 2 + (by - my) ** 2)) -le 900 ] || fail "a box is not centred over the window"
    wait_for 60 "the focus on the box" focus_box
    probe "$box_title"
    copy ctrl+c
}
# Return closes the box; the focus goes back to the window (or to the next box).
box_gone() { ! xwininfo -id "$box" 2>/dev/null | grep -q IsViewable; }
close_box() {
    xdotool key Return
    wait_for 60 "the box's closing after Return" box_gone
    [ "${1:-}" = next ] || wait_for 60 "the focus back on the window" has_focus "$main"
}

wait_for 120 "the window '$window_title'" window_named "^$window_title\$"
main=$found
sleep 1
probe "$window_title"
eval "$(xdotool getwindowgeometry --shell "$main")"
width=$WIDTH height=$HEIGHT
column() { import -window "$main" png:- | convert - -crop "1x$client_height+$1+$menu" +repage png:-; }
divide() { paste_into "${text7[@]}" "$1"; type_into "${text8[@]}" "$2"; click "${command4[@]}"; }
divide_by_nothing() { type_into "${text8[@]}" ""; click "${command4[@]}"; }
copy_text7() { click "${text7[@]}"; copy ctrl+a ctrl+c; }
open_about() { xdotool key F10 Return; }
choose_exit() { xdotool mousemove --window "$main" "$exit_x" $((menu / 2)) click 1; }
dismiss() { xdotool key Escape; }
shot() { import -window root "$1"; }
run_steps
echo "$platform: ${client_width}x$client_height below a ${menu}-pixel menu bar;" \
     "every box centred over the window it belongs to; ۷/2 shows 4; error 11 keeps the window and its boxes;" \
     "F10 opens About, three credits; Exit ends with 0"

#!/bin/bash
# The end-to-end steps on Qt's Wayland plug-in in a private headless sway, from
# the keyboard (no pointer); where windows go is checked as the program asks for
# it, in a WAYLAND_DEBUG log. TALLIVOX_SHOT=file keeps the first result box.
# usage: wayland.sh PROGRAM
set -u
app=$1
source "$(dirname "$0")/../../scripts/lib/sway.sh"
source "$(dirname "$0")/steps.sh"
# What steps.sh's trap ends however the scenario ends.
stop() { kill ${pid:-} ${sway_pids:-} 2>/dev/null; }
start_sway "$scratch" "for_window [app_id=\"^${app_id//./\\.}\$\"] floating enable"
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$app" >/dev/null 2>"$scratch/wayland.log" &
pid=$!

tree() { swaymsg -t get_tree | jq -r "$1"; }
focus() { tree '.. | select(.focused? == true) | "\(.id) \(.pid) \(.name)"'; }
has_focus() { read -r focused_id focused_pid focused_name <<<"$(focus)"; [ "$focused_pid $focused_name" = "$pid $1" ]; }
# wtype reads its text in the locale's encoding.
keys() { LC_ALL=C.UTF-8 wtype "$@"; sleep 0.3; }
# Presses keys and puts in $text what they copied.
copy() {
    wl-copy --clear
    keys "$@"
    wait_for 60 "a text on the clipboard after $*" eval 'text=$(timeout 5 wl-paste -n 2>/dev/null) && [ -n "$text" ]'
}
# Copies the text of the box that has the focus.
copy_box() {
    wait_for 60 "the focus on a box titled $box_title" has_focus "$box_title"
    box=$focused_id
    copy -M ctrl -k c -m ctrl
}
# Return closes the box; the focus goes back to the window (or to the next box).
close_box() {
    keys -k Return
    wait_for 60 "the focus away from the box after Return" eval '[ "$(focus)" != "$box $pid $box_title" ]'
    [ "${1:-}" = next ] || wait_for 60 "the focus back on the window" has_focus "$window_title"
}

wait_for 60 "the window '$window_title' with the focus" has_focus "$window_title"
main=$focused_id
inside='"\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"'
read -r x y width height <<<"$(tree ".. | select(.id? == $main) | $inside")"
column() { grim -g "$((x + $1)),$((y + menu)) 1x$client_height" -; }
# From Command1, Tab walks to Text7 (the ninth stop), Text8 and Command4.
divide() { keys -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab "$1" -k Tab "$2" -k Tab -k Return; }
divide_by_nothing() { keys -M shift -k Tab -m shift -M ctrl -k a -m ctrl -k BackSpace -k Tab -k Return; }
copy_text7() { copy -M shift -k Tab -k Tab -m shift -M ctrl -k a -k c -m ctrl; }
open_about() { keys -k F10 -k Return; }
choose_exit() { keys -k F10 -k Right -k Return; }
dismiss() { swaymsg "[con_id=$box] kill" >/dev/null; } # as its close button does
shot() { grim "$1"; }
run_steps
# Every box's toplevel asks to be the window's child: the first toplevel is the window.
parents=$(awk '
    /get_toplevel\(new id/ { sub(/.*new id /, ""); sub(/\)$/, ""); if (!main) main = $0; else { made++; box = $0 } }
    box && index($0, "-> " box ".set_parent(" main ")") { asked++; box = "" }
    END { print made + 0, asked + 0 }' "$scratch/wayland.log")
[ "$parents" = "6 6" ] || fail "of the boxes made and those asking for the window as parent: $parents, not 6 6"
echo "wayland: ${client_width}x$client_height below a ${menu}-pixel menu bar;" \
     "all 6 boxes ask for the window as parent; ۷/2 shows 4; error 11 keeps the window and its boxes;" \
     "F10 opens About, three credits; Exit ends with 0"

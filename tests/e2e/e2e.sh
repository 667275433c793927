#!/bin/bash
# Drives the real program in a real X server, the way a person would: types
# into the division boxes, clicks, copies from the result box, closes boxes
# with Return, and leaves by Exit. Run it under xvfb-run.
# usage: e2e.sh TALLIVOX_BINARY
set -u
app=$1
export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d)
"$app" 2>"$scratch/stderr" &
pid=$!

fail() {
    echo "FAIL: $*"
    kill "$pid" 2>/dev/null
    rm -rf "$scratch"
    exit 1
}
find_window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.2; }
type_into() { click "$1" "$2"; xdotool key ctrl+a BackSpace; [ -n "$3" ] && xdotool type --delay 30 "$3"; sleep 0.2; }
wait_gone() {
    for _ in $(seq 50); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    return 1
}
# Prints the clipboard once something has landed there (the copy is
# answered asynchronously by the program).
clipboard() {
    local text
    for _ in $(seq 30); do
        text=$(xclip -selection clipboard -o 2>/dev/null) && [ -n "$text" ] && break
        sleep 0.1
    done
    printf '%s' "$text"
}
clear_clipboard() { xclip -selection clipboard -i </dev/null; }
# Copies the open box's text with Ctrl+C and prints what the clipboard holds.
copy_box() {
    local box
    box=$(find_window '^Tallivox$')
    [ -n "$box" ] || fail "no box titled Tallivox appeared"
    xdotool windowfocus --sync "$box"
    clear_clipboard
    xdotool key ctrl+c
    clipboard
}
close_box() { xdotool key Return; wait_gone '^Tallivox$' || fail "Return did not close the box"; }

main=$(find_window '^Tallivox By KV$')
[ -n "$main" ] || fail "the window 'Tallivox By KV' did not appear"
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 521))
[ "$WIDTH" -eq 298 ] || fail "window is $WIDTH pixels wide, not 298"
[ "$menu" -ge 12 ] && [ "$menu" -le 48 ] || fail "window height $HEIGHT leaves $menu pixels for the menu bar"
# The right-hand column of the client area is bare background from the menu
# bar's lower edge to the window's bottom: exactly 521 rows of it.
import -window "$main" "$scratch/window.png"
column=$(convert "$scratch/window.png" -crop "1x521+290+$menu" +repage -unique-colors txt:- | tail -n +2 | awk '{print $3}')
[ "$column" = "#010042" ] || fail "client column is not all background: $column"
above=$(convert "$scratch/window.png" -crop "1x1+290+$((menu - 1))" +repage txt:- | tail -n 1 | awk '{print $3}')
[ "$above" != "#010042" ] || fail "the background reaches above the client area"

type_into 106 $((menu + 26)) "12abc"
type_into 106 $((menu + 386)) "7"
type_into 106 $((menu + 410)) "2"
click 144 $((menu + 460))
[ "$(copy_box)" = "4" ] || fail "7 / 2 did not show 4"
close_box

type_into 106 $((menu + 386)) ""
type_into 106 $((menu + 410)) ""
click 144 $((menu + 460))
expected=$(printf "Run-time error '6':\n\nOverflow")
[ "$(copy_box)" = "$expected" ] || fail "empty division did not show the run-time error box"
close_box
kill -0 "$pid" 2>/dev/null || fail "the program ended after the run-time error"
[ -n "$(xdotool search --onlyvisible --name '^Tallivox By KV$')" ] || fail "the window went away"
click 106 $((menu + 26))
clear_clipboard
xdotool key ctrl+a ctrl+c
[ "$(clipboard)" = "12abc" ] || fail "Text1 lost what was typed"

click 70 $((menu / 2))
farewell=" اميدوارم لذت برده باشيد "
[ "$(copy_box)" = "$farewell" ] || fail "Exit did not show the farewell"
xdotool key Return
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
rm -rf "$scratch"
echo "window 298x521 below a ${menu}-pixel menu bar; 7/2 copied as 4; error box kept the window; Exit ended with 0"

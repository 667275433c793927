#!/bin/bash
# Drives the real program, the Linux one or tallivox.exe under Wine, in a
# private X server under openbox as a person would. Persian text is pasted:
# Wine misses keys that xdotool maps on the fly. TALLIVOX_SHOT=file keeps a
# screenshot of the first result box.
# usage: xvfb-run scenario.sh linux|windows PROGRAM
set -u
platform=$1 app=$2
scratch=$(mktemp -d)
openbox --sm-disable >/dev/null 2>&1 &
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
if [ "$platform" = windows ]; then
    export WINEPREFIX=${WINEPREFIX:-$scratch/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wine "$app" >/dev/null 2>&1 &
else
    QT_QPA_PLATFORM=xcb "$app" >/dev/null 2>&1 &
fi
pid=$!

end() { [ "$platform" = windows ] && wineserver -k; rm -rf "$scratch"; }
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null; end; exit 1; }
find_window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click() { xdotool mousemove --window "$main" "$1" $((menu + $2)) click 1; sleep 0.3; }
type_into() { click "$1" "$2"; xdotool key ctrl+a BackSpace; [ -z "$3" ] || xdotool type --delay 30 "$3"; sleep 0.3; }
paste_into() { printf '%s' "$3" | xclip -selection clipboard; click "$1" "$2"; xdotool key ctrl+a ctrl+v; sleep 0.3; }
# Presses keys and prints the clipboard once the program has answered.
copy() {
    xclip -selection clipboard -i </dev/null
    xdotool key "$@"
    for _ in $(seq 50); do xclip -selection clipboard -o 2>/dev/null | grep -q . && break; sleep 0.1; done
    xclip -selection clipboard -o 2>/dev/null
}
centre() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); }
# Copies the open box's text; the box must belong to the window and be centred over it.
copy_box() {
    box=$(find_window '^Tallivox$')
    [ -n "$box" ] || fail "no box titled Tallivox appeared"
    xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" || fail "a box does not belong to the window"
    read -r bx by mx my <<<"$(centre "$box") $(centre "$main")"
    [ $(((bx - mx) ** 2 + (by - my) ** 2)) -le 900 ] || fail "a box is not centred over the window"
    xdotool windowfocus --sync "$box"
    text=$(copy ctrl+c)
}
# Return closes the box; the focus goes back to the window (or to the next box).
close_box() {
    xdotool key Return
    for _ in $(seq 100); do xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break; sleep 0.1; done
    xwininfo -id "$box" 2>/dev/null | grep -q IsViewable && fail "Return did not close the box"
    sleep 0.3
    [ "${1:-}" = next ] || [ "$(xdotool getactivewindow)" = "$main" ] || fail "the focus did not come back to the window"
}

main=$(find_window '^Tallivox By KV$')
[ -n "$main" ] || fail "the window 'Tallivox By KV' did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 521))
[ "$WIDTH" -eq 298 ] && [ "$menu" -ge 12 ] && [ "$menu" -le 48 ] || fail "the window is ${WIDTH}x$HEIGHT, not 298 by 521 below a menu bar"
# The right-hand column is bare background from the menu bar to the bottom.
column=$(import -window "$main" png:- | convert - -crop "1x521+290+$menu" +repage -unique-colors txt:- | awk 'NR > 1 {print $3}')
[ "$column" = "#010042" ] || fail "the client area's last column is not all background: $column"

paste_into 106 386 "۷"
type_into 106 410 "2"
click 144 460
copy_box
[ "$text" = "4" ] || fail "۷ / 2 showed '$text', not 4"
[ -z "${TALLIVOX_SHOT:-}" ] || import -window root "$TALLIVOX_SHOT"
close_box
type_into 106 410 ""
click 144 460
copy_box
[ "$text" = "$(printf "Run-time error '11':\n\nDivision by zero")" ] || fail "7 / 0 showed '$text'"
close_box
click 106 386
[ "$(copy ctrl+a ctrl+c)" = "۷" ] || fail "after the error, Text7 no longer holds what was typed"

# F10 opens the menu bar on its first command, About: three credits, each
# yeh the Arabic U+064A the program was written with.
xdotool key F10 Return
credits=(" سازنده ي برنامه : Orvandel " " وبسايت من : https://kelvasto.example/ " " منتظر شما هستم :) ")
for i in 0 1 2; do
    copy_box
    [ "$text" = "${credits[i]}" ] || fail "About showed '$text', not '${credits[i]}'"
    [ $i = 2 ] && close_box || close_box next
done
xdotool mousemove --window "$main" 70 $((menu / 2)) click 1 # Exit, on the menu bar
copy_box
[ "$text" = " اميدوارم لذت برده باشيد " ] || fail "Exit showed '$text', not the farewell"
xdotool key Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$pid"
status=$?
end
[ "$status" -eq 0 ] || fail "Exit ended with status $status"
echo "$platform: 298x521 below a ${menu}-pixel menu bar; every box centred over the window it belongs to; ۷/2 shows 4;" \
     "error 11 keeps the window and its boxes; F10 opens About, three credits; Exit ends with 0"

#!/bin/bash
# Drives the real program in a private X server under a small window manager
# (openbox), the way a person would: types, clicks, copies from the boxes and
# closes them with Return. The same scenario runs the Linux program and the
# Windows tallivox.exe under Wine; only the launcher differs. Persian text
# is pasted: keys that xdotool maps on the fly are missed by Wine, and by
# Qt too when the machine is busy. Set TALLIVOX_SHOT to a file name to keep
# a screenshot.
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

fail() {
    echo "FAIL: $*"
    kill "$pid" 2>/dev/null
    [ "$platform" = windows ] && wineserver -k
    rm -rf "$scratch"
    exit 1
}
find_window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.3; }
type_into() { click "$1" "$2"; xdotool key ctrl+a BackSpace; [ -n "$3" ] && xdotool type --delay 30 "$3"; sleep 0.3; }
paste_into() { printf '%s' "$3" | xclip -selection clipboard; click "$1" "$2"; xdotool key ctrl+a ctrl+v; sleep 0.3; }
# Prints the clipboard once the program has answered the copy.
clipboard() {
    local text=
    for _ in $(seq 50); do
        text=$(xclip -selection clipboard -o 2>/dev/null) && [ -n "$text" ] && break
        sleep 0.1
    done
    printf '%s' "$text"
}
copy() { xclip -selection clipboard -i </dev/null; xdotool key "$@"; clipboard; }
# Finds the open box, which must belong to the window, and copies its text
# into $text with Ctrl+C.
copy_box() {
    box=$(find_window '^Tallivox$')
    [ -n "$box" ] || fail "no box titled Tallivox appeared"
    xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" || fail "the box does not belong to the window"
    xdotool windowfocus --sync "$box"
    text=$(copy ctrl+c)
}
# Closes the box with Return; the focus goes back to the window, or to the
# next box when there is one.
close_box() {
    xdotool key Return
    for _ in $(seq 100); do
        xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break
        sleep 0.1
    done
    xwininfo -id "$box" 2>/dev/null | grep -q IsViewable && fail "Return did not close the box"
    sleep 0.3
    [ "${1:-}" = next ] || [ "$(xdotool getactivewindow)" = "$main" ] || fail "the focus did not come back to the window"
}
centre() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); }

main=$(find_window '^Tallivox By KV$')
[ -n "$main" ] || fail "the window 'Tallivox By KV' did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 521))
[ "$WIDTH" -eq 298 ] || fail "window is $WIDTH pixels wide, not 298"
[ "$menu" -ge 12 ] && [ "$menu" -le 48 ] || fail "window height $HEIGHT leaves $menu pixels for the menu bar"
# The client area's right-hand column is bare background from the menu
# bar's lower edge to the bottom: exactly 521 rows of it.
import -window "$main" "$scratch/window.png"
column=$(convert "$scratch/window.png" -crop "1x521+290+$menu" +repage -unique-colors txt:- | tail -n +2 | awk '{print $3}')
[ "$column" = "#010042" ] || fail "client column is not all background: $column"

paste_into 106 $((menu + 386)) "۷"
type_into 106 $((menu + 410)) "2"
click 144 $((menu + 460))
copy_box
[ "$text" = "4" ] || fail "۷ / 2 showed '$text', not 4"
read -r bx by <<<"$(centre "$box")"
read -r mx my <<<"$(centre "$main")"
[ $(( (bx - mx) * (bx - mx) + (by - my) * (by - my) )) -le 900 ] || fail "the box is not centred over the window"
[ -n "${TALLIVOX_SHOT:-}" ] && import -window root "$TALLIVOX_SHOT"
close_box

type_into 106 $((menu + 410)) ""
click 144 $((menu + 460))
copy_box
[ "$text" = "$(printf "Run-time error '11':\n\nDivision by zero")" ] || fail "7 / 0 did not show run-time error 11"
close_box
kill -0 "$pid" 2>/dev/null || fail "the program ended after the run-time error"
click 106 $((menu + 386))
[ "$(copy ctrl+a ctrl+c)" = "۷" ] || fail "Text7 lost what was typed"

click 20 $((menu / 2))
for credit in Orvandel kelvasto.example ':)'; do
    copy_box
    [[ "$text" == *"$credit"* ]] || fail "About did not show the credit with $credit"
    [ "$credit" = ':)' ] && close_box || close_box next
done

click 70 $((menu / 2))
copy_box
[ "$text" = " اميدوارم لذت برده باشيد " ] || fail "Exit did not show the farewell"
xdotool key Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$platform" = windows ] && wineserver -k
rm -rf "$scratch"
echo "$platform: 298x521 below a ${menu}-pixel menu bar; ۷/2 copied as 4 from a box centred over its window; error 11 kept the window and Text7; three credits; Exit ended with 0"

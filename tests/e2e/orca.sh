#!/bin/bash
# What Orca says of the real program driven from the keyboard, in English and
# then in Persian (one test: a second Orca of a user exits at once), each in a
# session of its own in xvfb-run's X server. 77 (skipped): Orca cannot run here.
set -u
app=$1
skip() { echo "SKIP: $*"; exit 77; }
for tool in orca dbus-daemon /usr/libexec/at-spi-bus-launcher gsettings localedef; do
    command -v $tool >/dev/null || skip "no $tool here"
done
for comm in /proc/[0-9]*/comm; do [ -O "$comm" ] && grep -qsx orca "$comm" && skip "an Orca of this user runs"; done
# steps.sh's EXIT trap calls this before the scratch folder goes; Orca reaped, or the next refuses to start.
stop() {
    kill ${openbox:-} 2>/dev/null
    [ -z "${s:-}" ] || { kill -9 $(session) 2>/dev/null; wait_for 10 "the session's end" session_over; }
    wait_for 10 "Orca's end" ended "${orca:-}"
}
source "$(dirname "$0")/steps.sh"
fail() { printf 'FAIL: %s\nOrca said since the last key:\n' "$*"; said; exit 1; }
export LOCPATH=$scratch
localedef -i fa_IR -f UTF-8 "$LOCPATH/fa_IR.UTF-8" 2>/dev/null || skip "no fa_IR locale to build (package locales)"
unset LANGUAGE LC_ALL LC_MESSAGES

# A session's processes, those its buses start among them, carry its runtime folder.
session() { grep -lsxz "XDG_RUNTIME_DIR=$s/run" /proc/[0-9]*/environ | cut -d/ -f3; }
session_over() { [ -z "$(session)" ]; }
# Replaces the subshell it runs in: Orca must be this script's own child, or
# it lingers unreaped and the next Orca refuses to start.
in_session() { exec env HOME="$s" XDG_CONFIG_HOME="$s" XDG_DATA_HOME="$s" XDG_CACHE_HOME="$s" XDG_RUNTIME_DIR="$s/run" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$s/bus" "$@" </dev/null >/dev/null 2>&1; }
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# What Orca said since the last key: its SPEECH OUTPUT records, with the lines each runs on to.
said() { tail -c +$((mark + 1)) "$log" 2>/dev/null | awk '/^[0-9:.]+ - /{s = sub(/^.* - SPEECH OUTPUT: /, "")} s'; }
heard() { said | grep -qF -- "$1"; }
hear() { wait_for 30 "$LANG: Orca saying '$1' $2" heard "$1"; }
press() { mark=$(stat -c %s "$log"); xdotool key "$1"; }
tab() { press Tab; hear "$1" "after Tab"; [ -z "${2:-}" ] || xdotool type "$2"; }
# KEY opens a box: Orca names it, says each TEXT once (blanks at its ends aside), then OK.
box() {
    local text
    press "$1"
    hear "$box_title" "as a box opened"
    hear "$ok_caption" "for the box's OK button"
    for text in "${@:2}"; do
        text=$(sed 's/^ *//; s/ *$//' <<<"$text")
        [ "$(said | grep -oF -- "$text" | wc -l)" = 1 ] || fail "$LANG: Orca did not say '$text' once"
    done
}
error_box() { box "$1" "${2%%$'\n'*}" "${2##*$'\n'}"; }
# Return closes the box: Orca says the window again and the control given the focus back.
back() { press Return; hear "$window_title" "as the box closed"; hear "$1" "with the focus back"; }

openbox --sm-disable >/dev/null 2>&1 </dev/null &
openbox=$!
wait_for 20 "openbox on the private display" has_wm
for LANG in C.UTF-8 fa_IR.UTF-8; do
    export LANG
    source "$(dirname "$0")/../expected.sh"
    s=$scratch/$LANG log=$scratch/$LANG/orca.log mark=0
    mkdir -p "$s/orca" "$s/speech-dispatcher" "$s/run" && chmod 700 "$s/run"
    # No sound card here, and without one Orca waits for ever on its first words.
    echo "pcm.!default { type file; slave.pcm null; file \"$s/speech.raw\"; format raw }" >"$s/.asoundrc"
    echo 'AudioOutputMethod "alsa"' >"$s/speech-dispatcher/speechd.conf"
    # Orca's log, written a line at a time, is read as Orca speaks.
    printf '%s\n' 'import orca.debug as d' 'd.debugLevel = d.LEVEL_INFO' \
        'd.debugFile.reconfigure(line_buffering=True)' >"$s/orca/orca-customizations.py"
    in_session dbus-daemon --session --nofork --address="unix:path=$s/bus" &
    wait_for 20 "$LANG: the session bus" test -S "$s/bus"
    (in_session gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true)
    (in_session gsettings set org.gnome.desktop.interface toolkit-accessibility true)
    in_session env QT_QPA_PLATFORM=xcb "$app" &
    pid=$!
    wait_for 60 "$LANG: the window '$window_title'" window_named "^$window_title\$"
    in_session orca --debug-file "$log" &
    orca=$! && disown $orca # ended below without a job report

    hear "$window_title" "at start"
    hear جمع "for the focused button at start"
    # Orca hears the program's events only once its event loop runs.
    wait_for 30 "$LANG: Orca's event loop" grep -qi "ORCA: Starting ATSPI" "$log"
    tab "${box_names[0]}" 12; tab "${box_names[1]}" 30; tab "${box_names[2]}"; tab "${box_names[3]}"; tab تفريق
    tab "${box_names[4]}" 200; tab "${box_names[5]}" 200; tab ضرب
    error_box space "$overflow"; back ضرب
    tab "${box_names[6]}" 1; tab "${box_names[7]}" 0; tab تقسيم
    error_box Return "$division_by_zero"; back تقسيم
    tab جمع; box space 42; back جمع
    press F10; hear About "as F10 opened the menu bar"
    for credit in "${credits[@]}"; do box Return "$credit"; done
    back جمع
    press F10; press Right; hear Exit "on the menu bar"
    box Return "$farewell"
    press Return
    wait_for 10 "$LANG: the program's end after the farewell" ended "$pid"
    wait "$pid" || fail "$LANG: Exit ended with status $?"
    [ -s "$s/speech.raw" ] || fail "$LANG: no sound came (no speech-dispatcher-espeak-ng?)"
    # Asked to end, Orca can hang in its farewell; its log is whole anyway.
    kill -9 $orca
    wait_for 10 "$LANG: Orca's end" ended $orca
    kill $(session)
    wait_for 30 "$LANG: the end of speech-dispatcher and the buses" session_over
done
echo "$(orca --version | sed 's/,.*//; s/^[0-9]/Orca &/'), English and Persian: the window and its focus after each" \
     "box, each box by its own name on Tab, each box's text once: a result, errors 6 and 11, credits, farewell"

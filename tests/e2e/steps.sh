# The steps scenario.sh (X11, Wine) and wayland.sh run. Sourced, it makes $scratch,
# gone with what the driver's stop ends however it ends. The driver sets pid, width
# and height (menu bar included) and defines column X (its picture), divide A B,
# divide_by_nothing, copy_text7 (into $text), open_about, choose_exit, dismiss (not
# Return: Exit ends however its box goes), shot FILE, copy_box and close_box.
scratch=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/../expected.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wait.sh"
end() {
    stop
    rm -rf "$scratch"
}
trap end EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; exit 1; }

run_steps() {
    local colours
    menu=$((height - client_height))
    [ "$width" -eq "$client_width" ] && [ "$menu" -ge 12 ] && [ "$menu" -le 48 ] ||
        fail "the window is ${width}x$height, not $client_width by $client_height below a menu bar"
    # A column near the right edge is bare background from the menu bar to the bottom.
    colours=$(column $((client_width - 8)) | convert - -unique-colors txt:- | awk 'NR > 1 {print $3}')
    [ "$colours" = "$background" ] || fail "the client area's last column is not all background: $colours"

    divide "۷" 2
    copy_box
    expect 4 "۷ / 2"
    [ -z "${TALLIVOX_SHOT:-}" ] || shot "$TALLIVOX_SHOT"
    close_box
    divide_by_nothing
    copy_box
    expect "$division_by_zero" "7 / 0"
    close_box
    copy_text7
    [ "$text" = "۷" ] || fail "after the error, Text7 no longer holds '۷' but '$text'"

    open_about
    expect_credits
    choose_exit
    copy_box
    expect "$farewell" Exit
    dismiss
    wait_for 60 "the program's end after Exit" ended "$pid"
    wait "$pid" || fail "Exit ended with status $?"
    pid=
}

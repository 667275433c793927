# What the shell tests expect the program to show, written once; the scenarios
# define fail, copy_box (the box's text into $text) and close_box [next].
source "$(dirname "${BASH_SOURCE[0]}")/identity.sh"
window_title="Tallivox By KV"
box_title=$TALLIVOX_NAME
# The client area below the menu bar, in pixels, and its colour.
client_width=298
client_height=521
background=$TALLIVOX_WINDOW_COLOUR
app_id=$TALLIVOX_APP_ID

# Where the scenarios click in the client area, in pixels; Exit's x on the menu bar.
text7=(106 386) text8=(106 410) command4=(144 460) exit_x=70

expect() { [ "$text" = "$1" ] || fail "$2 showed '$text', not '$1'"; }
# The error boxes, the boxes' names and Qt's OK speak the user's language,
# the errors' numbers in 0-9 either way.
if [[ ${LANGUAGE:-${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}} == fa* ]]; then
    division_by_zero=$(printf "خطای زمان اجرا «11»:\xe2\x80\x8f\n\nتقسیم بر صفر")
    overflow=$(printf "خطای زمان اجرا «6»:\xe2\x80\x8f\n\nسرریز")
    ok_caption=تأیید names_in=translation
else
    division_by_zero=$(printf "Run-time error '11':\n\nDivision by zero")
    overflow=$(printf "Run-time error '6':\n\nOverflow")
    ok_caption=OK names_in=source
fi
mapfile -t box_names < <(sed -n "/tallivox::Form1/,/<\/context>/s:.*<$names_in>\(.*\)</$names_in>:\1:p" \
    "${BASH_SOURCE%/*}/../translations/tallivox_fa.ts")
farewell=" اميدوارم لذت برده باشيد "
# About's three credits, each yeh the Arabic U+064A the program was written with.
credits=(" سازنده ي برنامه : $TALLIVOX_AUTHOR " " وبسايت من : $TALLIVOX_HOMEPAGE " " منتظر شما هستم :) ")
expect_credits() {
    local i
    for i in "${!credits[@]}"; do
        copy_box
        expect "${credits[i]}" About
        close_box $( ((i + 1 < ${#credits[@]})) && echo next)
    done
}

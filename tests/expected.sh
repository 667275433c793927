# What the shell tests expect the program to show, written once. The
# scenarios define fail, copy_box (the open box's text into $text) and
# close_box [next].
window_title="Tallivox By KV"
box_title=Tallivox
# The client area below the menu bar, in pixels, and its colour.
client_width=298
client_height=521
background="#010042"
app_id=example.kelvasto.Tallivox

expect() { [ "$text" = "$1" ] || fail "$2 showed '$text', not '$1'"; }
division_by_zero=$(printf "Run-time error '11':\n\nDivision by zero")
farewell=" اميدوارم لذت برده باشيد "
# About's three credits, each yeh the Arabic U+064A the program was written with.
credits=(" سازنده ي برنامه : Orvandel " " وبسايت من : https://kelvasto.example/ " " منتظر شما هستم :) ")
expect_credits() {
    local credit left=${#credits[@]}
    for credit in "${credits[@]}"; do
        copy_box
        expect "$credit" About
        left=$((left - 1))
        [ $left = 0 ] && close_box || close_box next
    done
}

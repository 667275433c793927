# What the X11 and Wayland scenarios both expect the program to show. Each
# scenario defines fail, copy_box (the open box's text into $text) and
# close_box [next].
expect() { [ "$text" = "$1" ] || fail "$2 showed '$text', not '$1'"; }
division_by_zero=$(printf "Run-time error '11':\n\nDivision by zero")
farewell=" اميدوارم لذت برده باشيد "
# About's three credits, each yeh the Arabic U+064A the program was written with.
expect_credits() {
    local credit left=3
    for credit in " سازنده ي برنامه : Orvandel " " وبسايت من : https://kelvasto.example/ " " منتظر شما هستم :) "; do
        copy_box
        expect "$credit" About
        left=$((left - 1))
        [ $left = 0 ] && close_box || close_box next
    done
}

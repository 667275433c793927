#!/bin/bash
# What a Windows screen reader hears from tallivox.exe on an English and on a
# Persian Windows, read over UI Automation under Debian 13's Wine 10 (Debian
# 12's Wine 8 has no client): the boxes' names, the buttons' captions, the menu
# bar's items and, after a division by nothing, the error box's text. Wine
# cannot press anything over it yet, so xdotool clicks.
# usage: check_uia.sh TALLIVOX_EXE UIA_TREE_EXE (TALLIVOX_SHOT=file: the Persian box)
set -u
# Debian 13's wineserver aborts ("free(): invalid pointer") whenever TMPDIR is set.
unset LANGUAGE LC_ALL LC_MESSAGES TMPDIR
app=$(realpath "$1") uia=$(realpath "$2") self=$(realpath "$0")
cd "$(dirname "$0")/../.."
source scripts/lib/packages.sh
source scripts/lib/wait.sh
source tests/expected.sh
ensure_packages wine wine64 fonts-wine "${FONT_PACKAGES[@]}" locales xvfb xauth openbox xdotool x11-utils \
    ${TALLIVOX_SHOT:+imagemagick}
for locale in fa_IR en_US; do
    locale -a | grep -qx "$locale.utf8" || as_root localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
done
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" "$self" "$app" "$uia"

scratch=$(mktemp -d)
end() {
    if [ -d "${WINEPREFIX:-}" ]; then
        timeout 30 wineserver -k 2>/dev/null
        # Debian's wineserver leaves its socket's folder behind, named after the prefix.
        server=$(printf 'server-%x-%x' 0x"$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
        for dir in /tmp/wine-*/"$server"; do rm -rf "${dir%/*}"; done
    fi
    kill ${openbox:-} 2>/dev/null
    rm -rf "$scratch"
}
trap end EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; cat "$scratch/tree.err" "$scratch/wine.log" 2>/dev/null; exit 1; }

openbox --sm-disable >/dev/null 2>&1 </dev/null &
openbox=$!
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 20 "openbox on the private display" has_wm
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1 </dev/null
timeout 120 wineserver -w || fail "Wine's first start did not end within 120 s"

# The named window's tree, indentation dropped, in $scratch/tree. Qt builds a
# window's widgets before it makes the window, so the first answer is whole.
tree() {
    timeout 20 wine "$uia" "$1" </dev/null 2>"$scratch/tree.err" | sed 's/^ *//' >"$scratch/tree"
    [ -s "$scratch/tree" ]
}
click() { xdotool mousemove --window "$main" "$1" $((menu + $2)) click 1; }
# WHAT TYPE NAME...: each NAME is read as an element of TYPE, or the test
# fails showing all that Wine answered.
expect_in_tree() {
    local what=$1 type=$2 name
    shift 2
    for name in "$@"; do
        grep -qxF "$type"$'\t'"${name//$'\n'/\\n}" "$scratch/tree" ||
            fail "$lang: $what: '$name' not read over UI Automation; Wine answered:$(printf '\n%s' "$(cat "$scratch/tree")")"
    done
}

check() { # LANG, then the boxes' eight names
    lang=$1
    shift
    LANG=$lang wine "$app" >"$scratch/wine.log" 2>&1 </dev/null &
    wait_for 60 "the window '$window_title'" window_named "^$window_title\$"
    main=$found
    eval "$(xdotool getwindowgeometry --shell "$main")"
    menu=$((HEIGHT - client_height))
    wait_for 30 "the window's tree" tree "$window_title"
    expect_in_tree "the boxes' names" Edit "$@"
    expect_in_tree "the buttons' captions" Button جمع تفريق ضرب تقسيم
    expect_in_tree "the menu bar's items" MenuItem About Exit
    click "${text7[@]}"
    xdotool type 7
    click "${command4[@]}"
    wait_for 30 "the error box '$box_title' in its tree" tree "$box_title"
    expect_in_tree "the error box's text" Text "$division_by_zero"
    [ "$lang" = en_US.UTF-8 ] || [ -z "${TALLIVOX_SHOT:-}" ] || import -window root "$TALLIVOX_SHOT"
    timeout 30 wineserver -k
}

names=("First number to add" "Second number to add" "Number to subtract from" "Number to subtract"
    "First number to multiply" "Second number to multiply" "Number to divide" "Number to divide by")
check en_US.UTF-8 "${names[@]}"
persian() { grep -A1 -F "<source>$1</source>" translations/tallivox_fa.ts | sed -n 's:.*<translation>\(.*\)<.*:\1:p'; }
mapfile -t names < <(for name in "${names[@]}"; do persian "$name"; done)
LANG=fa_IR.UTF-8 source tests/expected.sh
check fa_IR.UTF-8 "${names[@]}"
echo "$(wine --version) UI Automation, English and Persian: the eight boxes' names, the four buttons'" \
     "captions, About and Exit on the menu bar, error 11's text after 7 / nothing"

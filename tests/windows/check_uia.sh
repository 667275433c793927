#!/bin/bash
# What a Windows screen reader hears from tallivox.exe, over UI Automation
# under Wine 10, while the end-to-end scenario runs it in English and in
# Persian: the boxes' names, the captions, the menu items, and the result
# and error boxes' texts.
# usage: check_uia.sh TALLIVOX_EXE UIA_TREE_EXE
set -u
unset LANGUAGE LC_ALL LC_MESSAGES
app=$(realpath "$1") uia=$(realpath "$2")
cd "$(dirname "$0")/../.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; exit 1; }

# TYPE NAME...: each NAME read as an element of that control type (50000
# button, 50004 edit, 50011 menu item, 50020 text), or all Wine answered shown.
read_as() {
    local type=$1 name answered
    answered=$'\n'$(tr -d '\r' <"$scratch/$LANG")$'\n'
    for name in "${@:2}"; do
        [[ $answered == *$'\n'"$type"$'\t'"$name"$'\n'* ]] ||
            fail "$LANG: '$name' was not read over UI Automation; Wine answered:$answered"
    done
}
# The boxes' names in English, or as the program's Persian translation has them.
boxes() { sed -n "/tallivox::Form1/,/<\/context>/s:.*<$1>\(.*\)</$1>:\1:p" translations/tallivox_fa.ts; }
for row in en_US.UTF-8:source fa_IR.UTF-8:translation; do
    export LANG=${row%:*}
    TALLIVOX_PROBE="wine $uia" TALLIVOX_PROBED=$scratch/$LANG xvfb-run -a -s "-screen 0 1024x768x24" \
        tests/e2e/scenario.sh windows "$app" || fail "the scenario under Wine 10 and LANG=$LANG"
    mapfile -t names < <(boxes "${row#*:}")
    [ ${#names[@]} = 8 ] || fail "found ${#names[@]} box names in translations/tallivox_fa.ts, not 8"
    read_as 50004 "${names[@]}"
    read_as 50000 جمع تفريق ضرب تقسيم
    read_as 50011 About Exit
    source tests/expected.sh
    read_as 50020 4 "$division_by_zero"
done
echo "$(wine --version 2>/dev/null) UI Automation, English and Persian, through the whole scenario: the eight boxes'" \
     "names, the four buttons' captions, About and Exit on the menu bar, a result's and error 11's text"

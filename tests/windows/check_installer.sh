#!/bin/bash
# Builds the installer, installs it silently in a fresh Wine prefix, checks
# the program, its Start-menu entry and its Add/Remove Programs entry, gives
# the installed program the end-to-end run, then uninstalls it silently and
# checks that all of it is gone.
# usage: xvfb-run check_installer.sh BUILD_DIR SCENARIO
set -u
build=$1 scenario=$2
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*"; timeout 30 wineserver -k; rm -rf "$scratch"; exit 1; }
# Runs a Windows program to its end, within a bound. Wine's services start
# with the first program and outlive it: they get none of this script's
# pipes, or whoever reads them would wait for Wine to go away.
run() {
    local what=$1
    shift
    timeout 120 wine "$@" </dev/null >>"$scratch/wine.log" 2>&1
    case $? in
        0) ;;
        124) fail "$what did not finish within 120 s" ;;
        *) fail "$what failed: $(tail -n 5 "$scratch/wine.log")" ;;
    esac
}
settled() { timeout 60 wineserver -w || fail "Wine's programs still ran 60 s after $1"; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null || fail "cpack"
installer=$(ls "$scratch"/package/*.exe)
run "the silent install" "$installer" /S
settled "the silent install"

program="$WINEPREFIX/drive_c/Program Files/Tallivox"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallivox"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallivox'
for file in "$program/tallivox.exe" "$program/NOTICES.txt" "$program/Uninstall.exe" "$menu/Tallivox.lnk"; do
    [ -f "$file" ] || fail "not installed: ${file#$WINEPREFIX/}"
done
entry=$(timeout 60 wine reg query "$key" </dev/null 2>/dev/null | tr -d '\r')
for value in 'DisplayName.*Tallivox' 'DisplayIcon.*tallivox.exe' 'UninstallString.*Uninstall.exe'; do
    grep -q "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done

"$scenario" windows "$program/tallivox.exe" || fail "the installed program's run"

# The uninstaller copies itself away and runs that copy, which outlives it.
run "the silent uninstall" "$program/Uninstall.exe" /S
settled "the silent uninstall"
[ -e "$program/tallivox.exe" ] && fail "the program is still installed"
[ -e "$menu" ] && fail "the Start-menu entry is still there"
timeout 60 wine reg query "$key" </dev/null >/dev/null 2>&1 && fail "the uninstall entry is still there"
timeout 30 wineserver -k; rm -rf "$scratch"
echo "installed $(basename "$installer") to Program Files\\Tallivox with its Start-menu and uninstall entries; ran it; uninstalled it all"

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
fail() { echo "FAIL: $*"; wineserver -k; rm -rf "$scratch"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null || fail "cpack"
installer=$(ls "$scratch"/package/*.exe)
wine "$installer" /S && wineserver -w || fail "the silent install"

program="$WINEPREFIX/drive_c/Program Files/Tallivox"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallivox"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallivox'
for file in "$program/tallivox.exe" "$program/NOTICES.txt" "$program/Uninstall.exe" "$menu/Tallivox.lnk"; do
    [ -f "$file" ] || fail "not installed: ${file#$WINEPREFIX/}"
done
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in 'DisplayName.*Tallivox' 'DisplayIcon.*tallivox.exe' 'UninstallString.*Uninstall.exe'; do
    grep -q "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done

"$scenario" windows "$program/tallivox.exe" || fail "the installed program's run"

wine "$program/Uninstall.exe" /S && sleep 2 && wineserver -w || fail "the silent uninstall"
[ -e "$program/tallivox.exe" ] && fail "the program is still installed"
[ -e "$menu" ] && fail "the Start-menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
wineserver -k; rm -rf "$scratch"
echo "installed $(basename "$installer") to Program Files\\Tallivox with its Start-menu and uninstall entries; ran it; uninstalled it all"

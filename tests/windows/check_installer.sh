#!/bin/bash
# Builds the installer and proves it in a fresh Wine prefix: its version block
# and manifest; its first page in Persian on a Persian Windows and in English
# elsewhere; a silent install for the current user, its Apps entry, an upgrade
# in place by a higher version, the end-to-end run of what is installed and
# the uninstall by the entry's own command; then the same for all users.
# usage: xvfb-run check_installer.sh BUILD_DIR SCENARIO FIXED_VERSION VERSION
set -u
build=$1 scenario=$2 fixed=$3 version=$4
scratch=$(mktemp -d)
source "$(dirname "$0")/../../scripts/lib/wait.sh"
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
    timeout 60 wineserver -w || fail "Wine's programs still ran 60 s after $what"
}
# package DIR [CPACK_OPTION...] prints the path of a new installer.
package() {
    cpack --config "$build/CPackConfig.cmake" -B "$scratch/$1" "${@:2}" >/dev/null && ls "$scratch/$1"/*.exe
}
installer=$(package first) || fail "cpack"

info=$(exiftool -s3 -ProductName -CompanyName -FileDescription -FileVersion -ProductVersion -FileVersionNumber \
    -LegalCopyright "$installer" | tr '\n' '|')
expected="Tallivox|KelVastO|Tallivox $version installer|$version|$version|$fixed|Copyright "
[[ $info == "$expected"[0-9][0-9][0-9][0-9]" KelVastO|" ]] || fail "the installer's version block reads $info"
manifest=$(wrestool -x --raw --type=24 "$installer")
grep -q 'level="highestAvailable"' <<<"$manifest" || fail "the manifest asks for: $manifest"

window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
for row in "en_US.UTF-8|Tallivox Setup" "fa_IR.UTF-8|نصب Tallivox"; do
    LANG=${row%%|*} timeout 120 wine "$installer" </dev/null >>"$scratch/wine.log" 2>&1 &
    wait_for 60 "the first page titled '${row#*|}' under LANG=${row%%|*}" window_named "^${row#*|}"
    timeout 30 wineserver -k
    wait
done

users=$WINEPREFIX/drive_c/users/$(id -un)
# check SCOPE KEY FOLDER SHORTCUT: the files, the shortcut and the entry are
# there, the entry's values right, and leaves in $quiet the uninstall command.
check() {
    local scope=$1 key=$2 folder=$3 shortcut=$4 entry value size=0 file
    for file in "$folder/tallivox.exe" "$folder/NOTICES.txt" "$folder/Uninstall.exe" "$shortcut"; do
        [ -f "$file" ] || fail "not installed for $scope: ${file#$WINEPREFIX/}"
    done
    for file in "$folder"/*; do size=$((size + $(stat -c %s "$file"))); done
    entry=$(timeout 60 wine reg query "$key" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^ *//; s/ \+REG_[A-Z]* \+/=/')
    folder=$(timeout 60 winepath -w "$folder")
    for value in DisplayName=Tallivox DisplayVersion=$version Publisher=KelVastO "DisplayIcon=$folder\\tallivox.exe" \
        "InstallLocation=$folder" "UninstallString=\"$folder\\Uninstall.exe\" /$scope" NoModify=0x1 NoRepair=0x1 \
        "QuietUninstallString=\"$folder\\Uninstall.exe\" /$scope /S" \
        "EstimatedSize=$(printf '0x%x' $((size / 1024)))"; do
        grep -qxF "$value" <<<"$entry" || fail "the $scope entry lacks $value: $entry"
    done
    quiet=$(sed -n 's/^QuietUninstallString=//p' <<<"$entry")
}
# gone SCOPE KEY FOLDER SHORTCUT: nothing of the install is left.
gone() {
    [ -e "$3" ] || [ -e "$4" ] && fail "the $1 uninstall left ${3#$WINEPREFIX/} or its shortcut"
    timeout 60 wine reg query "$2" </dev/null >/dev/null 2>&1 && fail "the $1 uninstall left its entry"
}
# Runs the entry's QuietUninstallString: "C:\...\Uninstall.exe" /Scope /S.
uninstall() {
    local program=${quiet#\"}
    run "the $1 uninstall" "${program%%\"*}" ${quiet##*\" }
}

entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallivox'
mine=(CurrentUser "HKCU\\$entry" "$users/AppData/Local/Programs/Tallivox"
    "$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tallivox.lnk")
everyone=(AllUsers "HKLM\\$entry" "$WINEPREFIX/drive_c/Program Files/Tallivox"
    "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallivox.lnk")

run "the current-user install" "$installer" /S /CurrentUser
check "${mine[@]}"
gone "${everyone[@]}"
higher=$(package second -D CPACK_PACKAGE_VERSION=99.00 -D CPACK_TALLIVOX_FIXED_VERSION=99.0.0.0) || fail "cpack 99.00"
run "the upgrade to 99.00" "$higher" /S
version=99.00 check "${mine[@]}"
"$scenario" windows "${mine[2]}/tallivox.exe" || fail "the installed program's run"
uninstall "${mine[@]}"
gone "${mine[@]}"

run "the all-users install" "$installer" /S /AllUsers
check "${everyone[@]}"
uninstall "${everyone[@]}"
gone "${everyone[@]}"
timeout 30 wineserver -k
rm -rf "$scratch"
echo "$(basename "$installer"): version block and manifest; the first page in English and Persian; installed," \
     "upgraded in place to 99.00, run and uninstalled for the current user; installed and uninstalled for all users"

#!/bin/bash
# Proves the installer in a fresh Wine prefix: version block, manifests, first
# page in English, Persian and Dari; signed as a release is, from a PKCS#12
# file and from a token; per scope the install, upgrade and uninstall with the
# arguments winget takes from the release's manifest, its folder and Apps
# entry, upgrades over either form of earlier entry or refused by a failing
# uninstaller, the program's run and the uninstall beside the other scope.
# usage: xvfb-run check_installer.sh BUILD_DIR SCENARIO FIXED_VERSION VERSION LEAVE_MARK
set -u
build=$1 scenario=$2 fixed=$3 version=$4 leave_mark=$5 program_version=$4
scratch=$(mktemp -d -t tallivox-installer.XXXXXX)
source "$(dirname "$0")/../../scripts/lib/wait.sh"
source "$(dirname "$0")/../identity.sh"
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SOFTHSM2_CONF=$scratch/softhsm2.conf
# However this ends: what it started in the background, Wine, the scratch.
trap 'kill $(jobs -p) 2>/dev/null; timeout 30 wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; [ ! -s "$scratch/wine.log" ] || tail -n 8 "$scratch/wine.log"; exit 1; }
# Runs a Windows program to its end (want=STATUS: that status, not 0), bounded;
# Wine's lasting services get none of our pipes, or their readers would wait.
run() {
    local what=$1
    shift
    timeout 300 wine "$@" </dev/null >>"$scratch/wine.log" 2>&1
    case $? in
        "${want:-0}") ;;
        124) fail "$what did not finish within 300 s" ;;
        *) fail "$what exited with $?, not ${want:-0}" ;;
    esac
    timeout 120 wineserver -w || fail "Wine's programs still ran 120 s after $what"
}
# package DIR [CPACK_OPTION...]: a new installer, its path printed, and its
# portable zip unpacked in DIR/portable.
package() {
    cpack --config "$build/CPackConfig.cmake" -B "$scratch/$1" "${@:2}" >/dev/null &&
        unzip -q "$scratch/$1"/*-portable.zip -d "$scratch/$1/portable" && ls "$scratch/$1"/*.exe
}
as_invoker() { wrestool -x --raw --type=24 "$1" | grep -q 'level="asInvoker"' || fail "${1##*/} asks for more"; }
registry() { timeout 60 wine reg "$@" </dev/null >/dev/null 2>&1; }
entry_of() {
    timeout 60 wine reg query "$1" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^ *//; s/ \+REG_[A-Z]* \+/=/'
}
# Signed as a release is, by a throwaway CA's code-signing key: the first
# installer from a PKCS#12 file, the second from a SoftHSM token, as a
# hardware key holds it. signed FILE...: each verifies against that CA alone.
ca() { openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -subj "/CN=$1" -days 1 \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign; }
(cd "$scratch" && ca ca && ca other && echo extendedKeyUsage=codeSigning >ext &&
    openssl req -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -subj "/CN=$TALLIVOX_VENDOR" &&
    openssl x509 -req -in sign.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 1 -extfile ext -out sign.pem &&
    cat sign.pem ca.pem >chain.pem && mkdir tokens && echo "directories.tokendir = $PWD/tokens" >"$SOFTHSM2_CONF" &&
    openssl pkcs12 -export -inkey sign.key -in sign.pem -certfile ca.pem -passout pass:throwaway -out sign.p12 &&
    softhsm2-util --init-token --free --label tallivox --pin 1234 --so-pin 5678 &&
    softhsm2-util --import sign.key --token tallivox --label release --id 01 --pin 1234) >/dev/null 2>&1 ||
    fail "no throwaway key in a PKCS#12 file and a SoftHSM token"
pkcs12() { TALLIVOX_SIGN_PKCS12=$scratch/sign.p12 TALLIVOX_SIGN_PASSWORD=throwaway "$@"; }
pkcs11() { TALLIVOX_SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so TALLIVOX_SIGN_PIN=1234 \
    TALLIVOX_SIGN_KEY="pkcs11:token=tallivox;object=release;type=private" TALLIVOX_SIGN_CERT=$scratch/chain.pem "$@"; }
signed() {
    for file; do
        osslsigncode verify -CAfile "$scratch/ca.pem" -in "$file" >"$scratch/verify.log" 2>&1 &&
            ! osslsigncode verify -CAfile "$scratch/other.pem" -in "$file" >/dev/null 2>&1 ||
            fail "${file##*/} is not signed by the throwaway CA alone: $(tail -n 4 "$scratch/verify.log")"
    done
}
installer=$(pkcs12 package first) || fail "cpack"
signed "$installer" "$scratch/first/portable/tallivox.exe"
# What winget passes the installer, from the release's manifest: SCOPE [FOLDER].
winget() { node "$(dirname "$0")/manifests.js" install "$build/package" "$@"; }
mapfile -t apps < <(node "$(dirname "$0")/manifests.js" entry "$build/package")
[ ${#apps[@]} = 3 ] || fail "the release's installer manifest names no Apps entry: ${apps[*]}"

info=$(exiftool -s3 -ProductName -CompanyName -FileDescription -FileVersion -ProductVersion -FileVersionNumber \
    -LegalCopyright "$installer" | tr '\n' '|')
expected="$TALLIVOX_NAME|$TALLIVOX_VENDOR|$TALLIVOX_NAME $version installer|$version|$version|$fixed"
expected+="|$TALLIVOX_COPYRIGHT|"
[ "$info" = "$expected" ] || fail "the installer's version block reads $info"
as_invoker "$installer"

# The prefix made whole first, or a first page ended early could leave it half made;
# on X11 alone, as in scripts/windows, or a start now and then came up with no window.
timeout 120 wineboot --init >/dev/null 2>&1 </dev/null; registry add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f
timeout 120 wineserver -w || fail "Wine's first start lasted 120 s"
# On a Dari Windows too (fa_AF), whose language NSIS does not match itself.
for row in "en_US.UTF-8|$TALLIVOX_NAME Setup" "fa_IR.UTF-8|نصب $TALLIVOX_NAME" "fa_AF.UTF-8|نصب $TALLIVOX_NAME"; do
    LANG=${row%%|*} timeout 120 wine "$installer" </dev/null >>"$scratch/wine.log" 2>&1 &
    wait_for 120 "the first page titled '${row#*|}' under LANG=${row%%|*}" window_named "^${row#*|}"
    timeout 30 wineserver -k
    wait
done

# Started from C:\Downloads, below a C:\Uninstall.exe that must never run.
planted=$WINEPREFIX/drive_c/Uninstall.exe
cp "$leave_mark" "$planted"
mkdir -p "$WINEPREFIX/drive_c/Downloads" && cd "$WINEPREFIX/drive_c/Downloads" || fail "no C:\\Downloads"
users=$WINEPREFIX/drive_c/users/$(id -un)
# check SCOPE KEY FOLDER SHORTCUT: the files, signed, the shortcut and the
# entry are there, the entry's values right; leaves it in $entry, its
# uninstall in $quiet.
check() {
    local scope=$1 key=$2 folder=$3 shortcut=$4 value size=0 file
    [ -e "$planted.ran" ] && fail "the planted C:\\Uninstall.exe ran: $(cat "$planted.ran")"
    for file in "$folder/tallivox.exe" "$folder/NOTICES.txt" "$folder/Uninstall.exe" "$shortcut"; do
        [ -f "$file" ] || fail "not installed for $scope: ${file#$WINEPREFIX/}"
    done
    signed "$folder/tallivox.exe" "$folder/Uninstall.exe"
    for file in "$folder"/*; do size=$((size + $(stat -c %s "$file"))); done
    entry=$(entry_of "$key")
    folder=$(timeout 60 winepath -w "$folder")
    for value in "${apps[@]:1}" DisplayVersion=$version "DisplayIcon=$folder\\tallivox.exe" \
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
# earlier FORM: the user's entry as an earlier install (bare: 1.00's) left it,
# with a value only its uninstaller takes away.
earlier() {
    if [ "$1" = bare ]; then
        registry delete "${mine[1]}" /f
        registry add "${mine[1]}" /v UninstallString /d "$(timeout 60 winepath -w "${mine[2]}")\\Uninstall.exe" /f
    fi
    registry add "${mine[1]}" /v Leftover /d "$1" /f
}
# refused SCOPE KEY FOLDER SHORTCUT: a failing earlier uninstaller stops the
# upgrade with 3, changing nothing.
refused() {
    local before
    mv "$3/Uninstall.exe" "$scratch/Uninstall.exe"
    cp "$leave_mark" "$3/Uninstall.exe"
    before=$(entry_of "$2"; sha1sum "$3"/* "$4")
    want=3 run "the $1 upgrade over a failing uninstaller" "$higher" /S /$1
    grep -qs " /S /$1 _?=" "$3/Uninstall.exe.ran" || fail "the $1 upgrade did not run the earlier uninstaller"
    rm "$3/Uninstall.exe.ran"
    [ "$(entry_of "$2"; sha1sum "$3"/* "$4")" = "$before" ] || fail "the refused $1 upgrade changed the install"
    mv "$scratch/Uninstall.exe" "$3/Uninstall.exe"
}
# beside GONE KEPT: uninstalls GONE's scope; KEPT's is whole and runs.
beside() {
    local -n removed=$1 kept=$2
    local said
    check "${removed[@]}"
    uninstall "${removed[@]}"
    gone "${removed[@]}"
    check "${kept[@]}"
    said=$(timeout 60 wine "${kept[2]}/tallivox.exe" --version 2>/dev/null </dev/null | tr -d '\r')
    [ "$said" = "$TALLIVOX_NAME $program_version" ] ||
        fail "after the ${removed[0]} uninstall the ${kept[0]} program said: $said"
}

entry="Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${apps[0]}"
mine=(CurrentUser "HKCU\\$entry" "$users/AppData/Local/Programs/Chosen Folder"
    "$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$TALLIVOX_NAME.lnk")
everyone=(AllUsers "HKLM\\$entry" "$WINEPREFIX/drive_c/Program Files/Chosen Folder"
    "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$TALLIVOX_NAME.lnk")

run "winget's current-user install" "$installer" $(winget user "$(timeout 60 winepath -w "${mine[2]}")")
check "${mine[@]}"
gone "${everyone[@]}"
as_invoker "${mine[2]}/Uninstall.exe"
higher=$(pkcs11 package second -D CPACK_PACKAGE_VERSION=99.00 -D CPACK_TALLIVOX_FIXED_VERSION=99.0.0.0) ||
    fail "cpack 99.00"
signed "$higher" "$scratch/second/portable/tallivox.exe"
# The entries say 99.00 from here on; the program in both installers is the same.
version=99.00
# winget's upgrade over a full entry; over 1.00's bare one, a plain /S.
for row in "full|$(winget user)" "bare|/S"; do
    form=${row%%|*}
    earlier $form
    run "the upgrade to 99.00 over a $form entry" "$higher" ${row#*|}
    check "${mine[@]}"
    grep -q '^Leftover=' <<<"$entry" && fail "the upgrade over a $form entry kept the earlier install's entry"
done
refused "${mine[@]}"
"$scenario" windows "${mine[2]}/tallivox.exe" || fail "the installed program's run"

# For everyone beside it, on a Persian Windows: the elevated copy (runas) gets
# scope, language and folder, and takes that language over the machine's.
# /D= goes as words: Wine would quote it whole, and NSIS takes no quotes.
# Here winget's all-users install, then the elevated copy started by hand.
for row in "fa_IR.UTF-8|$(winget machine 'C:\Program Files\Chosen Folder')" \
    "en_US.UTF-8|/S /AllUsers /ElevatedPart /Language=1065 /D=C:\Program Files\Chosen Folder"; do
    LANG=${row%%|*} WINEDEBUG=trace+exec run "the all-users install ${row#*|}" "$higher" ${row#*|}
    check "${everyone[@]}"
    grep -qx InstallerLanguage=1065 <<<"$entry" || fail "the all-users install ${row#*|} under ${row%%|*}: $entry"
done
arguments='/S /AllUsers /ElevatedPart /Language=1065 /D=C:\\\\Program Files\\\\Chosen Folder'
grep -qE "verb=L\"runas\" file=L\"[^\"]*\" parm=L\"$arguments\"" "$scratch/wine.log" ||
    fail "the elevated copy's start: $(grep -a 'trace:exec:SHELL_execute ' "$scratch/wine.log")"
run "winget's all-users upgrade" "$higher" $(winget machine)
check "${everyone[@]}"
check "${mine[@]}"
refused "${everyone[@]}"

beside mine everyone
run "winget's current-user install again" "$higher" $(winget user "$(timeout 60 winepath -w "${mine[2]}")")
beside everyone mine
uninstall "${mine[@]}"
gone "${mine[@]}"
echo "$(basename "$installer"): version block and manifests; the first page in English, Persian and Dari; signed" \
     "from a PKCS#12 file and a PKCS#11 token, with the portable and installed program and uninstaller; installed," \
     "upgraded in place, refused, run and uninstalled for the current user and for all users, each beside the other"

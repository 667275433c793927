#!/bin/bash
# Makes the release with a throwaway CA's code-signing certificate, once from
# a PKCS#12 file and once from a key in a SoftHSM token, as a hardware key
# would hold it. The installer, the program in the portable zip, and the
# program and uninstaller the installer puts in place under Wine must each
# verify against that CA, and not against another.
# usage: check_signing.sh BUILD_DIR
set -u
build=$1
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SOFTHSM2_CONF=$scratch/softhsm2.conf
trap 'timeout 30 wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; exit 1; }
cd "$scratch" || fail "no $scratch"

ca() { openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -subj "/CN=$2" -days 1 \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null; }
ca ca "Throwaway CA" && ca other "Another CA" || fail "openssl made no CA"
printf 'extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n' >signing.ext
{ openssl req -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -subj "/CN=KelVastO" &&
    openssl x509 -req -in sign.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 1 -extfile signing.ext -out sign.pem &&
    cat sign.pem ca.pem >chain.pem &&
    openssl pkcs12 -export -inkey sign.key -in sign.pem -certfile ca.pem -passout pass:throwaway -out sign.p12 &&
    openssl pkcs8 -topk8 -nocrypt -in sign.key -out sign.pk8; } >/dev/null 2>&1 || fail "openssl made no certificate"
mkdir tokens && printf 'directories.tokendir = %s\n' "$scratch/tokens" >"$SOFTHSM2_CONF"
{ softhsm2-util --init-token --free --label tallivox --pin 1234 --so-pin 5678 &&
    softhsm2-util --import sign.pk8 --token tallivox --label release --id 01 --pin 1234; } >/dev/null ||
    fail "SoftHSM took no key"

verified() {
    osslsigncode verify -CAfile ca.pem -in "$1" >verify.log 2>&1 || fail "$2 does not verify: $(tail -n 4 verify.log)"
    ! osslsigncode verify -CAfile other.pem -in "$1" >/dev/null 2>&1 || fail "$2 verifies against another CA"
}
pkcs12=(TALLIVOX_SIGN_PKCS12="$scratch/sign.p12" TALLIVOX_SIGN_PASSWORD=throwaway)
pkcs11=(TALLIVOX_SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so TALLIVOX_SIGN_PIN=1234
    "TALLIVOX_SIGN_KEY=pkcs11:token=tallivox;object=release;type=private" TALLIVOX_SIGN_CERT="$scratch/chain.pem")
for route in pkcs12 pkcs11; do
    declare -n signing=$route
    env "${signing[@]}" cpack --config "$build/CPackConfig.cmake" -B "$route" >"$route.log" 2>&1 ||
        fail "the release signed from $route: $(tail -n 5 "$route.log")"
    installer=$(ls "$route"/*.exe)
    verified "$installer" "the installer signed from $route"
    unzip -q "$route"/*-portable.zip -d "$route/portable" || fail "the portable zip signed from $route"
    verified "$route/portable/tallivox.exe" "the portable program signed from $route"
    timeout 120 wine "$installer" /S /CurrentUser "/D=C:\\$route" </dev/null >/dev/null 2>&1 ||
        fail "the installer signed from $route did not install"
    timeout 60 wineserver -w
    for file in tallivox.exe Uninstall.exe; do
        verified "$WINEPREFIX/drive_c/$route/$file" "the installed $file signed from $route"
    done
done
echo "signed from a PKCS#12 file and from a PKCS#11 token: the installer, the portable program and the" \
     "installed program and uninstaller verify against the throwaway CA, and not against another"

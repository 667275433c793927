#!/bin/bash
# The icon, version block and hardening read back from the linked tallivox.exe,
# whose bytes are what Explorer shows and Windows enforces.
# usage: check_resources.sh TALLIVOX_EXE FIXED_VERSION VERSION
set -u
source "$(dirname "$0")/../identity.sh"
fail() { echo "FAIL: $*"; exit 1; }
icons=$(wrestool -x --type=14 "$1" | icotool -l -)
[ "$icons" = "--icon --index=1 --width=122 --height=128 --bit-depth=24 --palette-size=0" ] \
    || fail "the program's icon is not one 122 x 128 image of 24 bits: $icons"
expected="FileVersionNumber: $2
ProductVersionNumber: $2
FileOS: Win32
ObjectFileType: Executable application
LanguageCode: English (U.S.)
CharacterSet: Unicode
CompanyName:  $TALLIVOX_VENDOR
FileDescription: $TALLIVOX_SUMMARY
FileVersion: $3
InternalName: $TALLIVOX_NAME
LegalCopyright: $TALLIVOX_COPYRIGHT
ProductName: $TALLIVOX_NAME
ProductVersion: $3"
version=$(exiftool -S $(sed 's/^\([A-Za-z]*\):.*/-\1/' <<<"$expected") "$1")
[ "$version" = "$expected" ] || fail "the version block reads:
$version"
# ASLR with high-entropy addresses, and DEP: DllCharacteristics 0x20, 0x40, 0x100.
flags=0x$(objdump -p "$1" | awk '$1 == "DllCharacteristics" {print $2}')
[ $((flags & 0x160)) = $((0x160)) ] || fail "DllCharacteristics $flags lack ASLR, high-entropy addresses or DEP"
grep -q "stack smashing detected" "$1" || fail "no stack protector's guard is linked in"
echo "ASLR, high-entropy VA, DEP, stack protector; icon 122x128 24-bit; version block: $(tr '\n' ';' <<<"$version")"

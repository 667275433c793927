#!/bin/bash
# Relinks tallivox.exe from the kit as someone with a modified Qt would, and
# runs it under Wine: against the shipped Qt it must be the very program shipped.
# usage: check_relink.sh KIT_ZIP QT_PREFIX TALLIVOX_EXE NOTICES VERSION
set -u
kit=$1 qt=$2 program=$3 notices=$4 version=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../identity.sh"
fail() { echo "FAIL: $*"; exit 1; }
grep -qF "$(basename "$kit")" "$notices" || fail "the notices do not name the kit $(basename "$kit")"
unzip -q "$kit" -d "$scratch" || fail "$kit does not unpack"
relinked=$(ls -d "$scratch"/*/)tallivox.exe
QT=$qt sh "$(dirname "$relinked")/link.sh" >"$scratch/link.log" 2>&1 ||
    fail "the kit's link.sh: $(cat "$scratch/link.log")"
cmp -s "$relinked" "$program" || fail "the relinked program differs from tallivox.exe"
answer=$(timeout 60 wine "$relinked" --version </dev/null 2>/dev/null | tr -d '\r')
timeout 30 wineserver -k # Wine kept on no display would serve the next test's windows
[ "$answer" = "$TALLIVOX_NAME $version" ] || fail "the relinked program answered --version with '$answer'"
echo "relinked from $(basename "$kit"): the same bytes as tallivox.exe; under Wine it says '$answer'"

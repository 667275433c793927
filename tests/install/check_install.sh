#!/bin/bash
# Installs the build into a scratch root and builds the .deb: both put exactly
# these files where desktops look, the desktop entry and metainfo validate,
# lintian is satisfied and the packaged program hardened.
# usage: check_install.sh BUILD_DIR VERSION
set -eu
build=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../expected.sh"
expected="./usr/bin/tallivox ./usr/share/applications/$app_id.desktop ./usr/share/doc/tallivox/changelog.gz
    ./usr/share/doc/tallivox/copyright ./usr/share/icons/hicolor/128x128/apps/$app_id.png
    ./usr/share/man/man1/tallivox.1.gz ./usr/share/metainfo/$app_id.metainfo.xml"
expected=$(xargs <<<"$expected")
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$scratch/root" && find . -type f | sort | xargs)
[ "$installed" = "$expected" ] || fail "cmake --install placed: $installed"
desktop-file-validate "$scratch/root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo"
grep -q "^Exec=tallivox$" "$scratch/root/usr/share/applications/$app_id.desktop" || fail "Exec line"

# Directories 0755 in the package, as dpkg-buildpackage's own umask gives.
umask 022
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort | xargs)
[ "$packaged" = "$expected" ] || fail "the package holds: $packaged"
[ "$(dpkg-deb -f "$deb" Package Version)" = "Package: tallivox
Version: $version" ] || fail "package name or version"
dpkg-deb -f "$deb" Depends | grep -q "fonts-farsiweb, fonts-liberation2, libc6.*libqt6widgets6" ||
    fail "package depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland, qt6-translations-l10n" ] || fail "package recommends"
lintian --fail-on error,warning "$deb" || fail "lintian's errors or warnings above"

# The shipped program, hardened: fortified calls wherever the build optimises.
dpkg-deb -x "$deb" "$scratch/unpacked"
elf=$(readelf -hldW --dyn-syms "$scratch/unpacked/usr/bin/tallivox")
set -- 'Type: *DYN' GNU_RELRO 'FLAGS_1.* NOW' 'FLAGS_1.* PIE' ' __stack_chk_fail@'
case $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt") in
    Release | RelWithDebInfo | MinSizeRel) set -- "$@" ' __[a-z]*_chk@' ;;
esac
for want; do printf "%s\n" "$elf" | grep -q "$want" || fail "the packaged program lacks $want"; done
printf "%s\n" "$elf" | grep -E '\((RUNPATH|RPATH)\)' && fail "the packaged program has a search path"
echo "installed and packaged: $expected ($(basename "$deb"))"

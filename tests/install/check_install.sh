#!/bin/sh
# Installs the build into a scratch root and builds the Debian package; both
# must put exactly these files where desktops look for them, and the desktop
# entry and AppStream metainfo must validate.
# usage: check_install.sh BUILD_DIR
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
id=example.kelvasto.Tallivox
expected="./usr/bin/tallivox ./usr/share/applications/$id.desktop ./usr/share/icons/hicolor/128x128/apps/$id.png ./usr/share/metainfo/$id.metainfo.xml"
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$scratch/root" && find . -type f | sort | xargs)
[ "$installed" = "$expected" ] || fail "cmake --install placed: $installed"
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q "^Exec=tallivox$" "$scratch/root/usr/share/applications/$id.desktop" || fail "Exec line"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort | xargs)
[ "$packaged" = "$expected" ] || fail "the package holds: $packaged"
[ "$(dpkg-deb -f "$deb" Package Version)" = "Package: tallivox
Version: 1.00" ] || fail "package name or version"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6.*fonts-farsiweb, fonts-liberation2" || fail "package depends"
echo "installed and packaged: $expected ($(basename "$deb"))"

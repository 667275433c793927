#!/bin/sh
# Installs the build into a scratch root and builds the Debian package, then
# checks that both put exactly the expected files where desktops look for
# them, and that the desktop entry and AppStream metainfo validate.
# usage: check_install.sh BUILD_DIR
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

id=example.kelvasto.Tallivox
expected="./usr/bin/tallivox
./usr/share/applications/$id.desktop
./usr/share/icons/hicolor/128x128/apps/$id.png
./usr/share/metainfo/$id.metainfo.xml"

fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$scratch/root" && find . -type f | sort)
[ "$installed" = "$expected" ] || fail "cmake --install placed:
$installed"

desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" >"$scratch/appstream.log" 2>&1 \
    || { cat "$scratch/appstream.log"; fail "metainfo"; }
grep -q "^Exec=tallivox$" "$scratch/root/usr/share/applications/$id.desktop" || fail "Exec line"
grep -q "^Icon=$id$" "$scratch/root/usr/share/applications/$id.desktop" || fail "Icon line"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/*.deb)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
[ "$packaged" = "$expected" ] || fail "the package holds:
$packaged"
[ "$(dpkg-deb -f "$deb" Package)" = tallivox ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "package version"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "package depends"
dpkg-deb -f "$deb" Depends | grep -q "fonts-farsiweb" || fail "package depends on the Persian font"

echo "installed and packaged: $(echo "$expected" | tr '\n' ' ')($(basename "$deb"))"

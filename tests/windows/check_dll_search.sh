#!/bin/bash
# tallivox.exe run from a Downloads folder where a web page has dropped a DLL
# under every name it uses that is not a KnownDLL (Windows looks there first,
# and Wine is told to), qt.conf, qt6.conf and Qt's plug-in folders: the whole
# scenario must run, no planted DLL may load, and Qt must not look at the rest.
# usage: xvfb-run check_dll_search.sh TALLIVOX_EXE SCENARIO CXX LEAVE_MARK_SOURCE
set -u
program=$1 scenario=$2 cxx=$3 source=$4
scratch=$(mktemp -d)
export WINEPREFIX=${WINEPREFIX:-$scratch/wine}
trap 'timeout 30 wineserver -k 2>/dev/null; rm -rf "$scratch" "${downloads:-}"' EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; exit 1; }

# Every DLL the program imports or names but those Windows takes from System32
# alone: the KnownDLLs (the build's list), API sets and ntdll.
known=" $(sed -n '/^set(known_dlls/,/)/{s/set(known_dlls//;s/)//;p}' "${0%/*}/../../cmake/DelayLoad.cmake" | xargs) "
planted=($({ strings -a "$program"; strings -a -el "$program"; objdump -p "$program" |
    awk '/DLL Name:/ { print $3 }'; } | grep -ixE '[a-z0-9_-]+\.dll' | tr A-Z a-z | sed 's/\.dll$//' | sort -u |
    while read -r dll; do [[ $known == *" $dll "* || $dll == api-ms-win-* || $dll == ntdll ]] || echo "$dll"; done))
[ ${#planted[@]} -gt 0 ] || fail "no DLL to plant was found in $program"
# Wine's own user32 imports version.dll and its comctl32 loads uxtheme.dll
# before any program runs, so Wine is not told to prefer those two planted:
# what Windows does with them, Wine cannot show.
unproven=(uxtheme version)
preferred=($(printf '%s\n' "${planted[@]}" | grep -vxE "$(IFS='|'; echo "${unproven[*]}")"))

mkdir -p "$WINEPREFIX/drive_c" && downloads=$(mktemp -d "$WINEPREFIX/drive_c/Downloads.XXXXXX") || fail "no Downloads"
cp "$program" "$downloads/tallivox.exe"
"$cxx" -shared -static -o "$scratch/planted.dll" "$source" || fail "no DLL from $source"
for dll in "${planted[@]}" platforms/qwindows styles/qwindowsvistastyle imageformats/qpng iconengines/qsvgicon; do
    mkdir -p "$(dirname "$downloads/$dll")" && cp "$scratch/planted.dll" "$downloads/$dll.dll"
done
printf '[Paths]\nPrefix=C:/planted\n[Platforms]\nWindowsArguments=fontengine=freetype\n' >"$downloads/qt.conf"
cp "$downloads/qt.conf" "$downloads/qt6.conf"

overrides=$(printf '%s,' "${preferred[@]}")
cd "$downloads" || fail "no $downloads"
WINEDLLOVERRIDES="mscoree,mshtml=;${overrides%,}=n,b" WINEDEBUG=-all,trace+file TALLIVOX_STDERR="$scratch/trace" \
    "$scenario" windows "$downloads/tallivox.exe"
ran=$?
marks=$(cd "$downloads" && ls ./*.ran ./*/*.ran 2>/dev/null)
[ -z "$marks" ] || fail "planted DLLs ran inside tallivox.exe:" $marks
[ $ran = 0 ] || fail "the scenario, with the planted files beside the program"
grep -aqiE "${downloads##*/}(\\\\)+tallivox\.exe" "$scratch/trace" || fail "Wine's file trace never showed tallivox.exe opened"
looked=$(grep -aoiE "${downloads##*/}(\\\\)+(qt6?\.conf|platforms|styles|imageformats|iconengines)\b" "$scratch/trace")
[ -z "$looked" ] || fail "Qt looked beside the program for:" $looked
echo "planted beside tallivox.exe: ${preferred[*]} (Wine told to prefer them), Qt's plug-in folders, qt.conf" \
     "and qt6.conf; none loaded or read, and the scenario ran." \
     "${unproven[*]:+Not shown: ${unproven[*]}, which Wine loads for itself before the program starts.}"

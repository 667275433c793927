#!/bin/bash
# tallivox.exe run from a Downloads folder where a web page has dropped a DLL
# under every name the program imports that is not one of Windows' KnownDLLs
# (Windows looks for those beside the program first; Wine is told to do the
# same), and qt.conf, qt6.conf and Qt's plug-in folders: the whole
# scenario must run, no planted DLL may load, and Qt must not even look at
# the rest. Every DLL imported the ordinary way must be a KnownDLL.
# usage: xvfb-run check_dll_search.sh TALLIVOX_EXE SCENARIO CXX LEAVE_MARK_SOURCE
set -u
program=$1 scenario=$2 cxx=$3 source=$4
scratch=$(mktemp -d)
export WINEPREFIX=${WINEPREFIX:-$scratch/wine}
trap 'timeout 30 wineserver -k 2>/dev/null; rm -rf "$scratch" "${downloads:-}"' EXIT
trap 'exit 143' INT TERM HUP
fail() { echo "FAIL: $*"; exit 1; }

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10
# and 11: Windows takes these from System32 alone, as it does API sets.
known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz
        nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 "
# "DLL FUNCTION" for every function imported the ordinary way; planted DLLs
# export these, so that the loader would take them.
x86_64-w64-mingw32-objdump -p "$program" | awk '
    /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll) }
    dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }' >"$scratch/imports"
ordinary=($(cut -d' ' -f1 "$scratch/imports" | sort -u))
for dll in "${ordinary[@]}"; do
    [[ $known == *" $dll "* || $dll == api-ms-win-* ]] ||
        fail "$dll.dll is imported, not delay-loaded: Windows would look for it beside the program"
done
# Planted: every other DLL the program names, delay-loaded ones included.
planted=($({ strings -a "$program"; strings -a -el "$program"; } | grep -ixE '[a-z0-9_-]+\.dll' | tr A-Z a-z |
    sed 's/\.dll$//' | sort -u | while read -r dll; do
        [[ $known == *" $dll "* || $dll == api-ms-win-* || $dll == ntdll ]] || echo "$dll"
    done))
[ ${#planted[@]} -gt 0 ] || fail "no DLL to plant was found in $program"
# Wine's own user32.dll imports version.dll, and its comctl32.dll loads
# uxtheme.dll as it starts: under Wine a planted copy of either runs before
# the program does, whatever the program does, so Wine is not told to prefer
# those two. What Windows does with them, Wine cannot show.
preferred=() unproven=()
for dll in "${planted[@]}"; do
    if [[ " version uxtheme " == *" $dll "* ]]; then unproven+=("$dll"); else preferred+=("$dll"); fi
done

mkdir -p "$WINEPREFIX/drive_c" && downloads=$(mktemp -d "$WINEPREFIX/drive_c/Downloads.XXXXXX") || fail "no Downloads"
cp "$program" "$downloads/tallivox.exe"
"$cxx" -c -o "$scratch/mark.o" "$source" || fail "compiling $source"
for dll in "${planted[@]}" platforms/qwindows styles/qwindowsvistastyle imageformats/qpng iconengines/qsvgicon; do
    { echo EXPORTS; awk -v dll="$dll" '$1 == dll { print $2 "=planted" }' "$scratch/imports"; } >"$scratch/exports.def"
    mkdir -p "$(dirname "$downloads/$dll")"
    "$cxx" -shared -static -o "$downloads/$dll.dll" "$scratch/mark.o" "$scratch/exports.def" || fail "linking $dll.dll"
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
looked=$(grep -aoiE "${downloads##*/}(\\\\)+(qt6?\.conf|platforms|styles|imageformats|iconengines)\b" "$scratch/trace" | sort -u)
[ -z "$looked" ] || fail "Qt looked beside the program for:" $looked
echo "planted beside tallivox.exe: ${preferred[*]} (Wine told to prefer them), Qt's plug-in folders, qt.conf" \
     "and qt6.conf; none loaded or read, and the scenario ran." \
     "${unproven[*]:+Not shown: ${unproven[*]}, which Wine loads for itself before the program starts.}"

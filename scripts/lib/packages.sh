# Installs the Debian packages a script needs, and nothing when all are there.
# Sourced by the scripts under scripts/ and .ci/ that install packages.

# Nazli (fonts-farsiweb) is the Persian font the captions fall back to when
# the design fonts are missing, Liberation Sans the narrow Latin one; Wine
# finds them too.
FONT_PACKAGES=(fonts-farsiweb fonts-liberation2)

# What building and starting the window needs; Qt's translation tools build
# the program's own Persian into it.
TRANSLATION_TOOLS=(qt6-tools-dev qt6-l10n-tools)
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev "${TRANSLATION_TOOLS[@]}" "${FONT_PACKAGES[@]}")

# A private X server with a small window manager, and the tools the
# end-to-end tests drive and read the real window with.
DISPLAY_PACKAGES=(xvfb xauth openbox x11-utils xdotool xclip imagemagick)

# What running every test needs on top of the build: sanitizers and the
# fuzzer (clang), desktop-file and AppStream validators, and a headless
# Wayland compositor with the tools the Wayland scenario drives and reads it with.
TEST_PACKAGES=(libgtest-dev qt6-translations-l10n clang libclang-rt-dev desktop-file-utils appstream "${DISPLAY_PACKAGES[@]}"
    sway wtype grim wl-clipboard jq qt6-wayland)
# The package check: dpkg-shlibdeps (dpkg-dev, file) and lintian.
TEST_PACKAGES+=(dpkg-dev file lintian)
# The screen reader test: Orca, its voice (only recommended, and without it
# none) and a session of its own (D-Bus, AT-SPI, GSettings through dconf),
# and a Persian locale to build.
TEST_PACKAGES+=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng at-spi2-core dbus-daemon
    dconf-gsettings-backend libglib2.0-bin locales)

# What the benchmarks need on top of the build.
BENCH_PACKAGES=(libbenchmark-dev python3 xvfb xauth)

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# What scripts/windows needs on Debian 13: the MinGW-w64 cross compilers on
# the Universal C Runtime, the host Qt tools (moc, rcc, uic) and CMake files
# for the cross build, Debian's source tools for Qt's source and GoogleTest's,
# Wine with its fonts to run the results, NSIS for the installer (and
# ImageMagick, in the display packages, for its pictures), Qt's translation
# tools and Qt's own Persian to build into tallivox.exe, icoutils, exiftool
# and binutils to read the icon, version block and strings back, the locales
# that give Wine a Persian or an English face, the display the end-to-end
# tests need, osslsigncode with SoftHSM and OpenSSL's PKCS#11 engine to sign
# a release from a file or a token (openssl makes the tests' keys), and
# Node.js to check the manifests and the bill of materials.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-ucrt64 binutils qt6-base-dev qt6-base-dev-tools
    "${TRANSLATION_TOOLS[@]}" qt6-translations-l10n dpkg-dev googletest wine wine64 fonts-wine nsis icoutils
    libimage-exiftool-perl zip unzip locales "${FONT_PACKAGES[@]}" "${DISPLAY_PACKAGES[@]}"
    osslsigncode softhsm2 libengine-pkcs11-openssl openssl ca-certificates nodejs npm)

# Wine takes its display language from the locale, which must exist: the
# tests show the program and the installer on a Persian, a Dari and an
# English Windows. Wine's Dari (prs-AF) is fa_AF, which glibc lacks: Persian's
# data serve under that name.
ensure_locales() {
    local locale
    for locale in fa_IR:fa_IR fa_AF:fa_IR en_US:en_US; do
        locale -a | grep -qx "${locale%%:*}.utf8" || as_root localedef -i "${locale#*:}" -f UTF-8 "${locale%%:*}.UTF-8"
    done
}

# Installs the Debian packages a script needs, and nothing when all are there.
# Sourced by scripts/run and scripts/test.

# What building and starting the window needs. Nazli (fonts-farsiweb) is the
# Persian font the captions fall back to when the design fonts are missing.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev fonts-farsiweb)

# What running every test needs on top of that: sanitizers and the fuzzer
# (clang), the Windows resource compiler, desktop-file and AppStream
# validators, and an X server with tools to drive the real window.
TEST_PACKAGES=(libgtest-dev clang libclang-rt-14-dev python3 binutils-mingw-w64-x86-64
    desktop-file-utils appstream xvfb xauth xdotool xclip imagemagick)

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

    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

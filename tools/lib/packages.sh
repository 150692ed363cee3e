# Installs the Debian packages that are missing (sourced by the tools scripts).
need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and testing on Linux needs.
QUORVELL_BUILD_PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev
    libbenchmark-dev nlohmann-json3-dev zlib1g-dev libyaml-cpp-dev qt6-base-dev qt6-svg-dev libgl-dev
    librsvg2-bin libsquish-dev libpng-dev)
# What building the packages and checking them needs.
QUORVELL_PACKAGING_PACKAGES=(dpkg-dev desktop-file-utils appstream file binutils lintian)
# What the Windows cross build and its tests under Wine need.
QUORVELL_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine wine64)
# What running the window on a machine without a display needs.
QUORVELL_DISPLAY_PACKAGES=(xvfb xauth)

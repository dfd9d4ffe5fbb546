# Shared set-up of the README's commands: sourced, not run.
#
#   snp_setup [extra Debian packages...]   installs what is missing, configures and builds
#
# Environment: BUILD_DIR (default: build), CMAKE_ARGS (extra configure arguments),
# SNP_JOBS (parallel build jobs, default: the number of cores).

SNP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$SNP_ROOT/build}
SNP_JOBS=${SNP_JOBS:-$(nproc 2>/dev/null || echo 2)}

SNP_PACKAGES=(cmake make g++ pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libqt5svg5-dev qttools5-dev-tools
    fonts-dejavu-core)

snp_say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

snp_missing_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    echo "${missing[@]}"
}

snp_install_packages() {
    local missing
    missing=$(snp_missing_packages "${SNP_PACKAGES[@]}" "$@")
    [ -z "$missing" ] && return 0
    if ! command -v apt-get >/dev/null; then
        echo "Missing packages: $missing; this set-up knows only Debian's apt-get." >&2
        return 1
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: $missing" >&2
        echo "Install them as root:  apt-get install -y $missing" >&2
        return 1
    fi
    snp_say "Installing $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

snp_build() {
    snp_say "Configuring in $BUILD_DIR"
    cmake -S "$SNP_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
    snp_say "Building with $SNP_JOBS jobs"
    cmake --build "$BUILD_DIR" -j "$SNP_JOBS"
}

snp_setup() {
    snp_install_packages "$@" && snp_build
}

# Shared set-up of the README's commands: sourced, not run.
#
#   snp_setup [extra Debian packages...]   installs what is missing, configures and builds
#                                          (warnings are errors)
#   snp_install_packages [packages...]     installs the Debian packages of the set-up and these
#                                          where they are missing (as root; otherwise names them)
#
# Environment: SNP_QT_MAJOR (the toolkit: 5, the default, or 6), BUILD_DIR (default: build
# for Qt 5, build-qt6 for Qt 6), CMAKE_ARGS (extra configure arguments), SNP_JOBS (parallel
# build jobs, default: the number of cores).

SNP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SNP_TARGET=${SNP_TARGET:-linux}
case $SNP_TARGET in
    linux) ;;
    # Windows is built with Qt 6 cross-compiled from source (tools/windows/build-qt).
    windows) SNP_QT_MAJOR=6 ;;
    *) echo "SNP_TARGET is linux or windows, not '$SNP_TARGET'" >&2
       return 2 2>/dev/null || exit 2 ;;
esac
SNP_QT_MAJOR=${SNP_QT_MAJOR:-5}
case $SNP_QT_MAJOR in
    # Linguist's tools (lupdate, lrelease and their CMake packages) and Qt's own translations.
    5) SNP_BUILD_SUFFIX=
       SNP_QT_PACKAGES=(qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libqt5svg5-dev
           qttools5-dev-tools qttools5-dev qttranslations5-l10n) ;;
    6) SNP_BUILD_SUFFIX=-qt6
       SNP_QT_PACKAGES=(qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
           qt6-qpa-plugins qt6-tools-dev qt6-l10n-tools qt6-translations-l10n) ;;
    *) echo "SNP_QT_MAJOR is 5 or 6, not '$SNP_QT_MAJOR'" >&2
       return 2 2>/dev/null || exit 2 ;;
esac
if [ "$SNP_TARGET" = windows ]; then
    SNP_BUILD_SUFFIX=-windows
    # The host's Qt 6 gives the cross build its moc, uic and rcc; Wine runs what it builds;
    # NSIS makes the installer; the Linux stand-ins for the device and the server are built
    # against the host's Qt too.
    SNP_QT_PACKAGES=(qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
        qt6-qpa-plugins qt6-tools-dev qt6-translations-l10n qt6-l10n-tools g++-mingw-w64-x86-64-posix
        gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev patch xz-utils ninja-build
        wine wine64 nsis xvfb xauth procps)
    # Its version, folder and stamps (SNP_QT_WINDOWS, where tools/windows/build-qt puts it).
    source "$SNP_ROOT/tools/windows/qt-windows.sh"
fi
BUILD_DIR=${BUILD_DIR:-$SNP_ROOT/build$SNP_BUILD_SUFFIX}
SNP_JOBS=${SNP_JOBS:-$(nproc 2>/dev/null || echo 2)}

# A CJK font, so that the window reads in Chinese and Japanese too.
SNP_PACKAGES=(cmake make g++ pkg-config "${SNP_QT_PACKAGES[@]}" fonts-dejavu-core
    fonts-wqy-microhei)

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
    [ "$SNP_TARGET" = windows ] && { snp_build_windows; return; }
    snp_say "Configuring in $BUILD_DIR"
    cmake -S "$SNP_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSNP_QT_MAJOR="$SNP_QT_MAJOR" ${CMAKE_ARGS:-} >/dev/null
    snp_say "Building with $SNP_JOBS jobs"
    cmake --build "$BUILD_DIR" -j "$SNP_JOBS"
}

# The README's commands share one configuration per build folder (warnings are errors), so that
# tools/demo and tools/test, or the Windows test, package and demo, build the tree once between
# them. Configure arguments of the caller's CMAKE_ARGS come after it and win.
snp_setup() {
    snp_install_packages "$@" && CMAKE_ARGS="-DSNP_WERROR=ON ${CMAKE_ARGS:-}" snp_build
}

# The Windows build: Qt for Windows from the cache (unpacked there from the prebuilt archive, or
# built once, about half an hour), the project cross-built against it, and the Linux stand-ins
# for the device and the server in $BUILD_DIR/host, which the tests under Wine talk to.
snp_build_windows() {
    "$SNP_ROOT/tools/windows/build-qt"
    snp_say "Configuring the Windows build in $BUILD_DIR"
    cmake -S "$SNP_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$SNP_QT_WINDOWS/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$SNP_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$SNP_ROOT/tools/windows/wine-run" \
        -DSNP_QT_MAJOR=6 -DSNP_BUILD_BENCH=OFF ${CMAKE_ARGS:-} >/dev/null
    snp_say "Building for Windows with $SNP_JOBS jobs"
    cmake --build "$BUILD_DIR" -j "$SNP_JOBS"
    snp_say "Building the simulated device and the firmware server for this machine"
    cmake -S "$SNP_ROOT" -B "$BUILD_DIR/host" -DCMAKE_BUILD_TYPE=Release -DSNP_QT_MAJOR=6 \
        -DSNP_BUILD_TESTS=OFF -DSNP_BUILD_BENCH=OFF >/dev/null
    cmake --build "$BUILD_DIR/host" -j "$SNP_JOBS" --target snp300-sim snp300-firmware-server
}

# Qt for Windows as the scripts of the Windows build know it, in one place: sourced, not run
# (by tools/setup.sh, tools/windows/build-qt, tools/windows/wine-run and .ci/run).
#
#   SNP_QT_WINDOWS_VERSION          the Qt release, as Debian 12 packages it for Linux
#   SNP_QT_WINDOWS                  where it is installed (default:
#                                   ~/.cache/snp300/qt-<version>-mingw64), exported
#   SNP_QT_SOURCES                  the folder of the module tarballs and of the prebuilt archive,
#                                   whose README.md gives their SHA-256 (default:
#                                   ../shared/toolchains beside the checkout), exported
#   SNP_QT_WINDOWS_MODULES          the modules, in the order they are built
#   SNP_QT_WINDOWS_PREBUILT         the prebuilt archive of the install folder
#
#   snp_qt_windows_patches_hash M   the SHA-256 of this checkout's patches to module M
#                                   (tools/windows/patches/M-*.patch in name order), or none
#   snp_qt_windows_stamp_matches M [PREFIX] [STAMP]
#                                   whether M in PREFIX (default SNP_QT_WINDOWS) was built with
#                                   these patches; STAMP is the stamp's text when it is not read
#                                   from PREFIX
#   snp_qt_windows_built [PREFIX]   whether every module there matches: nothing to build
#   snp_qt_windows_sha256 FILE      the SHA-256 that SNP_QT_SOURCES/README.md gives for FILE
#   snp_qt_windows_prebuilt_fits    whether the prebuilt archive is there, has that SHA-256 and
#                                   was built with this checkout's qtbase; if not, says why
#
# Each module built leaves the stamp PREFIX/.stamp-<module> holding its patches' hash.

SNP_QT_WINDOWS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SNP_QT_WINDOWS_VERSION=6.4.2
SNP_QT_WINDOWS=${SNP_QT_WINDOWS:-$HOME/.cache/snp300/qt-$SNP_QT_WINDOWS_VERSION-mingw64}
SNP_QT_SOURCES=${SNP_QT_SOURCES:-$SNP_QT_WINDOWS_ROOT/../shared/toolchains}
export SNP_QT_WINDOWS SNP_QT_SOURCES
SNP_QT_WINDOWS_MODULES=(qtbase qtserialport qtsvg)
SNP_QT_WINDOWS_PREBUILT=$SNP_QT_SOURCES/qt-$SNP_QT_WINDOWS_VERSION-mingw64.tar.xz
SNP_QT_WINDOWS_PATCHES=$SNP_QT_WINDOWS_ROOT/tools/windows/patches

snp_qt_windows_patches() { ls "$SNP_QT_WINDOWS_PATCHES/$1"-*.patch 2>/dev/null | sort || true; }

snp_qt_windows_patches_hash() {
    local files
    files=$(snp_qt_windows_patches "$1")
    if [ -z "$files" ]; then echo none; else cat $files | sha256sum | cut -d' ' -f1; fi
}

snp_qt_windows_stamp_matches() {
    local module=$1 prefix=${2:-$SNP_QT_WINDOWS} stamp
    if [ $# -ge 3 ]; then
        stamp=$3
    else
        [ -f "$prefix/.stamp-$module" ] || return 1
        stamp=$(cat "$prefix/.stamp-$module")
    fi
    [ "$stamp" = "$(snp_qt_windows_patches_hash "$module")" ]
}

snp_qt_windows_built() {
    local module
    for module in "${SNP_QT_WINDOWS_MODULES[@]}"; do
        snp_qt_windows_stamp_matches "$module" "${1:-$SNP_QT_WINDOWS}" || return 1
    done
}

# The README of the toolchain folder names each file in backticks: in a table row together with
# its SHA-256, or in the text of a section whose table has a row "SHA-256". Nothing is printed
# when it gives none.
snp_qt_windows_sha256() {
    local readme=$SNP_QT_SOURCES/README.md
    [ -f "$readme" ] || return 0
    awk -v name="\`$1\`" '
        function sha(line) { if (match(line, /`[0-9a-f]+`/) && RLENGTH == 66) return substr(line, RSTART + 1, 64); return "" }
        /^#/ { named = 0 }
        index($0, name) { named = 1; if (sha($0) != "") { print sha($0); exit } }
        named && /^\| *SHA-256 *\|/ && sha($0) != "" { print sha($0); exit }
    ' "$readme"
}

# The prebuilt archive carries the stamps of the patches it was built with. Its qtbase must match
# this checkout's; a module whose patches changed since is rebuilt alone after it is unpacked.
snp_qt_windows_prebuilt_fits() {
    local archive=$SNP_QT_WINDOWS_PREBUILT name expected stamp
    name=$(basename "$archive")
    [ -f "$archive" ] || { echo "no $archive"; return 1; }
    expected=$(snp_qt_windows_sha256 "$name")
    [ -n "$expected" ] || { echo "$SNP_QT_SOURCES/README.md gives no SHA-256 for $name"; return 1; }
    echo "$expected  $archive" | sha256sum -c --quiet - >/dev/null 2>&1 \
        || { echo "$archive does not have the SHA-256 that $SNP_QT_SOURCES/README.md gives"; return 1; }
    stamp=$(tar -xJOf "$archive" "qt-$SNP_QT_WINDOWS_VERSION-mingw64/.stamp-qtbase" 2>/dev/null || true)
    snp_qt_windows_stamp_matches qtbase "" "$stamp" \
        || { echo "$name was built with other qtbase patches than this checkout's"; return 1; }
}

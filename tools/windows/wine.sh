# Wine for the Windows build, shared by the README's commands: sourced, not run.
#
#   snp_wine_start PREFIX     a prefix of its own (made on first use), its server started here
#                             and remembered by PID, Documents a real folder inside it
#   snp_wine_stop             stops that server by its PID
#   snp_wine_com_port N DEV   maps COMN of the prefix to the device file DEV (a pseudo-terminal
#                             or a link to one), restarting the prefix
#   snp_wine_documents NAME   makes the user's Documents folder C:\users\<user>\NAME
#   snp_wine_windows_path P   the Windows form (Z:\...) of a Linux path
#   snp_wine ARGS...          runs wine in the prefix, its output to files: the prefix's
#                             services inherit a pipe and would hold it open
#
# Wine hands no QT_* variable of the environment to a Windows program, but passes WINEQT_X as
# QT_X: snp_wine_pass_qt_environment does that renaming for every QT_* variable set.

snp_wine_windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

snp_wine_pass_qt_environment() {
    local name
    for name in $(compgen -e); do
        case $name in QT_*) export "WINE$name=${!name}" ;; esac
    done
}

snp_wine() {
    local out=${SNP_WINE_LOG:-$WINEPREFIX/../wine-commands.log}
    wine "$@" >>"$out" 2>&1 </dev/null
}

snp_wine_start() {
    export WINEPREFIX=$1
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEARCH=win64
    # Neither Mono nor Gecko is needed, and nothing may be downloaded.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    mkdir -p "$WINEPREFIX"
    wineserver -f -p >"$WINEPREFIX/../wineserver.log" 2>&1 &
    SNP_WINESERVER_PID=$!
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        snp_say "Making the Wine prefix $WINEPREFIX"
        snp_wine wineboot -i
        snp_wine_documents Documents
    fi
}

snp_wine_stop() {
    [ -n "${SNP_WINESERVER_PID:-}" ] || return 0
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
    kill "$SNP_WINESERVER_PID" 2>/dev/null || true
    wait "$SNP_WINESERVER_PID" 2>/dev/null || true
    SNP_WINESERVER_PID=
}

# In a new prefix Documents is a link to the Linux home; the program's data belongs inside
# the prefix. A name other than Documents is set as the user's Documents folder.
snp_wine_documents() {
    local user_dir
    user_dir=$(ls -d "$WINEPREFIX/drive_c/users/"*/ | grep -v '/Public/$' | head -n 1)
    user_dir=${user_dir%/}
    [ -L "$user_dir/Documents" ] && rm "$user_dir/Documents"
    mkdir -p "$user_dir/$1"
    snp_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
        /v Personal /t REG_EXPAND_SZ /d "%USERPROFILE%\\$1" /f
    snp_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
        /v Personal /t REG_SZ /d "C:\\users\\$(basename "$user_dir")\\$1" /f
    SNP_WINE_DOCUMENTS="$user_dir/$1"
}

# QSerialPortInfo lists a COM port of the prefix only when HKLM\Software\Wine\Ports names it,
# and Wine's mount manager reads that key when the prefix starts: the prefix is restarted.
snp_wine_com_port() {
    ln -sfn "$2" "$WINEPREFIX/dosdevices/com$1"
    snp_wine reg add 'HKLM\Software\Wine\Ports' /v "COM$1" /t REG_SZ /d "$2" /f
    snp_wine_stop
    snp_wine_start "$WINEPREFIX"
}

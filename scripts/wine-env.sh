# shellcheck shell=bash
# Wine + Xvfb sessions for running and driving the Windows build.
#
# Source this file, then:
#   wine_windows_tree            the build tree whose programs this machine runs: win32, or win64
#                                where the kernel runs no 32-bit code; QUENBY_WINE_TREE=win64
#                                chooses the 64-bit one (and its loader) where both run
#   wine_prepare_prefix PREFIX   create (once) a Wine prefix of that kind, set up for the program
#   wine_use_prefix PREFIX       export WINEPREFIX, WINEARCH, WINEDEBUG and WINEDLLOVERRIDES
#   wine_session_start PREFIX    start a private Xvfb and wineserver, export DISPLAY, WINEPREFIX...
#   wine_session_stop            stop them again (safe to call twice, or without a session)
#   wine_screenshot FILE         save the session's screen as a PNG
#
# Typical test script:
#   source scripts/wine-env.sh
#   wine_prepare_prefix build/wineprefix
#   wine_session_start build/wineprefix
#   trap wine_session_stop EXIT
#   timeout 30 wine build/Quenby.exe & ...
#
# Everything works without standard input and under `set -euo pipefail`.
# Processes are only ever stopped by their own PID or through the session's own
# wineserver, so other sessions on the machine are left alone.

_WINE_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_WINE_FONT_SOURCE=/usr/share/fonts/X11/misc/6x9.pcf.gz
_WINE_PYTHON=/usr/bin/python3
_WINE_STAMP_NAME=.quenby-prefix-ready

# Settings imported into every prefix. Changing them (or the font generator)
# makes wine_prepare_prefix rebuild prefixes made from an older version.
_WINE_SETTINGS='REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Terminal"="C:\\windows\\Fonts\\terminal.fon"
'

_wine_fail() {
    echo "wine-env: $*" >&2
}

# Some virtual machines' kernels run no 32-bit code at all: Wine's 32-bit loader then fails with
# "Exec format error". There the Windows tests run a 64-bit build of the same sources with Wine's
# 64-bit loader, which a small wrapper named `wine` (first on PATH) starts for every Wine command.
wine_windows_tree() {
    if [[ -z ${_WINE_TREE:-} ]]; then
        if [[ ${QUENBY_WINE_TREE:-} == win64 ]]; then
            _WINE_TREE=win64
        elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
            _WINE_TREE=win32
        else
            _WINE_TREE=win64
        fi
    fi
    printf '%s\n' "$_WINE_TREE"
}

_wine_use_loader() {
    [[ $(wine_windows_tree) == win64 ]] || return 0
    local bin=$_WINE_ENV_DIR/../build/wine64-loader
    if [[ ! -x $bin/wine ]]; then
        mkdir -p "$bin"
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
            >"$bin/wine.new"
        chmod +x "$bin/wine.new"
        mv "$bin/wine.new" "$bin/wine"
        ln -sf wine "$bin/wine-stable"
    fi
    bin=$(cd "$bin" && pwd)
    case :$PATH: in
    *:"$bin":*) ;;
    *) export PATH=$bin:$PATH ;;
    esac
}

# Usage: wine_use_prefix PREFIX
# Makes the following wine commands run quietly in the prefix PREFIX (32-bit, or 64-bit where
# the kernel runs no 32-bit code), without the .NET and HTML engines (whose installers Wine
# would otherwise offer).
wine_use_prefix() {
    export WINEPREFIX=$1
    export WINEARCH=$(wine_windows_tree)
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

_wine_export_common() {
    wine_use_prefix "$1"
    # A fixed locale keeps the ANSI (1252) and OEM (437) code pages the same everywhere.
    export LANG=C.UTF-8
    unset LC_ALL
}

_wine_abspath() {
    case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s/%s\n' "$PWD" "$1" ;;
    esac
}

# What a ready prefix must have been made with.
_wine_prefix_version() {
    local wine_version
    wine_version=$(wine --version 2>/dev/null) || wine_version=unknown
    printf 'wine=%s arch=%s settings=%s font=%s\n' "$wine_version" "$(wine_windows_tree)" \
        "$(printf '%s' "$_WINE_SETTINGS" | sha1sum | cut -c1-12)" \
        "$(cat "$_WINE_ENV_DIR/make-terminal-font.py" "$_WINE_ENV_DIR/pcf_font.py" |
            sha1sum | cut -c1-12)"
}

# Usage: wine_prepare_prefix PREFIX
# Creates the prefix unless a complete one of the current version is there.
# A stale or half-made prefix is removed and made again.
wine_prepare_prefix() {
    local prefix=${1:-}
    [[ -n $prefix ]] || { _wine_fail "usage: wine_prepare_prefix PREFIX"; return 1; }
    prefix=$(_wine_abspath "$prefix")
    local stamp=$prefix/$_WINE_STAMP_NAME version
    version=$(_wine_prefix_version)
    if [[ -f $stamp && $(<"$stamp") == "$version" ]]; then
        return 0
    fi

    mkdir -p "$(dirname "$prefix")" || return 1
    local lock_file
    lock_file="$(dirname "$prefix")/.$(basename "$prefix").lock"
    # Only one caller builds a given prefix; the others wait for it and reuse it.
    (
        set -euo pipefail
        exec 9>"$lock_file"
        flock -w 600 9 || { _wine_fail "timed out waiting for $lock_file"; exit 1; }
        if [[ -f $stamp && $(<"$stamp") == "$version" ]]; then
            exit 0
        fi
        _wine_build_prefix "$prefix" "$version" 9>&-
    )
}

_wine_build_prefix() {
    local prefix=$1 version=$2
    if [[ -f $prefix/.session-owner ]]; then
        local owner
        read -r owner _ <"$prefix/.session-owner" || true
        if [[ -n ${owner:-} ]] && kill -0 "$owner" 2>/dev/null; then
            _wine_fail "$prefix must be made again but is in use by the session of process $owner"
            return 1
        fi
    fi
    if [[ -e $prefix ]]; then
        if [[ -f $prefix/system.reg || -f $prefix/$_WINE_STAMP_NAME ]] ||
            [[ -d $prefix && -z $(ls -A "$prefix") ]]; then
            rm -rf "$prefix"
        else
            _wine_fail "$prefix exists and is not a Wine prefix; not touching it"
            return 1
        fi
    fi
    [[ -r $_WINE_FONT_SOURCE ]] ||
        { _wine_fail "$_WINE_FONT_SOURCE is missing (install xfonts-base)"; return 1; }
    _wine_export_common "$prefix"
    # The prefix is made without a display: nothing here draws.
    unset DISPLAY WAYLAND_DISPLAY
    local log=$prefix.log
    mkdir -p "$prefix"
    if ! timeout 300 wineboot -i </dev/null >"$log" 2>&1; then
        _wine_fail "wineboot -i failed for $prefix (see $log)"
        return 1
    fi

    local fonts=$prefix/drive_c/windows/Fonts name
    mkdir -p "$fonts"
    for name in marlett.ttf tahoma.ttf tahomabd.ttf ms_sans_serif.ttf; do
        cp /usr/share/wine/fonts/$name "$fonts/" ||
            { _wine_fail "cannot copy Wine's font $name"; return 1; }
    done
    "$_WINE_PYTHON" "$_WINE_ENV_DIR/make-terminal-font.py" --source "$_WINE_FONT_SOURCE" \
        "$fonts/terminal.fon" </dev/null ||
        { _wine_fail "cannot build the Terminal font"; return 1; }

    printf '%s' "$_WINE_SETTINGS" | sed 's/$/\r/' >"$prefix/drive_c/quenby-settings.reg"
    timeout 60 wine regedit /S 'C:\quenby-settings.reg' </dev/null >>"$log" 2>&1 || true
    # The registry reaches the disk when the server ends; -k ends it (and the programs
    # wineboot left running) at once rather than when they have timed out.
    timeout 60 wineserver -k </dev/null >>"$log" 2>&1 || true
    rm -f "$prefix/drive_c/quenby-settings.reg"

    # regedit exits 0 even when it imported nothing: check the saved hives.
    if ! grep -qF '"Desktop"="Default"' "$prefix/user.reg" ||
        ! grep -qF '"Default"="1024x768"' "$prefix/user.reg" ||
        ! grep -qF '"Terminal"="C:\\windows\\Fonts\\terminal.fon"' "$prefix/system.reg"; then
        _wine_fail "the settings did not reach the registry of $prefix (see $log)"
        return 1
    fi

    printf '%s\n' "$version" >"$prefix/$_WINE_STAMP_NAME"
}

# True when PID is a wineserver that listens for PREFIX: the server works in its
# own folder "server-DEV-INODE" (named after the prefix) and has its socket there.
_wine_server_ready() { # PID PREFIX
    local cwd dev ino
    read -r dev ino < <(stat -c '%d %i' "$2") || return 1
    cwd=$(readlink "/proc/$1/cwd" 2>/dev/null) || return 1
    [[ $cwd == */$(printf 'server-%x-%x' "$dev" "$ino") && -S $cwd/socket ]]
}

# Runs a command every 20 ms until it succeeds; fails after SECONDS.
_wine_poll() { # SECONDS COMMAND...
    local tries=$(($1 * 50))
    shift
    while ! "$@"; do
        ((tries-- > 0)) || return 1
        sleep 0.02
    done
}

_wine_gone() { ! kill -0 "$1" 2>/dev/null; }

_wine_display_ready() { # DISPLAY-FILE XVFB-PID
    [[ $(cat "$1") == *[0-9] ]] || _wine_gone "$2"
}

# Stops the polling once the server is ready (remembered: while it loads or saves the
# registry the server works in the prefix folder for a moment) or gone.
_wine_server_up() { # PID PREFIX
    if _wine_server_ready "$1" "$2"; then
        _WINE_SERVER_SEEN_READY=1
        return 0
    fi
    _wine_gone "$1"
}

# Usage: wine_session_start PREFIX
# Starts Xvfb (1024x768x24, no TCP) and a persistent wineserver for the
# prepared PREFIX, and exports DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG,
# WINEDLLOVERRIDES, LANG, WINE_SESSION_XVFB_PID, WINE_SESSION_SERVER_PID and
# WINE_SESSION_DIR (a private temporary folder, removed at the stop).
# Call it in the shell that will call wine_session_stop (not inside $(...)).
wine_session_start() {
    local prefix=${1:-}
    [[ -n $prefix ]] || { _wine_fail "usage: wine_session_start PREFIX"; return 1; }
    prefix=$(_wine_abspath "$prefix")
    [[ -z ${WINE_SESSION_SERVER_PID:-} ]] ||
        { _wine_fail "a session is already running in this shell"; return 1; }
    [[ -f $prefix/$_WINE_STAMP_NAME ]] ||
        { _wine_fail "$prefix is not prepared (run wine_prepare_prefix first)"; return 1; }
    _wine_export_common "$prefix"

    local owner_file=$prefix/.session-owner
    if [[ -f $owner_file ]]; then
        local owner xvfb folder
        read -r owner xvfb folder <"$owner_file" || true
        if [[ -n ${owner:-} ]] && kill -0 "$owner" 2>/dev/null; then
            _wine_fail "$prefix is in use by the session of process $owner"
            return 1
        fi
        # A session whose shell died without stopping it: clear it away.
        timeout 20 wineserver -k </dev/null >/dev/null 2>&1 || true
        if [[ -n ${xvfb:-} && $(cat /proc/"$xvfb"/comm 2>/dev/null) == Xvfb ]]; then
            kill "$xvfb" 2>/dev/null || true
        fi
        if [[ ${folder:-} == */wine-session.* && -d $folder ]]; then
            rm -rf "$folder"
        fi
        rm -f "$owner_file"
    fi
    # A server left by a plain `wine` run (not a session) would take our place.
    timeout 20 wineserver -k </dev/null >/dev/null 2>&1 || true

    WINE_SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/wine-session.XXXXXX") || return 1
    export WINE_SESSION_DIR
    : >"$WINE_SESSION_DIR/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$WINE_SESSION_DIR/display" </dev/null >"$WINE_SESSION_DIR/xvfb.log" 2>&1 &
    export WINE_SESSION_XVFB_PID=$!
    # Xvfb writes its display number once it accepts clients.
    local display=
    _wine_poll 30 _wine_display_ready "$WINE_SESSION_DIR/display" "$WINE_SESSION_XVFB_PID" || true
    display=$(cat "$WINE_SESSION_DIR/display")
    if [[ $display != *[0-9] ]]; then
        _wine_fail "Xvfb did not start: $(tail -n 3 "$WINE_SESSION_DIR/xvfb.log")"
        wine_session_stop
        return 1
    fi
    export DISPLAY=:$display

    wineserver -f -p </dev/null >"$WINE_SESSION_DIR/wineserver.log" 2>&1 &
    export WINE_SESSION_SERVER_PID=$!
    printf '%s %s %s\n' "$$" "$WINE_SESSION_XVFB_PID" "$WINE_SESSION_DIR" >"$owner_file"
    _WINE_SERVER_SEEN_READY=0
    _wine_poll 30 _wine_server_up "$WINE_SESSION_SERVER_PID" "$prefix" || true
    if ((!_WINE_SERVER_SEEN_READY)) || _wine_gone "$WINE_SESSION_SERVER_PID"; then
        local status=running
        kill -0 "$WINE_SESSION_SERVER_PID" 2>/dev/null ||
            { wait "$WINE_SESSION_SERVER_PID" && status=0 || status=$?; }
        _wine_fail "wineserver did not start for $prefix (status $status," \
            "folder $(readlink "/proc/$WINE_SESSION_SERVER_PID/cwd" 2>/dev/null)):" \
            "$(tail -n 3 "$WINE_SESSION_DIR/wineserver.log")"
        wine_session_stop
        return 1
    fi
}

# Wine processes started in this session other than its server: Wine programs
# carry the session's WINE_SESSION_DIR in their environment.
_wine_session_programs() {
    local path pid exe
    # shellcheck disable=SC2013 # /proc paths hold no spaces
    for path in $(grep -lzxF "WINE_SESSION_DIR=$WINE_SESSION_DIR" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${path#/proc/}
        pid=${pid%/environ}
        [[ $pid != "$WINE_SESSION_SERVER_PID" ]] || continue
        exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
        [[ $exe == */wine* ]] && printf '%s\n' "$pid"
    done
    return 0
}

_wine_no_programs() { [[ -z $(_wine_session_programs) ]]; }

# Usage: wine_session_stop
# Ends every Wine program of the session, its wineserver and its Xvfb.
wine_session_stop() {
    local status=0 pid
    if [[ -n ${WINE_SESSION_SERVER_PID:-} ]]; then
        if kill -0 "$WINE_SESSION_SERVER_PID" 2>/dev/null; then
            # On SIGINT the server ends every program of its prefix; once they are
            # gone, SIGTERM saves the registry and ends the server without its
            # two-second grace period.
            kill -INT "$WINE_SESSION_SERVER_PID" 2>/dev/null || true
            _wine_poll 10 _wine_no_programs || status=1
            kill -TERM "$WINE_SESSION_SERVER_PID" 2>/dev/null || true
            if ! _wine_poll 10 _wine_gone "$WINE_SESSION_SERVER_PID"; then
                kill -9 "$WINE_SESSION_SERVER_PID" 2>/dev/null || true
                status=1
            fi
        fi
        wait "$WINE_SESSION_SERVER_PID" 2>/dev/null || true
        for pid in $(_wine_session_programs); do
            kill -9 "$pid" 2>/dev/null || true
            status=1
        done
        rm -f "${WINEPREFIX:-/nonexistent}/.session-owner"
    fi
    if [[ -n ${WINE_SESSION_XVFB_PID:-} ]]; then
        kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
        if ! _wine_poll 5 _wine_gone "$WINE_SESSION_XVFB_PID"; then
            kill -9 "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
            status=1
        fi
        wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    fi
    if [[ -n ${WINE_SESSION_DIR:-} && -d $WINE_SESSION_DIR ]]; then
        rm -rf "$WINE_SESSION_DIR"
    fi
    unset WINE_SESSION_SERVER_PID WINE_SESSION_XVFB_PID WINE_SESSION_DIR DISPLAY
    return $status
}

# Usage: wine_screenshot FILE.png
# Saves the whole virtual screen; fails if the screen is blank.
wine_screenshot() {
    local file=${1:-}
    [[ -n $file && -n ${DISPLAY:-} ]] ||
        { _wine_fail "usage: wine_screenshot FILE (inside a session)"; return 1; }
    import -window root "$file" </dev/null || return 1
    local colours
    colours=$(convert "$file" -format '%k' info:) || return 1
    ((colours > 1)) || { _wine_fail "the screen is blank"; return 1; }
}

_wine_use_loader

# shellcheck shell=bash
# The end-to-end harness: each test script sources this file, calls e2e_begin, then drives the real
# Quenby.exe under Wine as a user would, with the console driver quenby_driver.exe.
#
# Every script runs its own Xvfb and wineserver (stopped by PID at the end, also on failure), in a
# private copy of build/win32/bin under a temporary folder, and reports "N passed, N failed".
#
# Layout of a test script:
#   source "$(dirname "$0")/lib.sh"
#   e2e_begin
#   test_case "the window opens on the About page"
#   quenby_start
#   expect_eq "$(drv caption)" "Quenby v1.0" "caption"
#   quenby_close
#   e2e_end

set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_DIR/../.." && pwd)
: "${QUENBY_BIN:=$E2E_ROOT/build/win32/bin}"
: "${QUENBY_NATIVE_BIN:=$E2E_ROOT/build/native/bin}"
: "${QUENBY_SCREENSHOTS:=$E2E_ROOT/build/screenshots}"
# A prefix of their own, so that the tests never stop a wineserver that other Wine runs use.
: "${QUENBY_E2E_PREFIX:=$E2E_ROOT/build/wineprefix-e2e}"
: "${QUENBY_DRIVER:=$E2E_ROOT/build/win32/test-bin/quenby_driver.exe}"
: "${QUENBY_CLIPBOARD_HOLDER:=$E2E_ROOT/build/win32/test-bin/clipboard_holder.exe}"

# shellcheck source=../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"

E2E_PASSED=0
E2E_FAILED=0
E2E_SKIPPED=0
E2E_CASE_SKIPPED=0
E2E_LOCKED=()
E2E_CASE=""
E2E_CASE_FAILED=0
E2E_WORK=""
QUENBY_PID=""
QUENBY_EXIT=""
APP=""

e2e_log() { printf '%s\n' "$*" >&2; }

# Ends the test case in progress, counting it.
_e2e_close_case() {
    [[ -n $E2E_CASE ]] || return 0
    if ((E2E_CASE_SKIPPED)); then
        E2E_SKIPPED=$((E2E_SKIPPED + 1))
        e2e_log "skip: $E2E_CASE"
    elif ((E2E_CASE_FAILED)); then
        E2E_FAILED=$((E2E_FAILED + 1))
        e2e_log "FAIL: $E2E_CASE"
    else
        E2E_PASSED=$((E2E_PASSED + 1))
        e2e_log "ok:   $E2E_CASE"
    fi
    E2E_CASE=""
}

# Usage: test_case TITLE. Starts a new case; the checks that follow count for it.
test_case() {
    _e2e_close_case
    E2E_CASE=$1
    E2E_CASE_FAILED=0
    E2E_CASE_SKIPPED=0
}

# Usage: skip_case REASON. The case cannot run on this machine.
skip_case() {
    e2e_log "  skipped: $*"
    E2E_CASE_SKIPPED=1
}

# Usage: lock_folder DIR. Makes DIR unwritable even for root (immutable); false where the file
# system or the user cannot. unlock_folder undoes it; the exit trap undoes any left.
lock_folder() {
    chattr +i "$1" 2>/dev/null || return 1
    E2E_LOCKED+=("$1")
    if touch "$1/.probe" 2>/dev/null; then
        rm -f "$1/.probe"
        unlock_folder "$1"
        return 1
    fi
}

unlock_folder() { chattr -i "$1" 2>/dev/null || true; }

fail() {
    e2e_log "  failed: $*"
    E2E_CASE_FAILED=1
}

# The checks record a failure and let the case go on, so that one run reports every mismatch.

# Usage: expect_eq ACTUAL EXPECTED WHAT
expect_eq() {
    [[ $1 == "$2" ]] || fail "$3: expected [$2], got [$1]"
}

# Usage: expect_files_equal ACTUAL EXPECTED WHAT (byte for byte)
expect_files_equal() {
    cmp -s "$1" "$2" || fail "$3: $1 differs from $2 ($(cmp "$1" "$2" 2>&1 | head -n 1))"
}

# Usage: wait_until SECONDS COMMAND... Polls every 0.1 s until the command succeeds.
wait_until() {
    local tries=$(($1 * 10))
    shift
    while ((tries-- > 0)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Usage: e2e_begin. Prepares the prefix, copies the program and starts the Xvfb + wineserver
# session; everything is undone by e2e_end or when the script exits.
e2e_begin() {
    [[ -f $QUENBY_BIN/Quenby.exe ]] || { e2e_log "no $QUENBY_BIN/Quenby.exe: build first"; exit 1; }
    [[ -f $QUENBY_DRIVER ]] || { e2e_log "no $QUENBY_DRIVER: build first"; exit 1; }
    wine_prepare_prefix "$QUENBY_E2E_PREFIX"
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/quenby-e2e.XXXXXX")
    trap _e2e_exit EXIT
    app_fresh
    wine_session_start "$QUENBY_E2E_PREFIX"
    mkdir -p "$QUENBY_SCREENSHOTS"
}

# Usage: app_jam NAME=FILE... Replaces the program folder's Quenby.jam with an archive of these
# entries, made by the native jamtool.
app_jam() {
    "$QUENBY_NATIVE_BIN/jamtool" pack "$APP/Quenby.jam" "$@" >/dev/null
}

# Usage: app_fresh. A new program folder: Quenby.exe, Quenby.jam and the shipped loose templates.
app_fresh() {
    APP=$E2E_WORK/app.$RANDOM$RANDOM
    mkdir -p "$APP"
    cp "$QUENBY_BIN/Quenby.exe" "$APP/"
    [[ -f $QUENBY_BIN/Quenby.jam ]] && cp "$QUENBY_BIN/Quenby.jam" "$APP/"
    local template
    for template in "$QUENBY_BIN"/*.ntf; do
        [[ -e $template ]] && cp "$template" "$APP/"
    done
    return 0
}

_e2e_exit() {
    local status=$?
    if ((status != 0)) && [[ -n $E2E_CASE ]]; then
        e2e_log "FAIL: $E2E_CASE (stopped: a step failed with status $status)"
        echo "$E2E_PASSED passed, $((E2E_FAILED + 1)) failed, $E2E_SKIPPED skipped"
    fi
    quenby_kill
    wine_session_stop || true
    local folder
    for folder in "${E2E_LOCKED[@]}"; do
        unlock_folder "$folder"
    done
    [[ -n $E2E_WORK && -d $E2E_WORK ]] && rm -rf "$E2E_WORK"
    E2E_WORK=""
    exit "$status"
}

# Usage: drv COMMAND ARGS... [";" COMMAND ARGS...]. Runs the driver once and prints its output.
drv() { timeout 60 wine "$QUENBY_DRIVER" "$@" </dev/null; }

# Usage: drv_script <<'EOF' ... EOF. Runs a driver script (one command a line) from standard input;
# it stops at the first failing command or expectation, with the driver's exit code.
drv_script() { timeout 120 wine "$QUENBY_DRIVER" -; }

# Usage: drv_check WHAT <<'EOF' ... EOF. Runs a driver script; when a command or an expectation
# in it fails, the case fails with the driver's message.
drv_check() {
    local script out line
    script=$(cat)
    if ! out=$(drv_script <<<"$script" 2>&1 >/dev/null); then
        # "stdin:N: expect: ..." names the expectation; the command before it is what was read.
        line=$(sed -n 's/^quenby_driver: stdin:\([0-9]*\): expect.*/\1/p' <<<"$out" | head -n 1)
        [[ -n $line ]] && out="$(sed -n "$((line - 1))p" <<<"$script") -> $out"
        fail "$1: ${out:-the driver failed}"
    fi
}

# Usage: expect_states PAGE WHAT ID:STATE... with STATE e (enabled), d (disabled), c (checked)
# or u (unchecked). All are read in one driver run.
expect_states() {
    local page=$1 what=$2 spec script=""
    shift 2
    for spec in "$@"; do
        case ${spec#*:} in
        e) script+="enabled $page ${spec%%:*}"$'\n'"expect 1"$'\n' ;;
        d) script+="enabled $page ${spec%%:*}"$'\n'"expect 0"$'\n' ;;
        c) script+="checked $page ${spec%%:*}"$'\n'"expect 1"$'\n' ;;
        u) script+="checked $page ${spec%%:*}"$'\n'"expect 0"$'\n' ;;
        *) fail "expect_states: bad state in $spec" ;;
        esac
    done
    drv_check "$what" <<<"$script"
}

# Usage: fill_form FORM-FILE. Fills the form as a user would, line by line (see
# golden_maker.cpp for the format): switches to the page, clicks check boxes and radio buttons,
# replaces a box's text by typing, chooses list items.
fill_form() {
    local page id action value tab script="" shown=""
    while read -r page id action value; do
        [[ -z $page || $page == \#* ]] && continue
        case $page in
        General) tab=1 ;;
        Upload) tab=2 ;;
        VariousText) tab=3 ;;
        *) fail "fill_form: unknown page $page"; return 1 ;;
        esac
        [[ $tab == "$shown" ]] || script+="tab $tab"$'\n'
        shown=$tab
        case $action in
        check) script+="set-check $tab $id 1"$'\n' ;;
        uncheck) script+="set-check $tab $id 0"$'\n' ;;
        # Enter in a multi-line box is typed as a carriage return.
        text) script+="settext $tab $id \"\""$'\n'"type $tab $id \"${value//\\n/\\r}\""$'\n' ;;
        choose) script+="combo-select $tab $id \"$value\""$'\n' ;;
        *) fail "fill_form: unknown action $action"; return 1 ;;
        esac
    done <"$1"
    drv_check "filling in $(basename "$1")" <<<"$script"
}

# Usage: expect_preview GOLDEN WHAT. The preview box must hold exactly the golden file's bytes.
expect_preview() {
    drv gettext-file 4 1048 "$E2E_WORK/preview.nfo" >/dev/null || { fail "$2: cannot read the preview"; return 0; }
    expect_files_equal "$E2E_WORK/preview.nfo" "$E2E_DIR/golden/$1.nfo" "$2"
}

# Usage: quenby_start. Starts Quenby.exe in $APP, as a user would from its folder.
quenby_start() {
    QUENBY_EXIT=""
    (cd "$APP" && exec timeout 300 wine Quenby.exe </dev/null >"$E2E_WORK/quenby.log" 2>&1) &
    QUENBY_PID=$!
}

# Usage: quenby_start_shown. Starts Quenby.exe and waits for its main window.
quenby_start_shown() {
    quenby_start
    drv wait-main 30 >/dev/null || fail "the main window did not appear"
}

# Usage: quenby_wait_exit [SECONDS]. Waits for the program to end; its exit code (as Wine gives
# it, modulo 256) goes into QUENBY_EXIT. False when it is still running.
quenby_wait_exit() {
    local tries=$((${1:-20} * 10))
    [[ -n $QUENBY_PID ]] || return 0
    while ((tries-- > 0)) && kill -0 "$QUENBY_PID" 2>/dev/null; do
        sleep 0.1
    done
    kill -0 "$QUENBY_PID" 2>/dev/null && return 1
    QUENBY_EXIT=0
    wait "$QUENBY_PID" || QUENBY_EXIT=$?
    QUENBY_PID=""
}

# Usage: quenby_close. Closes the main window as its close box does; the program must end.
quenby_close() {
    drv close >/dev/null || fail "cannot close the main window"
    quenby_wait_exit 20 || fail "the program did not end after its window was closed"
}

# Ends the program if it still runs (by its PID).
quenby_kill() {
    [[ -n ${QUENBY_PID:-} ]] || return 0
    if kill -0 "$QUENBY_PID" 2>/dev/null; then
        kill "$QUENBY_PID" 2>/dev/null || true
    fi
    wait "$QUENBY_PID" 2>/dev/null || true
    QUENBY_PID=""
}

# Usage: screenshot NAME. Saves the screen as build/screenshots/NAME.png.
# The program paints after it has handled its messages: the picture is taken once two shots in a
# row agree.
screenshot() {
    local file=$QUENBY_SCREENSHOTS/$1.png previous=$E2E_WORK/previous-shot.png tries=30
    drv sync >/dev/null 2>&1 || true
    wine_screenshot "$previous" || { fail "no screenshot $1"; return 0; }
    while ((tries-- > 0)); do
        sleep 0.15
        wine_screenshot "$file" || { fail "no screenshot $1"; return 0; }
        cmp -s "$file" "$previous" && return 0
        cp "$file" "$previous"
    done
}

# Usage: e2e_end. Prints the tally and exits 0 only when every case passed.
e2e_end() {
    _e2e_close_case
    echo "$E2E_PASSED passed, $E2E_FAILED failed, $E2E_SKIPPED skipped"
    ((E2E_FAILED == 0)) || exit 1
    exit 0
}

# shellcheck shell=bash
# The end-to-end harness. A test script sources this file, calls e2e_begin and drives the real
# Quenby.exe under Wine with quenby_driver.exe, in its own Xvfb and wineserver (stopped by PID at
# the end, also on failure) and a private copy of the program folder. A failed check marks the
# case and the script goes on; e2e_end prints "N passed, N failed".
set -euo pipefail
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_DIR/../.." && pwd)
: "${QUENBY_BIN:=$E2E_ROOT/build/win32/bin}" "${QUENBY_NATIVE_BIN:=$E2E_ROOT/build/native/bin}"
: "${QUENBY_DRIVER:=$E2E_ROOT/build/win32/test-bin/quenby_driver.exe}"
: "${QUENBY_CLIPBOARD_HOLDER:=$E2E_ROOT/build/win32/test-bin/clipboard_holder.exe}"
: "${QUENBY_SCREENSHOTS:=$E2E_ROOT/build/screenshots}"
# A prefix of their own, so that the tests never stop a wineserver that other Wine runs use.
: "${QUENBY_E2E_PREFIX:=$E2E_ROOT/build/wineprefix-e2e}"
# shellcheck source=../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"
PASSED=0 FAILED=0 CASE="" CASE_FAILED=0 WORK="" APP="" QUENBY_PID="" LOCKED=""

fail() { echo "  failed: $*" >&2 && CASE_FAILED=1; }

# Usage: test_case TITLE. The checks that follow count for this case.
test_case() {
    if [[ -n $CASE ]] && ((CASE_FAILED)); then
        FAILED=$((FAILED + 1)) && echo "FAIL: $CASE" >&2
    elif [[ -n $CASE ]]; then
        PASSED=$((PASSED + 1)) && echo "ok:   $CASE" >&2
    fi
    CASE=${1:-} CASE_FAILED=0
}

e2e_begin() {
    [[ -f $QUENBY_BIN/Quenby.exe && -f $QUENBY_DRIVER ]] || { echo "e2e: build first" >&2 && exit 1; }
    wine_prepare_prefix "$QUENBY_E2E_PREFIX"
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/quenby-e2e.XXXXXX")
    trap _e2e_exit EXIT
    wine_session_start "$QUENBY_E2E_PREFIX"
    mkdir -p "$QUENBY_SCREENSHOTS"
}

_e2e_exit() {
    local status=$?
    if ((status != 0)) && [[ -n $CASE ]]; then
        fail "stopped: a step ended with status $status" && test_case
        echo "$PASSED passed, $FAILED failed"
    fi
    [[ -z $QUENBY_PID ]] || kill "$QUENBY_PID" 2>/dev/null || true
    wine_session_stop || true
    [[ -z $LOCKED ]] || chattr -i "$LOCKED"
    rm -rf "$WORK"
    exit "$status"
}

e2e_end() {
    test_case && echo "$PASSED passed, $FAILED failed"
    exit $((FAILED > 0))
}

# Usage: app_fresh [NAME=FILE...]. A new program folder $APP: Quenby.exe and the shipped loose
# templates, with the shipped Quenby.jam or else an archive of the entries given.
app_fresh() {
    APP=$(mktemp -d "$WORK/app.XXXXXX")
    cp "$QUENBY_BIN/Quenby.exe" "$QUENBY_BIN"/*.ntf "$APP/"
    if (($#)); then
        "$QUENBY_NATIVE_BIN/quenby" jam pack "$APP/Quenby.jam" "$@" >/dev/null
    else
        cp "$QUENBY_BIN/Quenby.jam" "$APP/"
    fi
}

# Usage: drv COMMAND ARGS... [";" COMMAND ARGS...]. One driver run; prints what it prints.
drv() { timeout 60 wine "$QUENBY_DRIVER" "$@" </dev/null; }

# Usage: check WHAT <<EOF. Runs driver commands, one a line, where "QUERY -> TEXT" expects the
# query's result to be TEXT, "QUERY ->file FILE" the bytes of FILE, and "COMMAND P ... | ID:S..."
# or "states P ID:S..." each control (P, ID) to be e(nabled), d(isabled), c(hecked) or u(nchecked).
# The case fails at the first command or expectation that fails, with the driver's message.
check() {
    local what=$1 line script="" out page specs
    while IFS= read -r line; do
        case $line in
        *' ->file '*) script+="${line%% ->file *}"$'\n'"expect-file ${line#* ->file }"$'\n' ;;
        *' -> '*) script+="${line%% -> *}"$'\n'"expect ${line#* -> }"$'\n' ;;
        states\ *) read -r _ page specs <<<"$line" && script+="$(_states "$page" $specs)"$'\n' ;;
        *' | '*)
            read -r _ page _ <<<"$line"
            script+="${line%% | *}"$'\n'"$(_states "$page" ${line#* | })"$'\n' ;;
        *) script+="$line"$'\n' ;;
        esac
    done
    timeout 120 wine "$QUENBY_DRIVER" - <<<"$script" >/dev/null 2>"$WORK/driver.err" || { out=$(<"$WORK/driver.err") && fail "$what: ${out:-the driver failed}"; }
}

_states() {
    local spec
    local -A query=([e]=enabled [d]=enabled [c]=checked [u]=checked) value=([e]=1 [d]=0 [c]=1 [u]=0)
    for spec in "${@:2}"; do
        printf '%s %s %s\nexpect %s\n' "${query[${spec#*:}]}" "$1" "${spec%:*}" "${value[${spec#*:}]}"
    done
}

# Usage: quenby_start [shown]. Starts Quenby.exe in $APP as a user would; with "shown", waits for
# its main window.
quenby_start() {
    (cd "$APP" && exec timeout 300 wine Quenby.exe </dev/null >"$WORK/quenby.log" 2>&1) &
    QUENBY_PID=$!
    [[ -z ${1:-} ]] || drv wait-main 30 >/dev/null || fail "the main window did not appear"
}

# Usage: expect_exit CODE. The program must end within 20 s, with this exit code as Wine gives it.
expect_exit() {
    local status=0
    wait_until 20 eval '! kill -0 "$QUENBY_PID"' || { fail "the program did not end" && return 0; }
    wait "$QUENBY_PID" || status=$?
    QUENBY_PID=""
    [[ $status == "$1" ]] || fail "exit code: expected $1, got $status"
}

# Usage: wait_until SECONDS COMMAND... Polls every 0.1 s until the command succeeds.
wait_until() {
    local tries=$(($1 * 10))
    until "${@:2}" >/dev/null 2>&1; do
        ((tries-- > 0)) || return 1
        sleep 0.1
    done
}

# Usage: screenshot NAME. Saves the screen as build/screenshots/NAME.png once two shots in a row
# agree (the program paints after it has handled its messages).
screenshot() {
    local file=$QUENBY_SCREENSHOTS/$1.png tries=30
    drv sync >/dev/null 2>&1 || true
    wine_screenshot "$WORK/shot.png" || { fail "no screenshot $1" && return 0; }
    while ((tries-- > 0)) && sleep 0.15 && wine_screenshot "$file"; do
        cmp -s "$file" "$WORK/shot.png" && return 0
        cp "$file" "$WORK/shot.png"
    done
}

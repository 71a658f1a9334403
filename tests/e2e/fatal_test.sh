#!/usr/bin/env bash
# Start-up failures: a missing, damaged or incomplete Quenby.jam ends the program with one
# "Fatal Error:" box (no owner, caption "Quenby v1.0") and exit code -1 (255 under Wine); the
# main window never appears.
source "$(dirname "$0")/lib.sh"
e2e_begin

# Usage: expect_fatal MESSAGE [SCREENSHOT]. Starts the program in $APP and expects the fatal box.
expect_fatal() {
    quenby_start
    expect_eq "$(drv box-text "Quenby v1.0")" "Fatal Error:"$'\n'"$1" "box text"
    expect_eq "$(drv box-owner "Quenby v1.0")" none "box owner"
    # The box has the main window's caption; it must be the only window that has it.
    expect_eq "$(drv windows | grep -c '"Quenby v1.0"')" 1 "windows captioned Quenby v1.0"
    [[ -n ${2:-} ]] && screenshot "$2"
    drv answer-box "Quenby v1.0" OK >/dev/null || fail "cannot dismiss the box"
    quenby_wait_exit 20 || fail "the program did not end after the box"
    expect_eq "$QUENBY_EXIT" 255 "exit code"
}

test_case "without Quenby.jam: File not found: Quenby.jam"
app_fresh
rm -f "$APP/Quenby.jam"
expect_fatal "File not found: Quenby.jam" fatal-error

test_case "a damaged Quenby.jam: File not found: Quenby.jam"
app_fresh
size=$(stat -c %s "$APP/Quenby.jam")
printf '\x55' | dd of="$APP/Quenby.jam" bs=1 seek=$((size / 2)) conv=notrunc status=none
cmp -s "$APP/Quenby.jam" "$QUENBY_BIN/Quenby.jam" && printf '\xAA' |
    dd of="$APP/Quenby.jam" bs=1 seek=$((size / 2)) conv=notrunc status=none
expect_fatal "File not found: Quenby.jam"

test_case "an archive without Default.ntf: Quenby.jam is corrupt!"
app_fresh
app_jam "Other.ntf=$E2E_DIR/templates/Plain.ntf"
expect_fatal "Quenby.jam is corrupt!"

test_case "an archive whose Default.ntf is empty: Quenby.jam is corrupt!"
app_fresh
: >"$E2E_WORK/empty.ntf"
app_jam "Default.ntf=$E2E_WORK/empty.ntf"
expect_fatal "Quenby.jam is corrupt!"

e2e_end

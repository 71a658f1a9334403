#!/usr/bin/env bash
# Start-up failures: without a usable Quenby.jam the program shows one box, "Fatal Error:" and
# the catalogue's message, with no owner and the caption "Quenby v1.0"; the main window never
# appears, and once the box is dismissed the program ends with exit code -1 (255 under Wine).
source "$(dirname "$0")/lib.sh"
e2e_begin

# Usage: expect_fatal MESSAGE SCREENSHOT. Starts Quenby.exe in $APP and expects that box.
expect_fatal() {
    quenby_start
    check "the fatal box" <<EOF
box-text "Quenby v1.0"
expect "Fatal Error:\n$1"
box-owner "Quenby v1.0"
expect none
EOF
    [[ $(drv windows | grep -c '"Quenby v1.0"') == 1 ]] || fail "windows: $(drv windows)"
    screenshot "$2"
    drv answer-box "Quenby v1.0" OK >/dev/null || fail "cannot dismiss the box"
    expect_exit 255
}

test_case "without Quenby.jam: File not found: Quenby.jam"
app_fresh
rm "$APP/Quenby.jam"
expect_fatal "File not found: Quenby.jam" fatal-error

test_case "an archive without Default.ntf: Quenby.jam is corrupt!"
app_fresh "Other.ntf=$E2E_DIR/templates/Plain.ntf"
expect_fatal "Quenby.jam is corrupt!" fatal-corrupt
e2e_end

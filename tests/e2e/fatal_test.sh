#!/usr/bin/env bash
# Start-up failures: without a usable Quenby.jam the program shows one box, "Fatal Error:" and
# the catalogue's message, with no owner and the caption "Quenby v1.0"; the main window never
# appears, and once the box is dismissed the program ends with exit code -1 (255 under Wine).
source "$(dirname "$0")/lib.sh"
e2e_begin

test_case "without Quenby.jam: File not found: Quenby.jam"
app_fresh
rm "$APP/Quenby.jam"
quenby_start
check "the fatal box" <<'EOF'
box-text "Quenby v1.0" -> "Fatal Error:\nFile not found: Quenby.jam"
box-owner "Quenby v1.0" -> none
EOF
[[ $(drv windows | grep -c '"Quenby v1.0"') == 1 ]] || fail "windows: $(drv windows)"
screenshot fatal-error
drv answer-box "Quenby v1.0" OK >/dev/null || fail "cannot dismiss the box"
expect_exit 255
e2e_end

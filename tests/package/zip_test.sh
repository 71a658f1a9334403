#!/usr/bin/env bash
# zip_test.sh ZIP: unpacked into a new folder, the zip's Quenby.exe started there shows the default
# NFO and closes with 0 (scripts/test passes the zip and QUENBY_DRIVER of the tree Wine runs here).
source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin
unzip -q "$1" -d "$WORK/unpacked" && APP=$(echo "$WORK"/unpacked/*) && quenby_start shown
test_case "Quenby.exe of the unpacked zip shows the default NFO and closes with exit code 0"
check "the Preview page" <<<"tab 4"$'\n'"gettext 4 TextEdit ->file $E2E_ROOT/tests/cli/golden/Default/empty.nfo"
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
e2e_end

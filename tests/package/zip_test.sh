#!/usr/bin/env bash
# zip_test.sh ZIP: unpacked into a new folder, the zip's Quenby.exe started there shows the default
# NFO and closes with 0, and its cli\quenby.exe, run from elsewhere, finds the one archive and the
# templates beside Quenby.exe (scripts/test passes the zip and QUENBY_DRIVER of the tree Wine runs).
source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin
unzip -q "$1" -d "$WORK/unpacked" && APP=$(echo "$WORK"/unpacked/*) && quenby_start shown
test_case "Quenby.exe of the unpacked zip shows the default NFO and closes with exit code 0"
check "the Preview page" <<<"tab 4"$'\n'"gettext 4 TextEdit ->file $E2E_ROOT/tests/cli/golden/Default/empty.nfo"
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
test_case "cli\\quenby.exe lists the shipped templates and renders through Wide"
cli() { (cd "$WORK" && timeout 60 wine "$APP/cli/quenby.exe" "$@" </dev/null); }
[[ $(cli templates) == $'<Default>\nBlocks\nClassic\nCompact\nDouble\nFileId\nGradient\nModern\nPocket\nThin\nTicket\nWide' ]] || fail "templates: $(cli templates 2>&1)"
cli render --template Wide "$E2E_ROOT/tests/cli/sheets/empty.toml" |
    cmp -s - "$E2E_ROOT/tests/cli/golden/Wide/empty.nfo" || fail "render --template Wide"
e2e_end

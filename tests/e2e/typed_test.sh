#!/usr/bin/env bash
# Text typed as a user types it: letters of code page 1252 reach the preview, the clipboard and
# the saved file as their CP437 forms, and the editable combo boxes take texts far longer than
# they are wide, all of which reach the NFO.
source "$(dirname "$0")/lib.sh"
e2e_begin
golden=$E2E_DIR/golden forms=$E2E_DIR/forms
app_fresh "Default.ntf=$E2E_DIR/templates/Framed.ntf"
quenby_start shown

test_case "letters typed in code page 1252 are CP437 in the preview, on the clipboard and saved"
{ cat "$golden/accents-framed.nfo" && printf '\0'; } >"$WORK/expected-clipboard"
# The form file holds the NFO's bytes; the boxes are typed the same letters in code page 1252.
check "typing accented letters" < <(iconv -f CP437 -t CP1252 "$forms/accents.form" && cat <<EOF
tab 4
gettext 4 TextEdit ->file $golden/accents-framed.nfo
clipboard-clear
click 4 CopyButton
clipboard-oem $WORK/clipboard ->file $WORK/expected-clipboard
EOF
)
drv click-post 4 SaveButton ";" save-dialog "$WORK/accents.nfo" "Save NFO file..." >/dev/null ||
    fail "saving accents.nfo"
wait_until 10 cmp -s "$WORK/accents.nfo" "$golden/accents-framed.nfo" || fail "accents.nfo is not the NFO"

test_case "200 characters typed into each editable combo box are all kept, and all reach the NFO"
check "typing long texts" < <(cat "$forms/long.form" &&
    sed -n 's/^type \(2 [A-Za-z]*Combo\) \(".*"\)$/gettext \1 -> \2/p' "$forms/long.form" && cat <<EOF
tab 4
gettext 4 TextEdit ->file $golden/long-framed.nfo
EOF
)
screenshot typed
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
e2e_end

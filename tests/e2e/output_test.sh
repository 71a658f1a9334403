#!/usr/bin/env bash
# The two output commands of the Preview page: Copy to Clipboard (CF_OEMTEXT with one NUL) and
# Save NFO File through the save dialog (exact bytes, overwrite question, whole replacement,
# cancel, and a failed save that leaves the previous file whole).
source "$(dirname "$0")/lib.sh"
e2e_begin

golden=$E2E_DIR/golden/full-framed.nfo
app_fresh
app_jam "Default.ntf=$E2E_DIR/templates/Framed.ntf"
out=$E2E_WORK/saved
mkdir -p "$out"
quenby_start_shown
fill_form "$E2E_DIR/forms/full.form"
drv tab 4 >/dev/null

# Usage: save_as PATH. Clicks Save NFO File and types PATH into the save dialog.
save_as() {
    drv click-post 4 1050 >/dev/null
    drv save-dialog "$1" "Save NFO file..." >/dev/null || fail "save dialog for $1"
}

test_case "Copy to Clipboard puts exactly the NFO on the clipboard as OEM text with one NUL"
expect_preview full-framed "preview"
drv clipboard-clear >/dev/null
drv click 4 1049 >/dev/null
drv clipboard-oem "$E2E_WORK/clipboard" >/dev/null
{ cat "$golden"; printf '\0'; } >"$E2E_WORK/expected-clipboard"
expect_files_equal "$E2E_WORK/clipboard" "$E2E_WORK/expected-clipboard" "clipboard bytes"
[[ " $(drv clipboard-formats) " == *" 7 "* ]] || fail "no CF_OEMTEXT on the clipboard"

test_case "a clipboard held by another program: Failed to copy to clipboard..."
holder_log=$E2E_WORK/holder.log
wine "$QUENBY_CLIPBOARD_HOLDER" 4000 </dev/null >"$holder_log" 2>&1 &
holder=$!
if wait_until 10 grep -q holding "$holder_log"; then
    drv click-post 4 1049 >/dev/null
    expect_eq "$(drv box-text "Failed to copy to clipboard...")" "Windows Clipboard failure" "box text"
    expect_eq "$(drv box-owner "Failed to copy to clipboard...")" main "box owner"
    drv answer-box "Failed to copy to clipboard..." OK >/dev/null
else
    fail "the clipboard could not be held: $(cat "$holder_log")"
fi
wait "$holder" || true

test_case "Save NFO File writes exactly the NFO's bytes"
save_as "$out/first.nfo"
wait_until 10 test -f "$out/first.nfo" || fail "first.nfo was not written"
expect_files_equal "$out/first.nfo" "$golden" "saved file"

test_case "a name without extension gets .nfo"
save_as "$out/second"
wait_until 10 test -f "$out/second.nfo" || fail "second.nfo was not written"
expect_files_equal "$out/second.nfo" "$golden" "saved file"

test_case "saving over a file asks first: No keeps it, Yes replaces it wholly"
head -c 20000 /dev/zero | tr '\0' 'X' >"$out/old.nfo"
cp "$out/old.nfo" "$E2E_WORK/old-copy"
save_as "$out/old.nfo"
drv answer-box "Save NFO file..." No >/dev/null || fail "no overwrite question"
drv sync >/dev/null
expect_files_equal "$out/old.nfo" "$E2E_WORK/old-copy" "file after answering No"
drv save-dialog "$out/old.nfo" "Save NFO file..." >/dev/null || fail "save dialog still open"
drv answer-box "Save NFO file..." Yes >/dev/null || fail "no overwrite question"
wait_until 10 cmp -s "$out/old.nfo" "$golden" || fail "old.nfo was not replaced by exactly the NFO"
expect_eq "$(stat -c %s "$out/old.nfo")" "$(stat -c %s "$golden")" "size of the replaced file"

test_case "cancelling the save dialog writes nothing and shows nothing"
before=$(ls -A "$out")
drv click-post 4 1050 >/dev/null
drv cancel-dialog "Save NFO file..." >/dev/null || fail "no save dialog to cancel"
drv no-window "Error..." >/dev/null || fail "a box appeared"
expect_eq "$(ls -A "$out")" "$before" "files after cancelling"

test_case "a failed save shows Error... and leaves the previous file whole"
locked=$E2E_WORK/locked
mkdir -p "$locked"
printf 'the previous NFO\r\n' >"$locked/kept.nfo"
cp "$locked/kept.nfo" "$E2E_WORK/kept-copy"
if lock_folder "$locked"; then
    save_as "$locked/kept.nfo"
    drv answer-box "Save NFO file..." Yes >/dev/null || fail "no overwrite question"
    expect_eq "$(drv box-text "Error...")" "Failed to open file" "box text"
    expect_eq "$(drv box-owner "Error...")" main "box owner"
    screenshot error-saving
    drv answer-box "Error..." OK >/dev/null
    expect_files_equal "$locked/kept.nfo" "$E2E_WORK/kept-copy" "the previous file"
    expect_eq "$(ls -A "$locked")" "kept.nfo" "files in the folder"
    unlock_folder "$locked"
else
    skip_case "the folder cannot be made unwritable here (chattr +i)"
fi

test_case "saving leaves no temporary files behind"
expect_eq "$(ls -A "$out" | sort | tr '\n' ' ')" "first.nfo old.nfo second.nfo " "files saved"

quenby_close
expect_eq "$QUENBY_EXIT" 0 "exit code after a failed save"
e2e_end

#!/usr/bin/env bash
# The Preview page: generation only when its tab or a template in the selector is chosen, exactly
# the engine's NFO for what the form holds, Copy to Clipboard (CF_OEMTEXT and one NUL) and Save
# NFO File (exact bytes), and every failure they can show: a template that cannot be loaded, a
# clipboard held by another program, a file that cannot be written.
source "$(dirname "$0")/lib.sh"
e2e_begin
golden=$E2E_DIR/golden out=$WORK/saved
# An archive whose "Default.ntf" is the test template Framed, and loose templates beside the
# shipped ones: Plain, Broken (fails at its third line), Gone (deleted after start-up).
app_fresh "Default.ntf=$E2E_DIR/templates/Framed.ntf"
cp "$E2E_DIR/templates/Plain.ntf" "$E2E_DIR/templates/Broken.ntf" "$APP/"
cp "$E2E_DIR/templates/Plain.ntf" "$APP/Gone.ntf"
names=$(cd "$APP" && for f in *.ntf; do echo "${f%.ntf}"; done | LC_ALL=C sort -f | sed 's/^/\\n/' | tr -d '\n')
# The selector's neighbours of Broken, which the arrow keys reach.
sorted=$(printf '<Default>\n' && cd "$APP" && for f in *.ntf; do echo "${f%.ntf}"; done | LC_ALL=C sort -f)
before_broken=$(grep -x -B1 Broken <<<"$sorted" | head -1)
after_broken=$(grep -x -A1 Broken <<<"$sorted" | tail -1)
mkdir "$out"
quenby_start shown

test_case "nothing is generated at start-up; choosing Preview generates the untouched form's NFO"
check "the first generation" <<EOF
gettext 4 TextEdit -> ""
states 4 CopyButton:d SaveButton:d
combo-items 4 TemplateList -> "<Default>$names"
gettext 4 TemplateList -> "<Default>"
tab 4
gettext 4 TextEdit ->file $golden/initial-framed.nfo
states 4 CopyButton:e SaveButton:e
EOF

test_case "editing the form generates nothing; choosing Preview again reads every control"
check "filling in the full form" < <(cat "$E2E_DIR/forms/full.form" - <<EOF
gettext 4 TextEdit ->file $golden/initial-framed.nfo
tab 4
gettext 4 TextEdit ->file $golden/full-framed.nfo
EOF
)

test_case "each template chosen in the selector, also step by step with the arrow keys, is generated"
check "choosing templates" <<EOF
combo-select 4 TemplateList Plain
gettext 4 TextEdit ->file $golden/full-plain.nfo
combo-select 4 TemplateList Broken | CopyButton:d SaveButton:d
gettext 4 TextEdit ->file $golden/full-broken.nfo
combo-select 4 TemplateList "<Default>" | CopyButton:e SaveButton:e
gettext 4 TextEdit ->file $golden/full-framed.nfo
combo-select 4 TemplateList "$after_broken"
key 4 TemplateList UP | CopyButton:d SaveButton:d
gettext 4 TemplateList -> Broken
gettext 4 TextEdit ->file $golden/full-broken.nfo
EOF
screenshot preview-failure
check "one step up" <<EOF
key 4 TemplateList UP | CopyButton:e SaveButton:e
gettext 4 TemplateList -> "$before_broken"
combo-select 4 TemplateList "<Default>"
gettext 4 TextEdit ->file $golden/full-framed.nfo
EOF

test_case "Copy to Clipboard puts exactly the NFO on the clipboard as OEM text with one NUL"
{ cat "$golden/full-framed.nfo" && printf '\0'; } >"$WORK/expected-clipboard"
check "copying" <<EOF
clipboard-clear
click 4 CopyButton
clipboard-oem $WORK/clipboard ->file $WORK/expected-clipboard
EOF

test_case "while another program holds the clipboard, Copy shows Failed to copy to clipboard..."
wine "$QUENBY_CLIPBOARD_HOLDER" 4000 </dev/null >"$WORK/holder.log" 2>&1 &
wait_until 10 grep -q holding "$WORK/holder.log" || fail "no clipboard held: $(cat "$WORK/holder.log")"
check "copying" <<'EOF'
click-post 4 CopyButton
box-text "Failed to copy to clipboard..." -> "Windows Clipboard failure"
box-owner "Failed to copy to clipboard..." -> main
answer-box "Failed to copy to clipboard..." OK
EOF

# Usage: save_as PATH. Clicks Save NFO File and types PATH into the save dialog.
save_as() { drv click-post 4 SaveButton ";" save-dialog "$1" "Save NFO file..." >/dev/null || fail "saving $1"; }

test_case "Save NFO File writes exactly the NFO's bytes, and nothing else; a bare name gets .nfo"
for name in first.nfo second; do
    save_as "$out/$name"
    wait_until 10 cmp -s "$out/${name%.nfo}.nfo" "$golden/full-framed.nfo" || fail "$name not saved"
done
[[ $(ls -A "$out" | tr '\n' ' ') == "first.nfo second.nfo " ]] || fail "files: $(ls -A "$out")"

test_case "saving over a file asks first: No keeps it, Yes replaces it wholly; Cancel writes nothing"
head -c 20000 /dev/zero | tr '\0' X | tee "$WORK/old" >"$out/old.nfo"
save_as "$out/old.nfo"
drv answer-box "Save NFO file..." No ";" sync >/dev/null || fail "no overwrite question"
cmp -s "$out/old.nfo" "$WORK/old" || fail "the file changed after No"
drv save-dialog "$out/old.nfo" "Save NFO file..." ";" answer-box "Save NFO file..." Yes >/dev/null ||
    fail "no save dialog or question after No"
wait_until 10 cmp -s "$out/old.nfo" "$golden/full-framed.nfo" || fail "old.nfo is not the NFO"
drv click-post 4 SaveButton ";" cancel-dialog "Save NFO file..." ";" no-window "Error..." >/dev/null ||
    fail "cancelling the dialog"
[[ $(ls -A "$out" | tr '\n' ' ') == "first.nfo old.nfo second.nfo " ]] || fail "files: $(ls -A "$out")"

test_case "a failed save shows Error... and leaves the previous file whole"
LOCKED=$WORK/locked
mkdir "$LOCKED" && printf 'the previous NFO\r\n' | tee "$WORK/kept" >"$LOCKED/kept.nfo"
chattr +i "$LOCKED" || fail "cannot make $LOCKED unwritable (chattr +i)"
save_as "$LOCKED/kept.nfo"
check "the failed save" <<'EOF'
answer-box "Save NFO file..." Yes
box-text "Error..." -> "Failed to open file"
box-owner "Error..." -> main
EOF
screenshot error-saving
drv answer-box "Error..." OK >/dev/null || fail "no box to answer"
cmp -s "$LOCKED/kept.nfo" "$WORK/kept" || fail "kept.nfo changed"
[[ $(ls -A "$LOCKED") == kept.nfo ]] || fail "the folder holds: $(ls -A "$LOCKED")"
chattr -i "$LOCKED" && LOCKED=""

test_case "a template that cannot be loaded: Error loading template..., the page as it was"
rm "$APP/Gone.ntf"
check "choosing Gone" <<EOF
combo-select 4 TemplateList Gone
box-text "Error loading template..." -> "Failed to open file: Gone.ntf"
box-owner "Error loading template..." -> main
EOF
screenshot error-loading-gone
check "after the box" <<EOF
answer-box "Error loading template..." OK
states 4 CopyButton:e SaveButton:e
gettext 4 TextEdit ->file $golden/full-framed.nfo
EOF

test_case "then choosing Preview shows nothing and the enabled buttons do nothing; closing gives 0"
check "no template" <<EOF
clipboard-set "before"
tab 3
tab 4 | CopyButton:e SaveButton:e
gettext 4 TextEdit -> ""
click 4 CopyButton
click-post 4 SaveButton
no-window "Save NFO file..."
EOF
drv clipboard-oem "$WORK/clipboard" >/dev/null || fail "no text on the clipboard"
[[ $(tr -d '\0' <"$WORK/clipboard") == before ]] || fail "the clipboard changed"
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
e2e_end

#!/usr/bin/env bash
# The main window and the form pages as a user meets them: caption, tabs, the About page, each
# page's controls as they start, the enabling rules, what typing does, keys that must not close
# the window, and a clean close.
source "$(dirname "$0")/lib.sh"
e2e_begin
app_fresh
quenby_start shown

test_case "the window opens on the About page, captioned Quenby v1.0, with its five tabs"
check "the main window" <<'EOF'
caption -> "Quenby v1.0"
tabs -> "Quenby\nGeneral / Software\nUpload\nVarious Text\nPreview"
current-tab -> 0
shown-page -> 0
gettext 0 VersionLabel -> "Quenby v1.0"
gettext 0 WebLink -> "https://quenby.example.org/"
gettext 0 MailLink -> "feedback@example.org"
EOF
screenshot about

test_case "each form page starts with its controls, texts, lists and check marks"
pages=(about general upload various-text)
lists=("" "; combo-items 1 UnitList" "; combo-items 2 UploadedAsCombo ; combo-items 2 RepostCombo" "")
for page in 1 2 3; do
    # shellcheck disable=SC2086 # the list commands are words
    drv tab $page ";" controls $page ${lists[page]} >"$WORK/controls" || fail "page $page"
    diff "$WORK/controls" "$E2E_DIR/golden/${pages[page]}.controls" >&2 ||
        fail "page $page differs from golden/${pages[page]}.controls"
    screenshot "${pages[page]}"
done

test_case "the untouched form is the same in the program, in RecordForm and in the starter sheet"
drv form-state 1 ";" form-state 2 ";" form-state 3 >"$WORK/dialogs" || fail "no form state"
"$QUENBY_NATIVE_BIN/quenby_form" state >"$WORK/record"
"$QUENBY_NATIVE_BIN/quenby" sheet | "$QUENBY_NATIVE_BIN/quenby_form" state - >"$WORK/sheet"
diff "$WORK/dialogs" "$WORK/record" >&2 || fail "the dialogs and RecordForm differ"
diff "$WORK/dialogs" "$WORK/sheet" >&2 || fail "the dialogs and the starter sheet differ"

test_case "each check box and radio button enables what depends on it; disabling keeps texts and marks"
check "enabling rules" <<'EOF'
click 1 UnpackedCheck | UnpackedEdit:e
click 1 SerialCheck | SerialEdit:e RegisteredToCheck:e RegisteredToEdit:d
click 1 RegisteredToCheck | RegisteredToEdit:e
settext 1 SerialEdit "SERIAL-1"
click 1 SerialCheck | SerialEdit:d RegisteredToCheck:d RegisteredToCheck:c RegisteredToEdit:d
gettext 1 SerialEdit -> "SERIAL-1"
click 1 SerialCheck | SerialEdit:e RegisteredToEdit:e
click 1 CrackedByCheck | CrackedByEdit:e AlreadyCrackedRadio:e CrackIncludedRadio:e
click 1 CrackIncludedRadio
click 1 CrackedByCheck | CrackedByEdit:d AlreadyCrackedRadio:d CrackIncludedRadio:d CrackIncludedRadio:c AlreadyCrackedRadio:u
click 1 KeygenByCheck | KeygenByEdit:e
click 2 PostNumberCheck | PostNumberEdit:d
click 2 PostNumberCheck | PostNumberEdit:e
click 2 FilesCheck | FilesEdit:e PerDayCheck:e PerDayEdit:d
click 2 PerDayCheck | PerDayEdit:e
click 2 FilesCheck | FilesEdit:d PerDayCheck:d PerDayCheck:c PerDayEdit:d
click 2 FilesCheck | PerDayEdit:e
click 2 SfvCheck
click 2 CustomTextRadio | PresetsRadio:u SfvCheck:d CueCheck:d ManualCheck:d CustomSupportEdit:e SfvCheck:c
click 2 PresetsRadio | CustomTextRadio:u SfvCheck:e CueCheck:e ManualCheck:e CustomSupportEdit:d
click 3 InstallCheck | InstallEdit:e CommentsEdit:d ThanksEdit:d
click 3 CommentsCheck | CommentsEdit:e ThanksEdit:d
click 3 ThanksCheck | ThanksEdit:e
EOF

# Each row: the control, what is typed into it once it is emptied, the text it then holds.
test_case "digits-only boxes drop letters, Newsgroups Posted: lowers them, the combo boxes take free text"
script=""
while IFS='|' read -r control typed held; do
    script+="settext $control \"\""$'\n'"type $control \"$typed\""$'\n'"gettext $control -> \"$held\""$'\n'
done <<'EOF'
1 PackedEdit|12ab3.4|1234
1 UnpackedEdit|x9y8|98
2 PostNumberEdit|-7q|7
2 FilesEdit|4 files|4
2 PerDayEdit|2/day|2
2 NewsgroupsEdit|Alt.Binaries.TEST\rALT.Warez.CD|alt.binaries.test\r\nalt.warez.cd
2 UploadedAsCombo|Floppy Images|Floppy Images
2 RepostCombo|Next month...|Next month...
EOF
check "typing" <<<"$script"

test_case "Escape and Enter do not close the window"
check "keys" <<'EOF'
key main Tabs ESCAPE RETURN
tab 1
key 1 TitleEdit ESCAPE RETURN
tab 2
key 2 NewsgroupsEdit ESCAPE
key 2 FillWaitCheck RETURN ESCAPE
sync
caption -> "Quenby v1.0"
EOF
kill -0 "$QUENBY_PID" 2>/dev/null || fail "the program ended"

test_case "closing the window (here on the Preview page of the shipped template) ends with 0"
drv tab 4 >/dev/null || fail "no Preview page"
screenshot preview
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
e2e_end

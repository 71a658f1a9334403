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
gettext 0 1052 -> "Quenby v1.0"
gettext 0 1055 -> "https://quenby.example.org/"
gettext 0 1056 -> "feedback@example.org"
EOF
screenshot about

test_case "each form page starts with its controls, texts, lists and check marks"
pages=(about general upload various-text)
lists=("" "; combo-items 1 1016" "; combo-items 2 1025 ; combo-items 2 1026" "")
for page in 1 2 3; do
    # shellcheck disable=SC2086 # the list commands are words
    drv tab $page ";" controls $page ${lists[page]} >"$WORK/controls" || fail "page $page"
    diff "$WORK/controls" "$E2E_DIR/golden/${pages[page]}.controls" >&2 ||
        fail "page $page differs from golden/${pages[page]}.controls"
    screenshot "${pages[page]}"
done
check "check marks" <<'EOF'
states 1 1013:u 1026:u 1027:u 1028:u 1029:c 1030:u 1031:u
states 2 1033:c 1014:u 1015:u 1034:c 1043:u 1035:u 1038:u 1039:u 1042:u
states 3 1047:u 1048:u 1049:u
EOF

test_case "each check box and radio button enables what depends on it; disabling keeps texts and marks"
check "enabling rules" <<'EOF'
click 1 1013 | 1015:e
click 1 1026 | 1017:e 1027:e 1018:d
click 1 1027 | 1018:e
settext 1 1017 "SERIAL-1"
click 1 1026 | 1017:d 1027:d 1027:c 1018:d
gettext 1 1017 -> "SERIAL-1"
click 1 1026 | 1017:e 1018:e
click 1 1028 | 1019:e 1029:e 1030:e
click 1 1030
click 1 1028 | 1019:d 1029:d 1030:d 1030:c 1029:u
click 1 1031 | 1020:e
click 2 1033 | 1031:d
click 2 1033 | 1031:e
click 2 1014 | 1032:e 1015:e 1037:d
click 2 1015 | 1037:e
click 2 1014 | 1032:d 1015:d 1015:c 1037:d
click 2 1014 | 1037:e
click 2 1035
click 2 1043 | 1034:u 1035:d 1038:d 1039:d 1041:e 1035:c
click 2 1034 | 1043:u 1035:e 1038:e 1039:e 1041:d
click 3 1047 | 1045:e 1043:d 1044:d
click 3 1048 | 1043:e 1044:d
click 3 1049 | 1044:e
EOF

# Each row: the control, what is typed into it once it is emptied, the text it then holds.
test_case "digits-only boxes drop letters, Newsgroups Posted: lowers them, the combo boxes take free text"
script=""
while IFS='|' read -r control typed held; do
    script+="settext $control \"\""$'\n'"type $control \"$typed\""$'\n'"gettext $control -> \"$held\""$'\n'
done <<'EOF'
1 1014|12ab3.4|1234
1 1015|x9y8|98
2 1031|-7q|7
2 1032|4 files|4
2 1037|2/day|2
2 1036|Alt.Binaries.TEST\rALT.Warez.CD|alt.binaries.test\r\nalt.warez.cd
2 1025|Floppy Images|Floppy Images
2 1026|Next month...|Next month...
EOF
check "typing" <<<"$script"

test_case "Escape and Enter do not close the window"
check "keys" <<'EOF'
key main 1000 ESCAPE RETURN
tab 1
key 1 1010 ESCAPE RETURN
tab 2
key 2 1036 ESCAPE
key 2 1042 RETURN ESCAPE
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

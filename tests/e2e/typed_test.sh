#!/usr/bin/env bash
# Text typed as a user types it: letters of code page 1252 reach the preview, the clipboard and
# the saved file as their CP437 forms, also where the system's OEM code page is not CP437, and as
# the command line renders them from a release sheet; the editable combo boxes take texts far
# longer than they are wide, all of which reach the NFO; characters whose CP437 forms are control
# bytes are "?", where the command line refuses them.
source "$(dirname "$0")/lib.sh"
e2e_begin
golden=$E2E_DIR/golden forms=$E2E_DIR/forms
app_fresh "Default.ntf=$E2E_DIR/templates/Framed.ntf"
quenby_start shown

test_case "letters typed in code page 1252 are CP437 in the preview, on the clipboard and saved"
# The NFO the command line renders from the same form as a sheet; the newsgroups box lower-cases
# the typed "É" as the command line does the sheet's.
nfo=$WORK/expected.nfo
"$QUENBY_NATIVE_BIN/quenby" render --template "$E2E_DIR/templates/Framed.ntf" "$forms/accents.toml" \
    >"$nfo"
{ cat "$nfo" && printf '\0'; } >"$WORK/expected-clipboard"
# The form file holds the NFO's bytes; the boxes are typed the same letters in code page 1252.
check "typing accented letters" < <(iconv -f CP437 -t CP1252 "$forms/accents.form" && cat <<EOF
tab 2
type 2 NewsgroupsEdit "alt.binaries.\xC9DITION"
tab 4
gettext 4 TextEdit ->file $nfo
clipboard-clear
click 4 CopyButton
clipboard-oem $WORK/clipboard ->file $WORK/expected-clipboard
EOF
)
drv click-post 4 SaveButton ";" save-dialog "$WORK/accents.nfo" "Save NFO file..." >/dev/null ||
    fail "saving accents.nfo"
wait_until 10 cmp -s "$WORK/accents.nfo" "$nfo" || fail "accents.nfo is not the NFO"

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

# CP437 has § ¶ • only as control bytes (0x15 0x14 0x07), which Windows' best fit would give.
test_case "§, ¶ and • typed are ? in the NFO, never control bytes; the command line refuses them"
glyphs=$forms/control-glyphs.toml
"$QUENBY_NATIVE_BIN/quenby" render "$glyphs" >/dev/null 2>"$WORK/refused" &&
    fail "the command line rendered § ¶ •"
refused='character "§" (U+00A7) stands for a CP437 control byte and is not allowed'
grep -qxF "$glyphs:3: general.title: $refused" "$WORK/refused" || fail "$(cat "$WORK/refused")"
sed 's/§/?/g; s/¶/?/g; s/•/?/g' "$glyphs" | "$QUENBY_NATIVE_BIN/quenby" render --template \
    "$E2E_DIR/templates/Framed.ntf" - >"$WORK/glyphs.nfo"
quenby_start shown
check "typing § ¶ •" < <(cat "$forms/control-glyphs.form" && cat <<EOF
tab 4
gettext 4 TextEdit ->file $WORK/glyphs.nfo
EOF
)
screenshot typed-control-glyphs
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0

# Code page 850 has "Á" as 0xB5, which CP437 draws as "╡", and "¢" as 0xBD ("╜").
test_case "under a German locale (OEM code page 850) typed text is CP437: Á becomes A, ¢ stays 0x9B"
localedef -i de_DE -f UTF-8 "$WORK/de_DE.UTF-8" 2>/dev/null || true
printf '[general]\ntitle = "A ¢"\n' | "$QUENBY_NATIVE_BIN/quenby" render --template \
    "$E2E_DIR/templates/Framed.ntf" - >"$WORK/german.nfo"
export LOCPATH=$WORK LANG=de_DE.UTF-8
quenby_start shown
check "typing under code page 850" <<EOF
code-pages -> "1252 850"
tab 1
type 1 TitleEdit "\xC1 \xA2"
tab 4
gettext 4 TextEdit ->file $WORK/german.nfo
EOF
drv close >/dev/null || fail "cannot close the main window"
expect_exit 0
e2e_end

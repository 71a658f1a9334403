#!/usr/bin/env bash
# The Preview page: generation when the tab is chosen, exactly the engine's NFO for filled forms,
# the template selector with loose templates, failing templates and failing loads.
source "$(dirname "$0")/lib.sh"
e2e_begin

# The program folder of these tests: an archive whose "Default.ntf" is the test template Framed,
# and loose templates beside the shipped ones.
templates_folder() {
    app_fresh
    app_jam "Default.ntf=$E2E_DIR/templates/Framed.ntf"
    cp "$E2E_DIR/templates/Plain.ntf" "$E2E_DIR/templates/Broken.ntf" "$APP/"
    cp "$E2E_DIR/templates/Plain.ntf" "$APP/Gone.ntf"
    : >"$APP/Empty.ntf"
}

test_case "the selector lists <Default> and the folder's loose templates, sorted"
templates_folder
quenby_start_shown
expected=$( (cd "$APP" && for f in *.ntf; do echo "${f%.ntf}"; done) | LC_ALL=C sort -f)
expect_eq "$(drv combo-items 4 1051)" "<Default>"$'\n'"$expected" "selector entries"

test_case "choosing Preview generates the engine's NFO for the untouched form"
drv tab 4 >/dev/null
expect_preview initial-framed "preview of the untouched form"
expect_states 4 "output buttons" 1049:e 1050:e
quenby_close

test_case "a form with everything filled in gives exactly the engine's NFO"
templates_folder
quenby_start_shown
fill_form "$E2E_DIR/forms/full.form"
drv tab 4 >/dev/null
expect_preview full-framed "preview of the full form"

test_case "choosing a loose template loads it and generates"
drv combo-select 4 1051 Plain >/dev/null
expect_preview full-plain "preview with Plain"
expect_eq "$(drv gettext 4 1051)" "Plain" "chosen template"

test_case "a failing template shows the framed report with its line; both buttons stay disabled"
drv combo-select 4 1051 Broken >/dev/null
expect_preview full-broken "preview with Broken"
expect_states 4 "output buttons after a failure" 1049:d 1050:d
screenshot preview-failure

test_case "choosing <Default> again reads the archive's template afresh"
drv combo-select 4 1051 "<Default>" >/dev/null
expect_preview full-framed "preview with <Default> again"
expect_states 4 "output buttons" 1049:e 1050:e

test_case "leaving and re-entering Preview generates again"
drv combo-select 4 1051 Plain >/dev/null
drv_check "changing the title" <<'SCRIPT'
tab 1
settext 1 1010 ""
type 1 1010 "Second Title"
tab 4
gettext 4 1048
expect "Plain layout for Quenby\r\n  Second Title\r\nSoftware  : Quenby Deluxe Edition v1.0.42\r\nFormat    : CD Image (ISO)\r\n  First comment line.\r\n  Second comment line.\r\n  Third comment line.\r\n-- the end --\r\n"
SCRIPT

test_case "stepping through the selector with the arrow keys loads and generates each step"
drv combo-select 4 1051 "<Default>" >/dev/null
drv key 4 1051 DOWN >/dev/null
expect_eq "$(drv gettext 4 1051)" "Broken" "template after one step down"
expect_eq "$(drv gettext 4 1048 | grep -c 'NFO GENERATION FAILED')" 1 "report of Broken"
drv key 4 1051 UP >/dev/null
expect_eq "$(drv gettext 4 1051)" "<Default>" "template after one step up"
expect_states 4 "output buttons" 1049:e 1050:e
quenby_close

test_case "a template deleted after start-up fails with the Error loading template... box"
templates_folder
quenby_start_shown
fill_form "$E2E_DIR/forms/mixed.form"
drv tab 4 >/dev/null
expect_preview mixed-framed "preview of the mixed form"
rm "$APP/Gone.ntf"
drv combo-select 4 1051 Gone >/dev/null
expect_eq "$(drv box-text "Error loading template...")" "Failed to open file: Gone.ntf" "box text"
expect_eq "$(drv box-owner "Error loading template...")" main "box owner"
screenshot error-loading-template
drv answer-box "Error loading template..." OK >/dev/null
expect_preview mixed-framed "preview after the failed load"
expect_states 4 "output buttons after the failed load" 1049:e 1050:e

test_case "an empty template fails with File is empty:"
drv combo-select 4 1051 Empty >/dev/null
expect_eq "$(drv box-text "Error loading template...")" "File is empty: Empty.ntf" "box text"
drv answer-box "Error loading template..." OK >/dev/null

test_case "after a failed load, re-entering Preview shows an empty NFO and the buttons do nothing"
drv tab 3 >/dev/null
drv tab 4 >/dev/null
expect_eq "$(drv gettext 4 1048)" "" "preview box"
expect_states 4 "output buttons" 1049:e 1050:e
drv clipboard-set "before" >/dev/null
drv click 4 1049 >/dev/null
drv clipboard-oem "$E2E_WORK/clipboard" >/dev/null
expect_eq "$(tr -d '\0' <"$E2E_WORK/clipboard")" "before" "clipboard after Copy"
drv click-post 4 1050 >/dev/null
drv no-window "Save NFO file..." >/dev/null || fail "Save NFO File opened a dialog"
quenby_close
expect_eq "$QUENBY_EXIT" 0 "exit code after failed loads"

e2e_end

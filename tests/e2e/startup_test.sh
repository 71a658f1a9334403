#!/usr/bin/env bash
# Start-up and the main window: caption, tabs, the About page, nothing generated until the
# Preview tab is chosen, keys that must not close the window, and a clean close.
source "$(dirname "$0")/lib.sh"
e2e_begin

test_case "the window opens on the About page with its five tabs and generates nothing"
started=$(date +%s.%N)
quenby_start_shown
shown=$(date +%s.%N)
e2e_log "  time from start to visible window: $(awk "BEGIN { printf \"%.2f\", $shown - $started }") s"
expect_eq "$(drv caption)" "Quenby v1.0" "caption"
expect_eq "$(drv tabs)" $'Quenby\nGeneral / Software\nUpload\nVarious Text\nPreview' "tab titles"
expect_eq "$(drv current-tab)" 0 "selected tab"
expect_eq "$(drv shown-page)" 0 "page on show"
expect_eq "$(drv gettext 0 1052)" "Quenby v1.0" "version line"
expect_eq "$(drv gettext 0 1055)" "https://quenby.example.org/" "web link"
expect_eq "$(drv gettext 0 1056)" "feedback@example.org" "mail link"
expect_eq "$(drv gettext 4 1048)" "" "preview box before the first generation"
expect_states 4 "output buttons before the first generation" 1049:d 1050:d
expect_eq "$(drv combo-sel 4 1051)" 0 "template selector"
expect_eq "$(drv gettext 4 1051)" "<Default>" "chosen template"
screenshot about

test_case "Escape and Enter do not close the window"
drv key main 1000 ESCAPE RETURN >/dev/null
drv tab 1 >/dev/null
drv key 1 1010 ESCAPE RETURN >/dev/null
drv tab 2 >/dev/null
drv key 2 1036 ESCAPE >/dev/null
drv key 2 1042 RETURN ESCAPE >/dev/null
drv sync >/dev/null
kill -0 "$QUENBY_PID" 2>/dev/null || fail "the program ended"
expect_eq "$(drv caption)" "Quenby v1.0" "main window still there"

test_case "choosing Preview generates with the default template and enables the buttons"
drv tab 4 >/dev/null
expect_eq "$(drv shown-page)" 4 "page on show"
expect_states 4 "output buttons after generating" 1049:e 1050:e
preview=$(drv gettext 4 1048)
[[ -n $preview ]] || fail "the preview box is empty"
[[ $preview != *"NFO GENERATION FAILED"* ]] || fail "the default template failed: $preview"
screenshot preview-default

test_case "a normal close ends the program with exit code 0 and no box"
quenby_close
expect_eq "$QUENBY_EXIT" 0 "exit code"

e2e_end

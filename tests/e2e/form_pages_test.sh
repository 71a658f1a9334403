#!/usr/bin/env bash
# The three form pages as a user meets them: every control's initial text, check mark and enabled
# state, the fixed lists, each enabling rule as boxes are clicked, and what typing does.
source "$(dirname "$0")/lib.sh"
e2e_begin
quenby_start_shown

test_case "General / Software starts with its labels, empty boxes, Kb and Already Cracked"
drv tab 1
expect_eq "$(drv controls 1)" '-1 Static enabled visible "NFO Title:"
1010 Edit enabled visible ""
-1 Static enabled visible "(Eg, the name of the piece of software)"
-1 Static enabled visible "Uploaded by:"
1011 Edit enabled visible ""
-1 Static enabled visible ""
-1 Static enabled visible "Full Software Name:"
1012 Edit enabled visible ""
-1 Static enabled visible "Package Size:"
-1 Static enabled visible "Packed:"
1014 Edit enabled visible ""
1013 Button enabled visible "Unpacked:"
1015 Edit disabled visible ""
-1 Static enabled visible "in"
1016 ComboBox enabled visible "Kb"
-1 Static enabled visible "Security Workaround:"
1026 Button enabled visible "Serial Number:"
1017 Edit disabled visible ""
1027 Button disabled visible "Registered To:"
1018 Edit disabled visible ""
1028 Button enabled visible "Cracked By:"
1019 Edit disabled visible ""
1029 Button disabled visible "Already Cracked"
1030 Button disabled visible "Crack Included"
1031 Button enabled visible "Keygen By:"
1020 Edit disabled visible ""' "controls in tab order"
expect_states 1 "check marks" 1013:u 1026:u 1027:u 1028:u 1029:c 1030:u 1031:u
expect_eq "$(drv combo-items 1 1016)" $'Kb\nMb' "size units"
expect_eq "$(drv combo-sel 1 1016)" 0 "chosen size unit"
screenshot general

test_case "General / Software: each check box enables what depends on it"
drv click 1 1013
expect_states 1 "Unpacked: on" 1015:e
drv click 1 1013
expect_states 1 "Unpacked: off" 1015:d
drv click 1 1026
expect_states 1 "Serial Number: on" 1017:e 1027:e 1018:d
drv click 1 1027
expect_states 1 "Registered To: on" 1018:e
drv settext 1 1017 "SERIAL-1" >/dev/null
drv click 1 1026
expect_states 1 "Serial Number: off keeps Registered To: checked" 1017:d 1027:d 1027:c 1018:d
expect_eq "$(drv gettext 1 1017)" "SERIAL-1" "text typed before the box was disabled"
drv click 1 1026
expect_states 1 "Serial Number: on again" 1017:e 1027:e 1018:e
drv click 1 1028
expect_states 1 "Cracked By: on" 1019:e 1029:e 1030:e
drv click 1 1030
expect_states 1 "Crack Included chosen" 1030:c 1029:u
drv click 1 1028
expect_states 1 "Cracked By: off keeps the choice" 1019:d 1029:d 1030:d 1030:c 1029:u
drv click 1 1031
expect_states 1 "Keygen By: on" 1020:e
drv click 1 1031
expect_states 1 "Keygen By: off" 1020:d

test_case "Upload starts with post number 1, presets and no full repost"
drv tab 2
expect_eq "$(drv controls 2)" '-1 Static enabled visible "Uploaded As:"
1025 ComboBox enabled visible ""
-1 Static enabled visible "Post Information:"
1033 Button enabled visible "Post Number:"
1031 Edit enabled visible "1"
1014 Button enabled visible "Files:"
1032 Edit disabled visible ""
1015 Button disabled visible "Per Day:"
1037 Edit disabled visible ""
-1 Static enabled visible "Support Posted:"
1034 Button enabled visible "Presets:"
1043 Button enabled visible "Custom text:"
1035 Button enabled visible "SFV"
1038 Button enabled visible "CUE"
1039 Button enabled visible "Manual"
1041 Edit disabled visible ""
-1 Static enabled visible "Newsgroups Posted:"
1036 Edit enabled visible ""
-1 Static enabled visible "Repost Information:"
1026 ComboBox enabled visible "There will be no full repost!"
1042 Button enabled visible "Fill requests should wait until after the repost."' "controls in tab order"
expect_states 2 "check marks" 1033:c 1014:u 1015:u 1034:c 1043:u 1035:u 1038:u 1039:u 1042:u
expect_eq "$(drv combo-items 2 1025)" '.ACE File(s)
.RAR File(s)
.ZIP File(s)
CD Image (BIN/CUE)
CD Image (ISO)' "uploaded-as list, sorted"
expect_eq "$(drv combo-sel 2 1025)" -1 "no upload form chosen"
expect_eq "$(drv combo-items 2 1026)" "There will be no full repost!
In 3 day's time...
In 4 day's time...
In 5 day's time...
In 6 day's time...
In a week's time...
In 8 day's time...
In 9 day's time...
In 10 day's time...
In 11 day's time...
In 12 day's time...
In 13 day's time...
In 2 week's time..." "repost list, in its own order"
expect_eq "$(drv combo-sel 2 1026)" 0 "chosen repost plan"
screenshot upload

test_case "Upload: each check box and radio button enables what depends on it"
drv click 2 1033
expect_states 2 "Post Number: off" 1031:d
drv click 2 1033
expect_states 2 "Post Number: on" 1031:e
drv click 2 1014
expect_states 2 "Files: on" 1032:e 1015:e 1037:d
drv click 2 1015
expect_states 2 "Per Day: on" 1037:e
drv click 2 1014
expect_states 2 "Files: off keeps Per Day: checked" 1032:d 1015:d 1015:c 1037:d
drv click 2 1014
expect_states 2 "Files: on again" 1032:e 1015:e 1037:e
drv click 2 1035
drv click 2 1043
expect_states 2 "Custom text: chosen" 1034:u 1043:c 1035:d 1038:d 1039:d 1041:e 1035:c
drv click 2 1034
expect_states 2 "Presets: chosen again" 1043:u 1035:e 1038:e 1039:e 1041:d 1035:c

test_case "Various Text starts switched off; each On box enables its text"
drv tab 3
expect_eq "$(drv controls 3)" '-1 Static enabled visible "Installation Info:"
1047 Button enabled visible "On"
1045 Edit disabled visible ""
-1 Static enabled visible "Comments:"
1048 Button enabled visible "On"
1043 Edit disabled visible ""
-1 Static enabled visible "Thanks To:"
1049 Button enabled visible "On"
1044 Edit disabled visible ""' "controls in tab order"
expect_states 3 "check marks" 1047:u 1048:u 1049:u
screenshot various-text
drv click 3 1047
drv click 3 1048
drv click 3 1049
expect_states 3 "all on" 1045:e 1043:e 1044:e
drv click 3 1048
expect_states 3 "Comments off" 1045:e 1043:d 1044:e

test_case "digits-only boxes refuse typed letters"
drv type 1 1014 "12ab3.4" >/dev/null
expect_eq "$(drv gettext 1 1014)" "1234" "General packed size"
drv click 1 1013
drv type 1 1015 "x9y8" >/dev/null
expect_eq "$(drv gettext 1 1015)" "98" "General unpacked size"
drv settext 2 1031 "" >/dev/null
drv type 2 1031 "-7q" >/dev/null
expect_eq "$(drv gettext 2 1031)" "7" "Upload post number"
drv type 2 1032 "4 files" >/dev/null
expect_eq "$(drv gettext 2 1032)" "4" "Upload files"
drv type 2 1037 "2/day" >/dev/null
expect_eq "$(drv gettext 2 1037)" "2" "Upload per day"

test_case "letters typed into Newsgroups Posted: arrive in lower case"
drv type 2 1036 'Alt.Binaries.TEST\rALT.Warez.CD' >/dev/null
expect_eq "$(drv gettext-hex 2 1036)" "$(printf 'alt.binaries.test\r\nalt.warez.cd' | od -An -tx1 | tr -d ' \n')" \
    "newsgroups text"

test_case "the two editable combo boxes take free text"
drv type 2 1025 "Floppy Images" >/dev/null
expect_eq "$(drv gettext 2 1025)" "Floppy Images" "Uploaded As"
drv settext 2 1026 "" >/dev/null
drv type 2 1026 "Next month..." >/dev/null
expect_eq "$(drv gettext 2 1026)" "Next month..." "Repost Information"
drv combo-select 2 1025 "CD Image (ISO)" >/dev/null
expect_eq "$(drv gettext 2 1025)" "CD Image (ISO)" "Uploaded As chosen from the list"

test_case "editing the form generates nothing"
expect_eq "$(drv gettext 4 1048)" "" "preview box"
expect_states 4 "output buttons" 1049:d 1050:d

quenby_close
e2e_end

#!/usr/bin/env bash
# First start: the hardware dialog says that nothing is stored and its creation has made the
# program's key. "Get info" with Wine's own dxdiag, which writes no display section, gives
# the system lines and three empty ones; "Save & Close" stores them.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/hwinfo/common.sh"

e2e_begin "hardware dialog with Wine's dxdiag" 1024x768
e2e_install_dist || e2e_end
hw_start_launcher
e2e_check "the program's key exists after the first start" \
  wine reg query "$HW_KEY" /reg:32 >/dev/null 2>&1

hw_open_dialog
e2e_expect_eq "first start: memo" "$(hw_text "$HW_MEMO")" "$HW_NO_INFO"
e2e_expect_eq "first start: status bar" "$(hw_text "$HW_STATUS")" "$HW_IDLE"
e2e_expect_eq "the dialog's client size" "$(e2e_driver client "$HW_DIALOG")" "469x233"
shot=$(e2e_screenshot hwinfo_first_start) && e2e_log "screenshot: $shot"

hw_get_info
e2e_expect_eq "status after Wine's dxdiag" "$(hw_text "$HW_STATUS")" "$HW_COLLECTED"
e2e_expect_eq "six memo lines" "$(hw_text "$HW_MEMO" | awk 'END{print NR}')" "6"
e2e_check "line 1 is the operating system" grep -q '^Operating System: ' <<<"$(hw_memo_line 1)"
e2e_check "line 2 is the processor" grep -q '^Processor: ' <<<"$(hw_memo_line 2)"
e2e_check "line 3 is the memory" grep -q '^Memory: ' <<<"$(hw_memo_line 3)"
e2e_expect_eq "lines 4 to 6 are empty" "$(hw_memo_line 4)$(hw_memo_line 5)$(hw_memo_line 6)" ""
e2e_expect_eq "Get info is back" "$(e2e_driver state "$HW_DIALOG" "Get info")" "visible=1 enabled=1 checked=0"
e2e_expect_eq "Save & Close is back" "$(e2e_driver state "$HW_DIALOG" "Save & Close")" "visible=1 enabled=1 checked=0"
e2e_check "the report was removed" test ! -e "$E2E_INSTALL_DIR/dxinfo.txt"
shot=$(e2e_screenshot hwinfo_wine_collected) && e2e_log "screenshot: $shot"

os_line=$(hw_memo_line 1)
e2e_driver click "$HW_DIALOG" "Save & Close" >/dev/null
e2e_check "Save & Close closes the dialog" e2e_driver waitgone "$HW_DIALOG" 10000
e2e_expect_eq "stored OS" "$(hw_stored OS)" "$os_line"
e2e_expect_eq "stored VGA" "$(hw_stored VGA)" ""
e2e_expect_eq "stored Save Info" "$(hw_stored "Save Info")" "1"
hw_quit_launcher
e2e_end

#!/usr/bin/env bash
# A dxdiag that writes a full Windows report (the stand-in, installed as system32\dxdiag.exe;
# Wine runs a replaced system tool only with the override dxdiag.exe=native): "Get info" shows
# all six lines, "Save & Close" stores them, and the next start shows them again.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/hwinfo/common.sh"

EXPECTED=("${HW_FULL_REPORT_LINES[@]}")
NAMES=(OS CPU Memory VGA "VGA Memory" "VGA Driver")

e2e_begin "hardware dialog with a full dxdiag report" 1024x768
e2e_install_dist || e2e_end
fixture=$(hw_fixture_dxdiag) || { e2e_fail "the stand-in dxdiag.exe could not be built"; e2e_end; }
cp "$fixture" "$WINEPREFIX/drive_c/windows/system32/dxdiag.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;dxdiag.exe=n"

hw_start_launcher
hw_open_dialog
hw_get_info
e2e_expect_eq "status" "$(hw_text "$HW_STATUS")" "$HW_COLLECTED"
for i in 0 1 2 3 4 5; do
  e2e_expect_eq "memo line $((i + 1))" "$(hw_memo_line $((i + 1)))" "${EXPECTED[$i]}"
done
e2e_check "the report was removed" test ! -e "$E2E_INSTALL_DIR/dxinfo.txt"
shot=$(e2e_screenshot hwinfo_full_collected "$HW_DIALOG") && e2e_log "screenshot: $shot"

e2e_driver click "$HW_DIALOG" "Save & Close" >/dev/null
e2e_check "Save & Close closes the dialog" e2e_driver waitgone "$HW_DIALOG" 10000
for i in 0 1 2 3 4 5; do
  e2e_expect_eq "stored ${NAMES[$i]}" "$(hw_stored "${NAMES[$i]}")" "${EXPECTED[$i]}"
done
e2e_expect_eq "stored Save Info" "$(hw_stored "Save Info")" "1"
hw_quit_launcher

# The next start shows the stored lines in table order.
hw_start_launcher
hw_open_dialog
e2e_expect_eq "next start: memo" "$(hw_text "$HW_MEMO")" "$(printf '%s\n' "${EXPECTED[@]}")"
e2e_expect_eq "next start: status bar" "$(hw_text "$HW_STATUS")" "$HW_IDLE"
e2e_driver close "$HW_DIALOG" >/dev/null
e2e_check "the close box hides the dialog" e2e_driver waitgone "$HW_DIALOG" 10000
hw_quit_launcher
e2e_end

#!/usr/bin/env bash
# The stored hardware description reaches the report: the stand-in dxdiag's full report is
# collected and saved in the dialog, then a benchmark run with "Add additional information"
# checked (its default) writes the six lines under "System" in its HTML report.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/hwinfo/common.sh"

EXPECTED=("${HW_FULL_REPORT_LINES[@]}")

e2e_begin "hardware description in the run's report" 1024x768
e2e_install_dist || e2e_end
hw_install_game || e2e_end
e2e_register_htm_logger
fixture=$(hw_fixture_dxdiag) || { e2e_fail "the stand-in dxdiag.exe could not be built"; e2e_end; }
cp "$fixture" "$WINEPREFIX/drive_c/windows/system32/dxdiag.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;dxdiag.exe=n"

hw_start_launcher
hw_open_dialog
hw_get_info
e2e_expect_eq "collected" "$(hw_text "$HW_STATUS")" "$HW_COLLECTED"
e2e_driver click "$HW_DIALOG" "Save & Close" >/dev/null
e2e_check "Save & Close closes the dialog" e2e_driver waitgone "$HW_DIALOG" 10000
e2e_expect_eq "AddInfoBox is checked" \
  "$(e2e_driver state "$HW_MAIN" "Add additional information" | sed 's/.*checked=/checked=/')" "checked=1"

e2e_driver click "$HW_MAIN" "Run benchmark" >/dev/null
opened=$(e2e_opened_log)
if ! e2e_check "the run opened its report" bash -c '
     for i in $(seq 600); do grep -qi "result_.*\.htm" "$1" 2>/dev/null && exit 0; sleep 0.2; done; exit 1' _ "$opened"; then
  e2e_screenshot hwinfo_run_no_report >/dev/null
  e2e_driver list | sed 's/^/    /'
  e2e_end
fi
report_win=$(grep -i 'result_.*\.htm' "$opened" | tail -n1 | tr -d '\r' | grep -o '[A-Za-z]:\\[^"]*\.htm')
report=$(winepath -u "$report_win" 2>/dev/null)
e2e_check "the report file exists ($report_win)" test -f "$report"
html=$(tr -d '\r' < "$report")
e2e_check "the report has the System heading" grep -qF '<p align="left" class="style4">System</p>' <<<"$html"
for i in 0 1 2 3 4; do
  e2e_check "report line: ${EXPECTED[$i]}" grep -qxF "   <FONT size=2>${EXPECTED[$i]}</FONT><br>" <<<"$html"
done
e2e_check "report line: ${EXPECTED[5]}" grep -qxF "   <FONT size=2>${EXPECTED[5]}</FONT><br><br>" <<<"$html"
order=$(grep -n -F -e "${EXPECTED[0]}" -e "${EXPECTED[3]}" -e "${EXPECTED[5]}" <<<"$html" | cut -d: -f1 | tr '\n' ' ')
e2e_check "the lines stand in table order ($order)" bash -c '[[ $(tr " " "\n" <<<"$1" | sed "/^$/d" | sort -n | tr "\n" " ") == "$1" ]]' _ "$order"
cp "$report" "$E2E_ARTIFACTS/hwinfo_report_run.htm" 2>/dev/null
hw_quit_launcher
e2e_end

#!/usr/bin/env bash
# One resolution from the click of the run button to the report opened in the "browser":
# the game is started hidden through lumenrig.bat, the report is saved in the results folder
# and opened through the shell, and the user's configuration comes back byte for byte.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: one resolution" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n; the user\x27s own, \xe9t\xe9 \xd7\r\n' || e2e_end
run_standin_control
run_choose 800
run_settings Demo 1 ShaderProfile 1 Note 'e2e <b>one</b> resolution'

run_start_launcher
shot=$(e2e_screenshot run_one_before "$RUN_MAIN") && e2e_log "screenshot: $shot"
started=$(date +%s.%N)
run_click
sleep 0.3
e2e_driver state "$RUN_MAIN" "$RUN_BUTTON" | grep -q 'enabled=0' || e2e_log "(the run had ended before its button was looked at)"
e2e_check "the run ends and the button is enabled again" run_wait_idle 60
ended=$(date +%s.%N)
e2e_log "run took $(awk -v a="$started" -v b="$ended" 'BEGIN{printf "%.2f", b-a}') s"

e2e_expect_eq "the game was started once" "$(run_standin_log | grep -c 'Splintercell3.exe')" "1"
e2e_expect_eq "with the bench command's arguments" "$(run_standin_log | cut -f1)" \
  "Splintercell3.exe 01_Lighthouse -playtimedemo=01_Lighthouse.dem 800 600 -nosound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0"
report=$(run_reports | tail -1)
e2e_check "a report was saved in the results folder" test -n "$report"
if [[ -n $report ]]; then
  cp "$report" "$E2E_ARTIFACTS/run_one_report.htm"
  e2e_expect_eq "its sections" "$(run_report_sections "$report")" "800x600"
  e2e_check "its lines end in CR LF" bash -c '[[ $(grep -c $'"'"'\r$'"'"' "$1") == $(wc -l < "$1") ]]' _ "$report"
  e2e_check "the note is in it unescaped" grep -q 'Comment:</span> e2e <b>one</b> resolution</FONT><br>' "$report"
  e2e_check "the score is the stand-in's" grep -Eq '<b>Score = [0-9.]{1,5} FPS</b>' "$report"
  opened=$(tr -d '\r' < "$(e2e_opened_log)" 2>/dev/null)
  name=$(basename "$report")
  e2e_check "the report was opened through the shell" grep -q "$name" <<<"$opened"
  e2e_log "opened: $opened"
fi
e2e_expect_eq "one report was opened" "$(run_opened_count)" "1"
run_check_restored
shot=$(e2e_screenshot run_one_after "$RUN_MAIN") && e2e_log "screenshot: $shot"
run_quit_launcher
e2e_end

#!/usr/bin/env bash
# All six resolutions on a 2048 x 1536 screen: six games in table order, each shown on the
# progress panel while it runs, one report with six sections, the user's file back.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: all six resolutions" 2048x1536
e2e_install_dist || e2e_end
run_install_game '; my own\r\n[WinDrv.WindowsClient]\r\nFullscreenViewportX=1920\r\n' || e2e_end
# The first game takes its time, so that the panel can be seen while it runs.
run_standin_control "delay.640=4000"
run_choose 640 800 1024 1280 1600 2048
run_settings Demo 2 ShaderProfile 3 HDR 1 ToneMapping 1 ParallaxMapping 1 HQSoftShadows 0 HSMapping 1

run_start_launcher
run_click
if e2e_driver waitcontrol "$RUN_MAIN" "Resolution: 640×480" 5000 >/dev/null; then
  e2e_log "ok: the panel shows the first resolution while its game runs"
  e2e_check "the panel is up" run_panel_visible
  e2e_check "the run button is disabled during the run" run_button_disabled
  shot=$(e2e_screenshot run_all_six_progress "$RUN_MAIN") && e2e_log "screenshot: $shot"
else
  e2e_fail "no progress text \"Resolution: 640×480\" while the first game ran"
fi
e2e_check "the run ends" run_wait_idle 120

sizes=$(run_standin_log | cut -f1 | awk '{print $4 "x" $5}' | paste -sd' ')
e2e_expect_eq "games in table order" "$sizes" "640x480 800x600 1024x768 1280x1024 1600x1200 2048x1536"
e2e_expect_eq "the switches of the run" "$(run_standin_log | head -1 | cut -f1 | cut -d' ' -f2,3,7-)" \
  "02_Cargoship -playtimedemo=02_voru3v.dem shader=3 ParallaxMapping=1 HQSoftShadows=0 HDR=1 ToneMapping=1"
report=$(run_reports | tail -1)
if e2e_check "a report was saved" test -n "$report"; then
  cp "$report" "$E2E_ARTIFACTS/run_all_six_report.htm"
  e2e_expect_eq "its sections" "$(run_report_sections "$report" | paste -sd' ')" \
    "640x480 800x600 1024x768 1280x1024 1600x1200 2048x1536"
  e2e_expect_eq "six scores" "$(grep -c '<b>Score = [0-9.]* FPS</b>' "$report")" "6"
  e2e_check "hardware shadow mapping is reported" grep -q 'Hardware Shadow Mapping: Enabled<br>' "$report"
fi
e2e_expect_eq "one report was opened" "$(run_opened_count)" "1"
run_check_restored
run_quit_launcher
e2e_end

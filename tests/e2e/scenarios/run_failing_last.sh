#!/usr/bin/env bash
# Three resolutions whose last game leaves no result file: the run ends normally (the
# user's file back, the flag down, the button enabled) but saves and opens no report,
# although the first two games left their results.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: the last resolution fails" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the user\x27s own\r\n' || e2e_end
run_standin_control "result.1024=none" "exitcode.1024=1"
run_choose 640 800 1024
run_settings Demo 3 ShaderProfile 2

run_start_launcher
run_click
e2e_check "the run ends" run_wait_idle 90
e2e_expect_eq "three games ran" "$(run_standin_log | cut -f1 | awk '{print $4 "x" $5}' | paste -sd' ')" \
  "640x480 800x600 1024x768"
e2e_expect_eq "no report was saved" "$(run_reports | wc -l)" "0"
e2e_expect_eq "nothing was opened" "$(run_opened_count)" "0"
run_check_restored
shot=$(e2e_screenshot run_failing_last "$RUN_MAIN") && e2e_log "screenshot: $shot"
run_quit_launcher
e2e_end

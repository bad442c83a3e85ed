#!/usr/bin/env bash
# A game that crashes in the middle of a run (an access violation, no result file): that
# resolution gets no section, the next one runs, and the report holds the other two.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: a game crashes in the middle" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the user\x27s own\r\n' || e2e_end
run_standin_control "crash.800=1"
run_choose 640 800 1024
run_settings Demo 1 ShaderProfile 1

run_start_launcher
run_click
e2e_check "the run ends" run_wait_idle 90
e2e_check "the second game crashed" bash -c 'grep -q "800 600.*-> crash" <<<"$1"' _ "$(run_standin_log)"
e2e_expect_eq "the third game still ran" "$(run_standin_log | tail -1 | cut -f1 | awk '{print $4 "x" $5}')" "1024x768"
report=$(run_reports | tail -1)
if e2e_check "a report was saved" test -n "$report"; then
  e2e_expect_eq "its sections" "$(run_report_sections "$report" | paste -sd' ')" "640x480 1024x768"
fi
e2e_expect_eq "one report was opened" "$(run_opened_count)" "1"
run_check_restored
run_quit_launcher
e2e_end

#!/usr/bin/env bash
# The demonstration run of scripts/run, as a scenario: two resolutions through the helpers
# that scripts/run uses; the report path is printed and the report holds both sections.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: two-resolution demonstration" 1024x768
e2e_install_dist || e2e_end
run_prepare_demo 640 1024 || e2e_end
run_start_launcher
if paths=$(run_demo_benchmark); then
  e2e_log "report: $(tr '\n' ' ' <<<"$paths")"
  report=$(head -1 <<<"$paths")
  e2e_expect_eq "its sections" "$(run_report_sections "$report" | paste -sd' ')" "640x480 1024x768"
  e2e_check "the Windows path is printed too" grep -q '^C:\\Program Files\\Lumenrig\\Benchmark\\result_' <<<"$(tail -1 <<<"$paths")"
else
  e2e_fail "the demonstration run failed"
fi
shot=$(e2e_screenshot run_two_resolutions_demo "$RUN_MAIN") && e2e_log "screenshot: $shot"
run_check_restored
run_quit_launcher
e2e_end

#!/usr/bin/env bash
# A newer version, and the user answers the question with Later: the main window says "Update
# aborted." and nothing is downloaded. Pressing the button again asks again.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: newer version, later"
update_make_release
update_publish 1.1 "Faster start-up"
launcher_start
update_check
if e2e_driver wait "$U_WIZARD" 30000 >/dev/null && update_wait_control "$U_WIZARD" "Later" "the question has its Later button"; then
  question=$(e2e_driver tree "$U_WIZARD" | tr -d '\r')
  grep -qF "$U_QUESTION_START" <<<"$question" || e2e_fail "the question does not name the program"
  e2e_driver click "$U_WIZARD" "Later" >/dev/null
fi
update_box OK "$L_MAIN" "Update aborted." "the main window's answer to Later"
e2e_expect_eq "only the info file was asked for" "$(cut -d' ' -f2 "$U_REQUESTS" | sed 's|.*/||' | tr '\n' ' ')" "update.txt "
update_no_temp_files "no *.uTMP"
launcher_quit
e2e_end

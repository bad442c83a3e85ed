#!/usr/bin/env bash
# The launcher is killed while a game runs: the crash flag stays "1", the user's file lies
# aside as SplinterCell3_old.ini and the generated one in its place. The next start asks to
# restore. Answered "No", the next run keeps that backup as the user's file (it does not set
# the generated file aside in its place) and puts it back at its end. Killed once more and
# answered "Yes", the start-up restore brings the user's file back byte for byte.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

QUESTION="The last time an error occured. Do you wish to restore the original settings?"

e2e_begin "run: launcher killed during a run, then restored" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the user\x27s own, kept through a kill\r\nGamma=1.234\r\n' || e2e_end
user_ini="$E2E_ARTIFACTS/${E2E_NAME// /_}.user.ini"
run_choose 640
run_settings Demo 1 ShaderProfile 1

# kill_during_run: starts a run whose game takes 6 s and kills the launcher while it runs.
kill_during_run() {
  run_standin_control "delay=6000"
  run_click
  if ! e2e_driver waitcontrol "$RUN_MAIN" "Resolution: 640×480" 5000 >/dev/null; then
    e2e_fail "the run did not start"
    return 1
  fi
  sleep 0.5
  kill -KILL "$E2E_PID"
  e2e_wait_exit "$E2E_PID" 10 >/dev/null
  e2e_check "the launcher is gone" bash -c '! kill -0 "$1" 2>/dev/null' _ "$E2E_PID"
  e2e_expect_eq "NoErrorWarning after the kill" "$(run_stored NoErrorWarning)" "1"
  e2e_check "the user's file lies aside" cmp -s "$RUN_CONFIG/SplinterCell3_old.ini" "$user_ini"
  e2e_check "the generated file is in its place" grep -q '^FullscreenViewportX=640' "$RUN_CONFIG/SplinterCell3.ini"
  # The orphaned game finishes on its own.
  local i
  for ((i = 0; i < 100; i++)); do [[ -f $RUN_SYSTEM/TimeDemoResult.xls ]] && break; sleep 0.1; done
  sleep 0.5
}

# start_and_answer BUTTON: starts the launcher and answers the restore question.
start_and_answer() {
  e2e_start "$E2E_INSTALL_WIN\\lumenrig.exe"
  local box
  box=$(e2e_driver msgbox "$1" 60000 | tr -d '\r')
  e2e_check "the start asks to restore" grep -qF "$QUESTION" <<<"$box"
  local found
  found=$(e2e_driver wait "$RUN_MAIN" 30000) || { e2e_fail "no main window after the question"; e2e_end; }
}

run_start_launcher
kill_during_run

# "No": nothing is restored and the question stays for later; the leftover batch file goes.
start_and_answer No
e2e_expect_eq "NoErrorWarning after No" "$(run_stored NoErrorWarning)" "1"
e2e_check "the backup is still the user's file" cmp -s "$RUN_CONFIG/SplinterCell3_old.ini" "$user_ini"
e2e_check "the leftover lumenrig.bat was removed at the start" test ! -e "$RUN_SYSTEM/lumenrig.bat"

# A run now keeps the pending backup and puts it back at its end.
run_standin_control
run_click
e2e_check "the run ends" run_wait_idle 60
e2e_expect_eq "one report was opened" "$(run_opened_count)" "1"
run_check_restored

# Killed once more; this time the start-up restore answers "Yes".
kill_during_run
start_and_answer Yes
# The restore ends a moment after the answer (a pause, then the shell's move); clearing the
# flag is its last step.
e2e_expect_eq "NoErrorWarning after Yes" "$(e2e_poll run_stored NoErrorWarning -- 0)" "0"
e2e_check "the user's file is back byte for byte" cmp -s "$RUN_CONFIG/SplinterCell3.ini" "$user_ini"
e2e_check "no backup is left" test ! -e "$RUN_CONFIG/SplinterCell3_old.ini"
shot=$(e2e_screenshot run_killed_restored "$RUN_MAIN") && e2e_log "screenshot: $shot"
run_quit_launcher
e2e_end

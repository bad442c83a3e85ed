#!/usr/bin/env bash
# A start after a run that did not end (crash flag "1") offers to put the user's game
# configuration back. "No" changes nothing and the question comes again at the next start;
# "Yes" brings SplinterCell3_old.ini back as SplinterCell3.ini byte for byte and clears the
# flag; "Yes" without a backup changes nothing and keeps the flag. A leftover lumenrig.bat in
# the game's System folder is removed at every start and by the close command, not by the Exit
# picture.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: restore offer after an unfinished run" 1024x768
e2e_install_dist || e2e_end
launcher_install_game

user_ini="$E2E_ARTIFACTS/${E2E_NAME// /_}.user.ini"
generated_ini="$E2E_ARTIFACTS/${E2E_NAME// /_}.generated.ini"
# The user's own file: ANSI bytes and no line end at its end, kept exactly.
printf '[Engine.Engine]\r\n; tuned by hand \xe9\r\nGamma=1.234\r\nBrightness=0.6' > "$user_ini"
printf '[Engine.Engine]\r\nFullscreenViewportX=640\r\nFullscreenViewportY=480\r\n' > "$generated_ini"
cp "$user_ini" "$L_CONFIG/SplinterCell3_old.ini"
cp "$generated_ini" "$L_CONFIG/SplinterCell3.ini"
printf '@echo off\r\nSplintercell3.exe\r\n' > "$L_SYSTEM/lumenrig.bat"
launcher_settings NoErrorWarning 1

# --- Answered "No" ---------------------------------------------------------------------------
launcher_launch
launcher_answer No "$L_RESTORE_QUESTION" "the start asks to restore"
launcher_wait_main
e2e_expect_eq "No: the flag stays" "$(launcher_stored NoErrorWarning)" "1"
e2e_check "No: the backup is untouched" cmp -s "$L_CONFIG/SplinterCell3_old.ini" "$user_ini"
e2e_check "No: the generated file stays in place" cmp -s "$L_CONFIG/SplinterCell3.ini" "$generated_ini"
e2e_check "the leftover lumenrig.bat was removed" test ! -e "$L_SYSTEM/lumenrig.bat"
launcher_expect_state "the restore offer does not keep HSMapping's default from loading" \
  "Hardware Shadow Mapping" "enabled checked"
# The Exit picture ends the program at once: a batch file is left for the next start.
printf '@echo off\r\n' > "$L_SYSTEM/lumenrig.bat"
launcher_click Exit
e2e_check "the Exit picture ends the launcher" e2e_wait_exit "$E2E_PID" 30 >/dev/null
e2e_check "after Exit the batch file is still there" test -e "$L_SYSTEM/lumenrig.bat"

# --- The question comes again; answered "Yes" ------------------------------------------------
launcher_launch
launcher_answer Yes "$L_RESTORE_QUESTION" "the next start asks again"
launcher_wait_main
# The main window is up while the question shows; the restore (a pause, then the shell's move)
# ends a moment after the answer, and clearing the flag is its last step.
launcher_expect_stored "Yes: the flag is cleared" NoErrorWarning "0"
e2e_check "Yes: SplinterCell3.ini holds the backup's bytes" cmp "$L_CONFIG/SplinterCell3.ini" "$user_ini"
e2e_check "Yes: no SplinterCell3_old.ini is left" test ! -e "$L_CONFIG/SplinterCell3_old.ini"
sleep 0.5
e2e_expect_eq "Yes: no further message" "$(e2e_message_boxes)" ""
e2e_check "the batch file left by Exit was removed at the start" test ! -e "$L_SYSTEM/lumenrig.bat"
# The close command removes a batch file that appeared meanwhile.
printf '@echo off\r\n' > "$L_SYSTEM/lumenrig.bat"
launcher_quit
e2e_check "closing the window removed lumenrig.bat" test ! -e "$L_SYSTEM/lumenrig.bat"

# --- "Yes" without a backup --------------------------------------------------------------------
launcher_settings NoErrorWarning 1
launcher_launch
launcher_answer Yes "$L_RESTORE_QUESTION" "the question with no backup present"
launcher_wait_main
sleep 0.5
e2e_expect_eq "no backup: no further message" "$(e2e_message_boxes)" ""
e2e_check "no backup: the user's file stays" cmp -s "$L_CONFIG/SplinterCell3.ini" "$user_ini"
e2e_check "no backup: no SplinterCell3_old.ini appears" test ! -e "$L_CONFIG/SplinterCell3_old.ini"
e2e_expect_eq "no backup: the flag stays" "$(launcher_stored NoErrorWarning)" "1"
launcher_quit
e2e_end

#!/usr/bin/env bash
# Three files, the second answered 404, and the user skips it: the other two are installed, the
# second keeps its old version.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: a lost file skipped"
update_make_release
rm "$U_RELEASE/version.txt"
printf 'old notes\r\n' >"$E2E_INSTALL_DIR/changes.txt"
printf 'new notes\r\n' >"$U_RELEASE/changes.txt"
# By name: benchdata.bin, changes.txt, lumenrig.exe; the second is not on the server.
update_route /lumenrig/changes.txt status 404
update_publish 1.1 "Three files"

launcher_start
update_check
update_answer_question Yes
update_box Yes "Error #404" 'File changes.txt not found or inaccessible.\r\rTry to skip this file and continue upgrade?' \
  "the lost-file box names the file and the status"
update_wait_control "$U_WIZARD" "Upgrade completed!" "the wizard finishes with the other files" 60000
e2e_driver click "$U_WIZARD" "OK" >/dev/null
e2e_check "the launcher ends after OK" e2e_wait_exit "$E2E_PID" 30 >/dev/null
e2e_driver wait "$L_MAIN" 90000 >/dev/null || e2e_fail "the launcher did not start again"
e2e_check "the new launcher is installed" cmp -s "$U_RELEASE/lumenrig.exe" "$E2E_INSTALL_DIR/lumenrig.exe"
e2e_check "the third file is installed" cmp -s "$U_RELEASE/benchdata.bin" "$E2E_INSTALL_DIR/benchdata.bin"
e2e_expect_eq "the skipped file keeps its old version" "$(tr -d '\r' <"$E2E_INSTALL_DIR/changes.txt")" "old notes"
update_no_temp_files "no *.uTMP is left"
update_quit_any
e2e_end

#!/usr/bin/env bash
# A release file answered 401. The main window's update asks no password (its messages leave
# the password request out), so the file counts as lost: the box names it with "Error #401",
# No ends the update with "Update aborted." and nothing is installed.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: password-protected file"
update_make_release
mkdir -p "$U_WORK/protected"
mv "$U_RELEASE/benchdata.bin" "$U_WORK/protected/"
update_route /lumenrig/benchdata.bin auth subscriber:s3cret "$U_WORK/protected/benchdata.bin"
update_publish 1.1 "For subscribers" "$U_WORK/protected"

launcher_start
update_check
update_answer_question Yes
update_box No "Error #401" 'File benchdata.bin not found or inaccessible.\r\rTry to skip this file and continue upgrade?' \
  "the protected file counts as lost"
update_box OK "$L_MAIN" "Update aborted." "No ends the update"
e2e_expect_eq "no password dialog came" "$(e2e_driver list | grep -cF '"Enter password"')" "0"
e2e_expect_eq "the file was asked for once" "$(grep benchdata "$U_REQUESTS" | awk '{print $3}' | tr '\n' ' ')" "401 "
e2e_check "nothing was installed" test ! -e "$E2E_INSTALL_DIR/benchdata.bin"
update_no_temp_files "no *.uTMP is left"
launcher_quit
e2e_end

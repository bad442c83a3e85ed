#!/usr/bin/env bash
# The user cancels the wizard during a download and confirms: "Update aborted.", no "*.uTMP"
# left, nothing installed and the launcher runs on.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: cancel during the download"
update_make_release
cp "$E2E_INSTALL_DIR/lumenrig.exe" "$U_WORK/installed.exe"
rm "$U_RELEASE/version.txt"
# 300 KB in 4 KiB pieces every 200 ms: about 15 s, long enough to cancel in the middle.
update_route /lumenrig/benchdata.bin slow "$U_RELEASE/benchdata.bin" 200
update_publish 1.1 "Two files"

launcher_start
update_check
update_answer_question Yes
update_wait_control "$U_WIZARD" "Downloading 1 of 2" "the wizard downloads the first file"
sleep 1.5
e2e_check "a partial file is being written" \
  bash -c "find \"$E2E_INSTALL_DIR\" -maxdepth 1 -iname 'benchdata.bin.uTMP' | grep -q ."
e2e_driver click "$U_WIZARD" "Cancel" >/dev/null
update_box Yes "$L_MAIN" 'The update is not completed.\rWould you like to abort upgrading?' "the close confirmation"
update_box OK "$L_MAIN" "Update aborted." "the main window's answer to the abort"
e2e_check "the wizard is gone" e2e_driver waitgone "$U_WIZARD" 10000 >/dev/null
update_no_temp_files "no *.uTMP is left"
e2e_check "the launcher is unchanged" cmp -s "$U_WORK/installed.exe" "$E2E_INSTALL_DIR/lumenrig.exe"
e2e_check "nothing else was installed" test ! -e "$E2E_INSTALL_DIR/benchdata.bin"
e2e_check "the launcher runs on" kill -0 "$E2E_PID"
launcher_quit
e2e_end

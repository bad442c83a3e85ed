#!/usr/bin/env bash
# A newer version on the publisher's server, and the user says Yes: the wizard downloads the new
# launcher, a version.txt and a data file; OK on the finished page ends the launcher, the
# replacement program installs the files and the launcher starts again, showing the new
# version. The launcher lives under "C:\Program Files\Lumenrig" and a decoy "C:\Program.exe"
# waits for a command line that forgot its quotes: it never runs.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: download, install and restart"
update_make_release
cp "$E2E_TOOLS/e2ewindow.exe" "$WINEPREFIX/drive_c/Program.exe"
DECOY="Lumenrig e2e test window"
# The data file (the first, by name) comes slowly enough to see the downloading page.
update_route /lumenrig/benchdata.bin slow "$U_RELEASE/benchdata.bin" 40
update_publish 1.1 "Faster start-up"

launcher_start
launcher_expect_text "the running version" "$L_LABEL21" "1.0"
update_check
if e2e_driver wait "$U_WIZARD" 30000 >/dev/null; then
  update_wait_control "$U_WIZARD" "Yes" "the upgrade question has its Yes button"
  question=$(e2e_driver tree "$U_WIZARD" | tr -d '\r')
  e2e_check "the question names the program and the message" \
    grep -qF "Faster start-up" <<<"$question"
  grep -qF "$U_QUESTION_START" <<<"$question" || e2e_fail "the question does not start with \"$U_QUESTION_START\""
  update_shot update-question "$U_WIZARD"
  e2e_driver click "$U_WIZARD" "Yes" >/dev/null
else
  e2e_fail "no upgrade question came"
fi

update_wait_control "$U_WIZARD" "Downloading files..." "the wizard shows its downloading page"
update_wait_control "$U_WIZARD" "Downloading 1 of 3" "the wizard counts the files"
sleep 1  # a few pieces of the slow file in
update_shot update-wizard-downloading "$U_WIZARD"
update_wait_control "$U_WIZARD" "Upgrade completed!" "the wizard shows its finished page" 60000
finished=$(e2e_driver tree "$U_WIZARD" | tr -d '\r')
grep -qF "The update of $L_MAIN has been successfully completed." <<<"$finished" \
  || e2e_fail "the finished page lacks its note"
update_shot update-wizard-finished "$U_WIZARD"
e2e_driver click "$U_WIZARD" "OK" >/dev/null

e2e_check "the launcher ends after OK" e2e_wait_exit "$E2E_PID" 30 >/dev/null
if found=$(e2e_driver wait "$L_MAIN" 90000); then
  e2e_log "the launcher started again: $found"
  launcher_expect_text "the new version shows" "$L_LABEL21" "1.1"
  e2e_check "the restarted launcher got /afterupgrade" \
    bash -c "pgrep -af 'lumenrig.exe' | grep -qF '/afterupgrade'"
  update_shot update-restarted "$L_MAIN"
else
  e2e_fail "the launcher did not start again within 90 s"
  e2e_driver list | sed 's/^/    /'
fi
e2e_check "the new launcher is installed byte for byte" cmp -s "$U_RELEASE/lumenrig.exe" "$E2E_INSTALL_DIR/lumenrig.exe"
e2e_check "the data file is installed byte for byte" cmp -s "$U_RELEASE/benchdata.bin" "$E2E_INSTALL_DIR/benchdata.bin"
e2e_check "version.txt was taken in at start-up" test ! -e "$E2E_INSTALL_DIR/version.txt"
launcher_expect_stored "the stored program version" Programversion "1.1"
update_no_temp_files "no *.uTMP is left"
update_requests_in_proxy_form
if e2e_driver list | grep -qF "\"$DECOY\""; then e2e_fail "the decoy C:\\Program.exe ran"
else e2e_log "ok: the decoy C:\\Program.exe never ran"; fi
update_quit_any
e2e_end

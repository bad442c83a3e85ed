#!/usr/bin/env bash
# The launcher carries the publisher's key (the default build: the test key). Update
# information that is not signed is refused with our message and nothing is fetched; a signed
# release whose launcher file was changed on the way is refused after the download: the
# files in the program's folder stay byte-identical, nothing is left behind, nothing restarts.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: unsigned information and a tampered file"
update_make_release
cp -a "$E2E_INSTALL_DIR" "$U_WORK/installed"
NOT_SIGNED="The update information is not signed by the publisher of this program, so it was not used. Nothing was downloaded."
TAMPERED="The update file \"lumenrig.exe\" does not match the checksum the publisher gave. It was deleted, the update was stopped and nothing was installed."

launcher_start
update_info "#version=1.1\r\n#url1=$U_SITE/lumenrig/lumenrig.exe\r\n"
update_check
update_box OK "$U_WIZARD" "$NOT_SIGNED" "unsigned information is refused with our message"
sleep 0.5
e2e_expect_eq "no question and no other box followed" "$(e2e_message_boxes)" ""
e2e_expect_eq "only the info file was asked for" "$(cut -d' ' -f2 "$U_REQUESTS" | sed 's|.*/||' | tr '\n' ' ')" "update.txt "

# The signed release, and on the way the launcher file is swapped for one of the same size.
tampered=$U_WORK/tampered.exe
cp "$U_RELEASE/lumenrig.exe" "$tampered"
printf 'X' | dd of="$tampered" bs=1 seek=$(( $(stat -c %s "$tampered") - 2 )) conv=notrunc 2>/dev/null
: >"$U_ROUTES"
update_route /lumenrig/lumenrig.exe file "$tampered"
update_publish 1.1 "Faster start-up"
launcher_click '#606'
update_answer_question Yes
update_box OK "$U_WIZARD" "$TAMPERED" "the changed file is refused with our message"
e2e_check "the wizard is gone" e2e_driver waitgone "$U_WIZARD" 10000 >/dev/null
sleep 1
e2e_check "the program's folder is byte-identical" diff -r "$U_WORK/installed" "$E2E_INSTALL_DIR"
update_no_temp_files "no *.uTMP is left"
e2e_check "the launcher runs on, not restarted" kill -0 "$E2E_PID"
launcher_quit
e2e_end

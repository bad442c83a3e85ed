#!/usr/bin/env bash
# The publisher's info file offers the version that runs: the component's information box says
# so, and nothing is downloaded.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: no newer version"
update_make_release
update_publish 1.0 "The same again"
launcher_start
update_check
update_box OK "$U_WIZARD" 'Newer version not found. You actually are\rusing most recent version of this program.' \
  "the no-newer-version box"
sleep 0.5
e2e_expect_eq "only the info file was asked for" "$(cut -d' ' -f2 "$U_REQUESTS" | sed 's|.*/||' | tr '\n' ' ')" "update.txt "
update_requests_in_proxy_form
e2e_expect_eq "no other window or box" "$(e2e_message_boxes)" ""
update_no_temp_files "no *.uTMP"
launcher_quit
e2e_end

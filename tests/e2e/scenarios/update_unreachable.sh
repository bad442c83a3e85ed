#!/usr/bin/env bash
# The proxy names a port where nothing answers: the main window says "No internet connection."
# first, then the component's own box names the host.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/update/common.sh"

update_begin "update: server does not answer"
dead=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()')
launcher_start
update_check "$dead"
for ((i = 0; i < 100; i++)); do e2e_message_boxes | grep -qF "\"$L_MAIN\"" && break; sleep 0.1; done
boxes=$(e2e_message_boxes)
if grep -qF "\"$U_WIZARD\"" <<<"$boxes"; then e2e_fail "the component's box came before the window's was answered"; fi
update_box OK "$L_MAIN" "No internet connection." "the main window's message comes first"
update_box OK "$U_WIZARD" "Host $U_SITE unreachable.\\r\\rPlease check your Internet connection and\\rtry to upgrade this software again later." \
  "then the component's host-unreachable box"
sleep 0.5
e2e_expect_eq "no other box" "$(e2e_message_boxes)" ""
launcher_quit
e2e_end

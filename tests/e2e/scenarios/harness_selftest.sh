#!/usr/bin/env bash
# The harness checks itself against its own small window program: every driver command, the
# 32-bit registry helper, the ".htm" logger registration and the screenshot.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

TITLE="Lumenrig e2e test window"
e2e_begin "harness self-test" 800x600
e2e_register_htm_logger

e2e_start 'C:\lumenrig-e2e\e2ewindow.exe' 321 234
if ! found=$(e2e_driver wait "$TITLE" 20000); then
  e2e_fail "the test window did not appear"; e2e_end
fi
read -r _hwnd winpid <<<"$found"

e2e_expect_eq "client size" "$(e2e_driver client "$TITLE")" "321x234"
e2e_check "tree lists the nested check box with its state" \
  grep -q '^    .*class=Button "&Remember me" visible enabled unchecked' <<<"$(e2e_driver tree "$TITLE")"

e2e_driver click "$TITLE" "Remember me"
sleep 0.3
e2e_expect_eq "BM_CLICK toggles the check box" "$(e2e_driver state "$TITLE" "Remember me")" \
  "visible=1 enabled=1 checked=1"
e2e_expect_eq "the click reached the window's handler" "$(e2e_driver gettext "$TITLE" '#104')" "checked"

e2e_driver settext "$TITLE" '#103' "640×480 ok"
sleep 0.3
e2e_expect_eq "settext sets the edit" "$(e2e_driver gettext "$TITLE" '#103')" "640×480 ok"
e2e_expect_eq "settext notifies EN_CHANGE" "$(e2e_driver gettext "$TITLE" '#104')" "typed 640×480 ok"

e2e_driver leave "$TITLE" "Hot area"
sleep 0.3
e2e_expect_eq "WM_MOUSELEAVE reaches the control" "$(e2e_driver gettext "$TITLE" '#104')" \
  "left hot area"

e2e_driver click "$TITLE" "Remember me" --command
sleep 0.3
e2e_expect_eq "BN_CLICKED to the parent runs the handler" "$(e2e_driver gettext "$TITLE" '#104')" \
  "checked"

e2e_driver click "$TITLE" "Ask"
box=$(e2e_driver msgbox No 10000)
e2e_check "the message box's text is read" grep -qx "text: Proceed with the test?" <<<"$box"
sleep 0.3
e2e_expect_eq "the box was answered No" "$(e2e_driver gettext "$TITLE" '#104')" "answer no"

e2e_driver click "$TITLE" "Open report"
e2e_check "the report opening reached the .htm logger" bash -c '
  for i in $(seq 100); do grep -q "e2e report.htm" "$1" 2>/dev/null && exit 0; sleep 0.1; done; exit 1' _ "$(e2e_opened_log)"

e2e_reg32 'HKLM\Software\Tavorin\Lumenrig' Note REG_SZ "from the harness"
e2e_expect_eq "reg32 writes the 32-bit view" \
  "$(wine reg query 'HKLM\Software\Wow6432Node\Tavorin\Lumenrig' /v Note 2>/dev/null | awk '/Note/{$1="";$2="";sub(/^ +/,"");sub(/\r$/,"");print}')" \
  "from the harness"
e2e_expect_eq "reg32 query reads it back" "$(e2e_reg32_query 'HKLM\Software\Tavorin\Lumenrig' Note)" \
  "from the harness"

shot=$(e2e_screenshot harness_selftest) && e2e_log "screenshot: $shot" || e2e_fail "no screenshot"

exitfile=$E2E_ARTIFACTS/harness_selftest.exit
e2e_driver waitexit "$winpid" 10000 >"$exitfile" &
sleep 0.5
e2e_driver close "$TITLE"
e2e_check "the window goes away on SC_CLOSE" e2e_driver waitgone "$TITLE" 10000
wait $!
e2e_expect_eq "waitexit reports the exit code" "$(cat "$exitfile")" "exit 7"
e2e_expect_eq "the Linux process ended with it" "$(e2e_wait_exit "$E2E_PID" 10)" "7"
e2e_end

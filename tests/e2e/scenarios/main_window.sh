#!/usr/bin/env bash
# The launcher starts, shows its main window after the splash, has the designed client size,
# and ends when the window gets the system's close command.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

MAIN="Tavorin Splinter Cell CT Benchmark"
e2e_begin "main window opens and closes" 1024x768
e2e_install_dist || e2e_end

e2e_start "$E2E_INSTALL_WIN\\lumenrig.exe"
if ! found=$(e2e_driver wait "$MAIN" 60000); then
  e2e_fail "the main window did not appear within 60 s"
  e2e_screenshot main_window_missing >/dev/null
  e2e_driver list | sed 's/^/    /'
  e2e_end
fi
appeared=$(date +%s.%N)
read -r _hwnd winpid <<<"$found"

# The splash blocks start-up for 4000 ms before the main window exists.
e2e_check "the main window came after the 4 s splash" \
  awk -v a="$appeared" -v s="$E2E_START_TIME" 'BEGIN { exit !(a - s >= 4.0) }'
e2e_expect_eq "client size" "$(e2e_driver client "$MAIN")" "503x488"
shot=$(e2e_screenshot main_window) && e2e_log "screenshot: $shot" || e2e_fail "no screenshot"

exitfile=$E2E_ARTIFACTS/main_window.exit
e2e_driver waitexit "$winpid" 20000 >"$exitfile" &
waiter=$!
sleep 0.3
e2e_driver close "$MAIN"
e2e_check "the main window goes away on SC_CLOSE" e2e_driver waitgone "$MAIN" 15000
wait "$waiter"
e2e_check "the launcher's process ended" grep -q '^exit ' "$exitfile"
e2e_check "the process under Linux ended too" e2e_wait_exit "$E2E_PID" 15 >/dev/null
e2e_end

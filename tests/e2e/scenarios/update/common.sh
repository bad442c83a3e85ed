# Steps shared by the scenarios of the online update (sourced after tests/e2e/lib.sh).
#
# The publisher's web server is ours (tests/e2e/update/update_server.py); the launcher reaches
# it through its own proxy settings on the update page, as a user behind a proxy would, so the
# info file's address "http://www.tavorin.example/lumenrig/update.txt" needs no name lookup and
# the product no test switch. Routes of the server live in $U_ROUTES (update_route).

source "$(dirname "${BASH_SOURCE[0]}")/../launcher/common.sh"

U_WIZARD="Application update wizard"
U_SITE="http://www.tavorin.example"
U_QUESTION_START="A newer version of $L_MAIN was released."
U_WORK=""
U_ROUTES=""
U_REQUESTS=""
U_PORT=""
U_RELEASE=""
# The publisher's tool and the test key pair that the default build carries.
: "${E2E_PUBLISH:=$E2E_REPO/build/native/tools/publish-update/publish-update}"
U_SECRET=$E2E_REPO/keys/TEST-ONLY-publisher.secret
U_PUBLIC=$E2E_REPO/keys/TEST-ONLY-publisher.public

# update_begin NAME: a fresh prefix with the game and the launcher (version 1.0) installed, and
# the publisher's server running.
update_begin() {
  e2e_begin "$1" 1024x768
  e2e_install_dist || e2e_end
  launcher_install_game
  launcher_settings Programversion 1.0
  U_WORK="$E2E_WORK/update-$(tr -c 'A-Za-z0-9\n' '_' <<<"$1")"
  rm -rf "$U_WORK"
  mkdir -p "$U_WORK"
  U_ROUTES=$U_WORK/routes
  U_REQUESTS=$U_WORK/requests.log
  : >"$U_ROUTES"
  : >"$U_REQUESTS"
  python3 "$E2E_REPO/tests/e2e/update/update_server.py" "$U_WORK/port" "$U_ROUTES" "$U_REQUESTS" 600 &
  E2E_STARTED_PIDS+=("$!")
  local i
  for ((i = 0; i < 100; i++)); do [[ -s $U_WORK/port ]] && break; sleep 0.05; done
  U_PORT=$(cat "$U_WORK/port" 2>/dev/null)
  [[ -n $U_PORT ]] || { e2e_fail "the update server did not start"; e2e_end; }
}

# update_route PATH KIND ARGS...: one more route of the server (see update_server.py).
update_route() { echo "$*" >>"$U_ROUTES"; }

# update_info TEXT: the info file the server answers for /lumenrig/update.txt, as written
# (printf escapes, so "\r\n" ends a line), unsigned.
update_info() {
  printf '%b' "$1" >"$U_WORK/update.txt"
  update_route /lumenrig/update.txt file "$U_WORK/update.txt"
}

# update_publish VERSION MESSAGE [FOLDER]: the publisher's signed info file for the files of
# FOLDER (default $U_RELEASE), served from $U_SITE/lumenrig/, each file served by its name
# unless a route for it is already there. The tool lists the files by name.
update_publish() {
  local folder=${3:-$U_RELEASE} f
  [[ -x $E2E_PUBLISH ]] || { e2e_fail "no publisher's tool at $E2E_PUBLISH"; return 1; }
  "$E2E_PUBLISH" make "$folder" "$U_SITE/lumenrig" "$1" "$2" >"$U_WORK/update.txt" \
    && "$E2E_PUBLISH" sign "$U_SECRET" "$U_WORK/update.txt" >/dev/null \
    || { e2e_fail "the publisher's tool could not write the info file"; return 1; }
  update_route /lumenrig/update.txt file "$U_WORK/update.txt"
  for f in "$folder"/*; do
    grep -q "^/lumenrig/$(basename "$f") " "$U_ROUTES" || update_route "/lumenrig/$(basename "$f")" file "$f"
  done
}

# update_make_release: a release 1.1 in $U_RELEASE: the same launcher with bytes appended (so
# it still runs, and differs from the installed one), a version.txt and a data file.
update_make_release() {
  U_RELEASE=$U_WORK/release
  mkdir -p "$U_RELEASE"
  cp "$E2E_INSTALL_DIR/lumenrig.exe" "$U_RELEASE/lumenrig.exe"
  printf 'Lumenrig release 1.1 %s\n' "$(date +%s%N)" >>"$U_RELEASE/lumenrig.exe"
  printf '1.1\r\n' >"$U_RELEASE/version.txt"
  head -c 300000 /dev/urandom >"$U_RELEASE/benchdata.bin"
}

# update_check [PORT]: the update page, the proxy set to the server (or to PORT), and the
# "Update benchmark" button of the page.
update_check() {
  local port=${1:-$U_PORT}
  launcher_show_page "Update benchmark" 3
  [[ $(launcher_state "Use Proxy  Server") == *unchecked ]] && launcher_click "Use Proxy  Server"
  launcher_expect_state "the proxy is switched on" "Use Proxy  Server" "enabled checked"
  launcher_type "$L_PROXYSERVER" 127.0.0.1
  launcher_type "$L_PROXYPORT" "$port"
  launcher_click '#606'
}

# update_answer_question BUTTON: waits for the upgrade question and presses Yes or Later.
update_answer_question() {
  if e2e_driver wait "$U_WIZARD" 30000 >/dev/null && update_wait_control "$U_WIZARD" "$1" "the upgrade question"; then
    e2e_driver click "$U_WIZARD" "$1" >/dev/null
  fi
}

# update_box BUTTON TITLE EXPECTED DESCRIPTION: waits for a message box with that title and
# button, checks its text (a carriage return inside it written as \r) and presses BUTTON.
update_box() {
  local out text
  if ! out=$(e2e_driver msgbox "$1" 60000 --title "$2"); then
    e2e_fail "$4: no message box \"$2\" with a \"$1\" button came"
    return 1
  fi
  text=$(sed -n 's/\r$//; s/^text: //p' <<<"$out" | sed 's/\r/\\r/g')
  e2e_expect_eq "$4" "$text" "$3"
}

# update_wait_control WINDOW TEXT DESCRIPTION [MS]: waits for a control with that text.
update_wait_control() {
  if e2e_driver waitcontrol "$1" "$2" "${4:-30000}" >/dev/null; then e2e_log "ok: $3"
  else e2e_fail "$3"; return 1; fi
}

# update_shot NAME WINDOW: a screenshot of the window under the artifacts, path in the log.
update_shot() {
  local shot
  shot=$(e2e_screenshot "$1" "$2") && e2e_log "screenshot: $shot" || e2e_fail "no screenshot of $2"
}

# update_no_temp_files DESCRIPTION: no "*.uTMP" is left in the program's folder.
update_no_temp_files() {
  local left
  left=$(find "$E2E_INSTALL_DIR" -maxdepth 1 -iname '*.uTMP' -printf '%f ' 2>/dev/null)
  e2e_expect_eq "$1" "${left:-none}" "none"
}

# update_requests_in_proxy_form: every request reached the server as a proxy request.
update_requests_in_proxy_form() {
  local bad
  bad=$(grep -vE "^[A-Z]+ http://www\.tavorin\.example(:80)?/" "$U_REQUESTS" || true)
  e2e_expect_eq "every request came through the proxy settings" "${bad:-none}" "none"
}

# update_quit_any: closes whatever main window runs now (the restarted launcher is not a
# child of this script) and waits until it is gone.
update_quit_any() {
  e2e_driver close "$L_MAIN" >/dev/null 2>&1
  e2e_driver waitgone "$L_MAIN" 20000 >/dev/null 2>&1 || e2e_fail "the launcher did not end"
}

# Steps shared by the scenarios of the launcher's start-up and option pages (sourced after
# tests/e2e/lib.sh).
#
# Controls are found the way a user or a screen reader finds them: check boxes, radio items
# and buttons by their captions; text boxes, which have no caption of their own, by their ids
# (src/ui/ControlIds.h). The window handles clicks and notifications in the order they were
# posted, so a check waits (a few seconds at most) for the state that an action should bring,
# and a check that something did NOT change is made after a later action's effect was seen.

L_MAIN="Tavorin Splinter Cell CT Benchmark"
L_KEY='HKLM\Software\Tavorin\Lumenrig'
L_GAME_KEY="HKLM\\Software\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
L_INSTALL_WIN="C:\\Program Files\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
L_WRONG_VERSION="Please update your Splinter Cell game to the latest 1.5 version. More information and download links in the help file. The program abort."
L_RESTORE_QUESTION="The last time an error occured. Do you wish to restore the original settings?"

# Text boxes and other controls without a caption of their own.
L_SC3PATH='#301'
L_RESEDIT='#302'
L_NOTE='#304'
L_LABEL21='#306'
L_DEMOEDIT='#403'
L_DEMOBUTTON='#404'
L_MAPNAME='#405'
L_PROXYSERVER='#601'
L_PROXYPORT='#602'
L_PROXYUSER='#603'
L_PROXYPASS='#604'

L_RES_CAPTIONS=("640 × 480" "800 × 600" "1024 × 768" "1280 × 1024" "1600 × 1200" "2048 × 1536")
L_RES_VALUES=(640 800 1024 1280 1600 2048)

# Unix paths inside the prefix, set by launcher_install_game.
L_SYSTEM=""
L_CONFIG=""

# The all-users application data folder of the prefix, where the game keeps its configuration.
launcher_config_folder() {
  echo "$WINEPREFIX/drive_c/ProgramData/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory"
}

# launcher_install_game [VERSION]: the game's two registry keys (32-bit view) and its folders.
# With VERSION "-" the Versions key gets no SplinterCell3 value.
launcher_install_game() {
  local version=${1:-1.05.157}
  L_SYSTEM="$WINEPREFIX/drive_c/Program Files/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory/system"
  L_CONFIG=$(launcher_config_folder)
  mkdir -p "$L_SYSTEM" "$L_CONFIG"
  e2e_reg32 "$L_GAME_KEY" InstallDir REG_SZ "$L_INSTALL_WIN"
  if [[ $version == - ]]; then
    wine reg add "$L_GAME_KEY\\Versions" /f /reg:32 >/dev/null
  else
    e2e_reg32 "$L_GAME_KEY\\Versions" SplinterCell3 REG_SZ "$version"
  fi
}

# launcher_settings NAME VALUE ...: string values of the launcher's own key.
launcher_settings() {
  while [[ $# -gt 0 ]]; do e2e_reg32 "$L_KEY" "$1" REG_SZ "$2"; shift 2; done
}

# launcher_stored NAME: the stored text exactly (ANSI texts and line breaks included),
# "<missing>" when the value is not there.
launcher_stored() { e2e_reg32_get "$L_KEY" "$1" || echo "<missing>"; }

launcher_key_exists() { wine reg query "$L_KEY" /reg:32 >/dev/null 2>&1; }

# Starts the launcher without waiting for anything.
launcher_launch() { e2e_start "$E2E_INSTALL_WIN\\lumenrig.exe"; }

# Waits for the main window (it comes after the 4 s splash); ends the scenario without it.
launcher_wait_main() {
  local found
  if ! found=$(e2e_driver wait "$L_MAIN" 60000); then
    e2e_fail "the main window did not appear within 60 s"
    e2e_screenshot "${E2E_NAME// /_}-no-window" >/dev/null
    e2e_driver list | sed 's/^/    /'
    e2e_end
  fi
  read -r _hwnd L_PID <<<"$found"
}

launcher_start() { launcher_launch; launcher_wait_main; }

# Closes the main window with the system's close command and waits for the program to end,
# so that the next start finds no launcher running.
launcher_quit() {
  e2e_driver close "$L_MAIN" >/dev/null
  if ! e2e_wait_exit "$E2E_PID" 30 >/dev/null; then
    e2e_fail "the launcher did not end after the close command"
    kill -KILL "$E2E_PID" 2>/dev/null
    e2e_wait_exit "$E2E_PID" 10 >/dev/null
  fi
}

# launcher_answer BUTTON EXPECTED_TEXT DESCRIPTION: waits for a message box, checks that its
# text is exactly EXPECTED_TEXT and presses BUTTON.
launcher_answer() {
  local out text
  if ! out=$(e2e_driver msgbox "$1" 60000 | tr -d '\r'); then
    e2e_fail "$3: no message box with a \"$1\" button came"
    return 1
  fi
  text=$(sed -n 's/^text: //p' <<<"$out")
  e2e_expect_eq "$3" "$text" "$2"
}

# launcher_state CTRL: "enabled checked", "disabled unchecked", ... of a control.
launcher_state() {
  local s
  s=$(e2e_driver state "$L_MAIN" "$1" 2>/dev/null | tr -d '\r') || { echo "<no control>"; return; }
  local e=disabled c=unchecked
  [[ $s == *enabled=1* ]] && e=enabled
  [[ $s == *checked=1* ]] && c=checked
  echo "$e $c"
}

# launcher_visible CTRL: 1 when the control is visible, else 0.
launcher_visible() {
  if e2e_driver state "$L_MAIN" "$1" 2>/dev/null | grep -q 'visible=1'; then echo 1; else echo 0; fi
}

# launcher_text CTRL: the control's window text.
launcher_text() { e2e_driver gettext "$L_MAIN" "$1" 2>/dev/null | tr -d '\r'; }

# launcher_expect_state DESCRIPTION CTRL "enabled checked": waits for that state.
launcher_expect_state() {
  e2e_expect_eq "$1" "$(e2e_poll launcher_state "$2" -- "$3")" "$3"
}

# launcher_expect_text DESCRIPTION CTRL TEXT: waits for that window text.
launcher_expect_text() {
  e2e_expect_eq "$1" "$(e2e_poll launcher_text "$2" -- "$3")" "$3"
}

# launcher_expect_stored DESCRIPTION NAME TEXT: waits for that stored value.
launcher_expect_stored() {
  e2e_expect_eq "$1" "$(e2e_poll launcher_stored "$2" -- "$3")" "$3"
}

# launcher_page ITEM: opens the navigation group that holds the item if needed and clicks it.
launcher_page() {
  local group=Options
  case $1 in "Benchmark help" | "Our Sponsor" | "Update benchmark" | "About..." | Homepage) group=Help ;; esac
  local item=$1
  [[ $group == Help && $item == "Update benchmark" ]] && item='#123'
  if [[ $(launcher_visible "$item") != 1 ]]; then
    e2e_driver click "$L_MAIN" "$group" >/dev/null
    e2e_poll launcher_visible "$item" -- 1 >/dev/null
  fi
  e2e_driver click "$L_MAIN" "$item" >/dev/null
}

# launcher_show_page ITEM PAGE: as launcher_page, and waits until page PAGE (0 to 6) shows.
launcher_show_page() {
  launcher_page "$1"
  local got
  [[ $(e2e_poll launcher_visible "#$((200 + $2))" -- 1) == 1 ]] \
    || e2e_fail "\"$1\" did not show page $2"
}

# launcher_click CTRL: a click on a check box, radio item or button.
launcher_click() { e2e_driver click "$L_MAIN" "$1" >/dev/null; }

# launcher_leave CTRL: the mouse pointer leaves the control (or group).
launcher_leave() { e2e_driver leave "$L_MAIN" "$1" >/dev/null; }

# launcher_type CTRL TEXT: the text box's content becomes TEXT, as after a keystroke.
launcher_type() { e2e_driver settext "$L_MAIN" "$1" "$2" >/dev/null; }

# launcher_snapshot: takes the window's whole control tree once, for the launcher_snap_* helpers
# (one driver call instead of one per control).
L_TREE=""
launcher_snapshot() { L_TREE=$(e2e_driver tree "$L_MAIN" 2>/dev/null | tr -d '\r'); }

# The snapshot's line of a control: "#ID" by id, anything else by its exact caption.
_launcher_snap_line() {
  if [[ $1 == \#* ]]; then grep -m1 -E "^ *0x[0-9a-f]+ id=${1#\#} " <<<"$L_TREE"
  else grep -m1 -F "\"$1\" " <<<"$L_TREE"; fi
}

# launcher_snap_state CTRL: "enabled checked" etc. in the snapshot (text boxes are "unchecked").
launcher_snap_state() {
  local line e=disabled c=unchecked
  line=$(_launcher_snap_line "$1") || { echo "<no control>"; return; }
  [[ $line == *'" visible enabled'* || $line == *'" hidden enabled'* ]] && e=enabled
  [[ $line == *' checked at '* ]] && c=checked
  echo "$e $c"
}

# launcher_snap_text CTRL: the control's text in the snapshot (single-line texts only).
launcher_snap_text() { _launcher_snap_line "$1" | sed -E 's/^[^"]*"(.*)" (visible|hidden) .*$/\1/'; }

# _launcher_snap_mismatches CTRL "STATE" ... [-- CTRL "TEXT" ...]: one line per control of the
# snapshot that differs from what is given.
_launcher_snap_mismatches() {
  local got
  while [[ $# -gt 0 && $1 != -- ]]; do
    got=$(launcher_snap_state "$1")
    [[ $got == "$2" ]] || echo "$1 is \"$got\", expected \"$2\""
    shift 2
  done
  [[ ${1:-} == -- ]] && shift
  while [[ $# -gt 0 ]]; do
    got=$(launcher_snap_text "$1")
    [[ $got == "$2" ]] || echo "text of $1 is \"$got\", expected \"$2\""
    shift 2
  done
}

# launcher_expect_snapshot DESCRIPTION CTRL "STATE" ... [-- CTRL "TEXT" ...]: takes a snapshot
# and compares every named control with it; one line when all match, one failure per mismatch.
# A snapshot that differs is taken again for up to 5 s (what a user sees a moment after the
# window appeared is what counts); a match that needed a second look is logged as such.
launcher_expect_snapshot() {
  local what=$1 bad first="" deadline=$((SECONDS + 5)) tries=0 line; shift
  while :; do
    launcher_snapshot
    tries=$((tries + 1))
    bad=$(_launcher_snap_mismatches "$@")
    [[ -z $bad ]] && break
    [[ -z $first ]] && first=$bad
    ((SECONDS < deadline)) || break
    sleep 0.3
  done
  if [[ -z $bad ]]; then
    e2e_log "ok: $what$( ((tries > 1)) && echo " (matched at snapshot $tries; the first had: $(paste -sd';' <<<"$first"))")"
    return 0
  fi
  while IFS= read -r line; do e2e_fail "$what: $line"; done <<<"$bad"
  return 1
}

# launcher_expect_designed_state DESCRIPTION: the option controls as the window was designed,
# before start-up loads anything: nothing chosen, nothing checked, every box empty.
launcher_expect_designed_state() {
  local args=() c
  for c in "${L_RES_CAPTIONS[@]}" "Ubisoft Lighthouse" "Voru3V 2 demo" "Voru3V 3 demo" \
           "User defined demo" "Shader 1.1" "Shader 2.0 (Only on ATI)" "Shader 3.0 (Read the help)" \
           "$L_MAPNAME" "Parallax Mapping" "HQ Soft Shadows" "Enable HDR (Pixel Shader 3 only)" \
           "Tone Mapping" "Use Proxy  Server" "$L_PROXYSERVER" "$L_PROXYPORT" "$L_PROXYUSER" \
           "$L_PROXYPASS" "Hardware Shadow Mapping" "Add additional information"; do
    args+=("$c" "enabled unchecked")
  done
  args+=("$L_DEMOEDIT" "disabled unchecked" "$L_DEMOBUTTON" "disabled unchecked" --)
  for c in "$L_RESEDIT" "$L_NOTE" "$L_DEMOEDIT" "$L_MAPNAME" "$L_PROXYSERVER" "$L_PROXYPORT" \
           "$L_PROXYUSER" "$L_PROXYPASS"; do
    args+=("$c" "")
  done
  args+=("$L_LABEL21" "version")
  launcher_expect_snapshot "$1: every option control as designed" "${args[@]}"
}

# launcher_expect_page N: page N (0 to 6) is the one page that shows.
launcher_expect_page() {
  local n shown=""
  for n in 0 1 2 3 4 5 6; do [[ $(launcher_visible "#$((200 + n))") == 1 ]] && shown+="$n"; done
  e2e_expect_eq "the page that shows" "$shown" "$1"
}

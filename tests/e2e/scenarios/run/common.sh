# Steps shared by the benchmark run's scenarios (sourced after tests/e2e/lib.sh).
#
# The game is the stand-in Splintercell3.exe, installed where a retail copy goes (a path with
# blanks and an apostrophe, as the launcher meets it on real machines). Its behaviour
# switches go into StandinControl.txt beside it (run_standin_control).

RUN_MAIN="Tavorin Splinter Cell CT Benchmark"
RUN_KEY='HKLM\Software\Tavorin\Lumenrig'
RUN_GAME_KEY="HKLM\\Software\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
RUN_INSTALL_WIN="C:\\Program Files\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
RUN_SYSTEM_WIN="$RUN_INSTALL_WIN\\system\\"
RUN_BUTTON="Run benchmark"
RUN_LABEL4='#'  # filled by run_begin from the main window's tree

# Unix paths inside the prefix, set by run_install_game.
RUN_SYSTEM=""
RUN_CONFIG=""
RUN_RESULTS=""

# The stand-in game: beside the e2e tools' build, or where E2E_STANDIN points.
run_standin_game() {
  local exe=${E2E_STANDIN:-$E2E_TOOLS/../standin/Splintercell3.exe}
  [[ -f $exe ]] && echo "$exe"
}

# run_install_game USER_INI_BYTES: the stand-in as game version 1.05.157, the user's own
# SplinterCell3.ini with the given content (printf format), the logger for ".htm" (unless
# RUN_HTM_LOGGER=0: then the prefix's own program opens the report, Wine's browser).
run_install_game() {
  local exe
  exe=$(run_standin_game) || { e2e_fail "no stand-in game (Splintercell3.exe) was built"; return 1; }
  RUN_SYSTEM="$WINEPREFIX/drive_c/Program Files/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory/system"
  mkdir -p "$RUN_SYSTEM"
  cp "$exe" "$RUN_SYSTEM/Splintercell3.exe"
  RUN_CONFIG="$WINEPREFIX/drive_c/ProgramData/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory"
  mkdir -p "$RUN_CONFIG"
  printf "$1" > "$RUN_CONFIG/SplinterCell3.ini"
  cp "$RUN_CONFIG/SplinterCell3.ini" "$E2E_ARTIFACTS/${E2E_NAME// /_}.user.ini"
  RUN_RESULTS="$E2E_INSTALL_DIR/Benchmark"
  e2e_reg32 "$RUN_GAME_KEY" InstallDir REG_SZ "$RUN_INSTALL_WIN"
  e2e_reg32 "$RUN_GAME_KEY\\Versions" SplinterCell3 REG_SZ 1.05.157
  if [[ ${RUN_HTM_LOGGER:-1} == 1 ]]; then e2e_register_htm_logger; fi
}

# run_settings NAME VALUE ...: string values of the launcher's own key.
run_settings() {
  while [[ $# -gt 0 ]]; do e2e_reg32 "$RUN_KEY" "$1" REG_SZ "$2"; shift 2; done
}

# run_choose WIDTH...: checks exactly these resolutions (the others are stored "0").
run_choose() {
  local w
  for w in 640 800 1024 1280 1600 2048; do run_settings "$w" 0; done
  for w in "$@"; do run_settings "$w" 1; done
}

# run_standin_control LINES...: the stand-in's behaviour switches, one "key=value" per line.
run_standin_control() {
  printf '%s\r\n' "log=C:\\lumenrig-e2e\\standin.log" "$@" > "$RUN_SYSTEM/StandinControl.txt"
}
run_standin_log() { tr -d '\r' < "$WINEPREFIX/drive_c/lumenrig-e2e/standin.log" 2>/dev/null; }

# run_stored NAME: a value of the launcher's key, "<missing>" when it is not there.
run_stored() {
  e2e_reg32_query "$RUN_KEY" "$1" 2>/dev/null || echo "<missing>"
}

# Starts the launcher and waits for its main window (after the 4 s splash).
run_start_launcher() {
  e2e_start "$E2E_INSTALL_WIN\\lumenrig.exe"
  local found
  if ! found=$(e2e_driver wait "$RUN_MAIN" 60000); then
    e2e_fail "the main window did not appear within 60 s"
    e2e_screenshot "${E2E_NAME// /_}-no-window" >/dev/null
    e2e_end
  fi
  read -r _hwnd RUN_PID <<<"$found"
}

run_button_enabled() { e2e_driver state "$RUN_MAIN" "$RUN_BUTTON" 2>/dev/null | grep -q 'enabled=1'; }
run_button_disabled() { e2e_driver state "$RUN_MAIN" "$RUN_BUTTON" 2>/dev/null | grep -q 'enabled=0'; }
run_panel_visible() { e2e_driver state "$RUN_MAIN" "Benchmarking in progress..." 2>/dev/null | grep -q 'visible=1'; }
run_opened_count() { local f; f=$(e2e_opened_log); [[ -f $f ]] && grep -c . "$f" || echo 0; }

# Clicks the run button.
run_click() { e2e_driver click "$RUN_MAIN" "$RUN_BUTTON" >/dev/null; }

# run_wait_idle SECONDS: waits until the run button is enabled again after a run; fails on
# timeout. Message boxes that come up meanwhile are answered by the caller.
run_wait_idle() {
  local i
  sleep 0.5
  for ((i = 0; i < $1 * 5; i++)); do
    if run_button_enabled; then return 0; fi
    sleep 0.2
  done
  return 1
}

# The report files in the results folder, newest last.
run_reports() { ls -1tr "$RUN_RESULTS"/result_*.htm 2>/dev/null; }

# Closes the main window and waits for the program to end.
run_quit_launcher() {
  e2e_driver close "$RUN_MAIN" >/dev/null
  e2e_check "the launcher ended" e2e_wait_exit "$E2E_PID" 30 >/dev/null
}

# The user's configuration is back byte for byte and nothing of the run is left over.
run_check_restored() {
  e2e_check "the user's SplinterCell3.ini is back byte for byte" \
    cmp -s "$RUN_CONFIG/SplinterCell3.ini" "$E2E_ARTIFACTS/${E2E_NAME// /_}.user.ini"
  e2e_check "no SplinterCell3_old.ini is left" test ! -e "$RUN_CONFIG/SplinterCell3_old.ini"
  e2e_check "no lumenrig.bat is left" test ! -e "$RUN_SYSTEM/lumenrig.bat"
  e2e_check "no TimeDemoResult file is left" \
    bash -c "! ls \"\$1\"/TimeDemoResult.* >/dev/null 2>&1" _ "$RUN_SYSTEM"
  e2e_expect_eq "NoErrorWarning after the run" "$(run_stored NoErrorWarning)" "0"
}

# run_report_sections FILE: the resolutions of the report's sections, one per line ("640x480").
run_report_sections() {
  iconv -f CP1252 -t UTF-8 "$1" | tr -d '\r' |
    sed -n 's/^<BR><B><FONT size=5>Resolution: \([0-9]*\)×\([0-9]*\)<\/FONT><\/B><BR>$/\1x\2/p'
}

# A whole benchmark for a demonstration (scripts/run): run_prepare_demo before the launcher
# starts, run_demo_benchmark once its main window is there.
#
# run_prepare_demo WIDTH...: installs the stand-in game (after e2e_install_dist) and checks
# the given resolutions, with the first built-in demo and shader 1.1.
run_prepare_demo() {
  run_install_game '[Engine.Engine]\r\n; your own game settings, put back after the run\r\n' || return 1
  run_standin_control
  run_choose "$@"
  run_settings Demo 1 ShaderProfile 1 Note "Lumenrig demonstration with the stand-in game"
}

# run_demo_benchmark: clicks "Run benchmark", waits for the end of the run (up to 3 min),
# and prints the report's path, Linux and Windows. Fails when no report was written.
run_demo_benchmark() {
  run_click
  run_wait_idle 180 || { echo "the run did not end within 3 minutes" >&2; return 1; }
  local report
  report=$(run_reports | tail -1)
  [[ -n $report ]] || { echo "the run wrote no report" >&2; return 1; }
  echo "$report"
  winepath -w "$report" 2>/dev/null
}

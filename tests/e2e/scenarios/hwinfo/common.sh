# Steps shared by the hardware dialog's scenarios (sourced after tests/e2e/lib.sh).

HW_MAIN="Tavorin Splinter Cell CT Benchmark"
HW_DIALOG="Information"
HW_KEY='HKLM\Software\Tavorin\Lumenrig'
HW_NO_INFO="Currently there are no stored information."
HW_IDLE="Click to Get Info button to get more exact hardware information."
HW_COLLECTING="Collecting hardware information, please wait..."
HW_COLLECTED="Information collected. Click to Save & Close button to save datas into the registry."
HW_MEMO='#203'
HW_STATUS='#204'

# Starts the launcher and waits for its main window.
hw_start_launcher() {
  e2e_start "$E2E_INSTALL_WIN\\lumenrig.exe"
  if ! found=$(e2e_driver wait "$HW_MAIN" 60000); then
    e2e_fail "the main window did not appear within 60 s"
    e2e_screenshot hwinfo_main_missing >/dev/null
    e2e_end
  fi
  read -r _hwnd HW_PID <<<"$found"
}

# Opens page 6 and presses "View additional information"; waits for the dialog.
hw_open_dialog() {
  e2e_driver click "$HW_MAIN" "Options" >/dev/null
  sleep 0.3
  e2e_driver click "$HW_MAIN" "Add. settings" >/dev/null
  sleep 0.3
  e2e_driver click "$HW_MAIN" "View additional information" >/dev/null
  if ! e2e_driver wait "$HW_DIALOG" 10000 >/dev/null; then
    e2e_fail "the hardware dialog did not open"
    e2e_screenshot hwinfo_dialog_missing >/dev/null
    e2e_end
  fi
}

hw_text() { e2e_driver gettext "$HW_DIALOG" "$1" | tr -d '\r'; }

# Presses "Get info" and waits until the collection has ended (up to 60 s).
hw_get_info() {
  e2e_driver click "$HW_DIALOG" "Get info" >/dev/null
  local i status
  for ((i = 0; i < 300; i++)); do
    status=$(hw_text "$HW_STATUS")
    [[ -n $status && $status != "$HW_COLLECTING" ]] && return 0
    sleep 0.2
  done
  e2e_fail "the collection did not end within 60 s"
  return 1
}

# The memo's line N (1-based).
hw_memo_line() { hw_text "$HW_MEMO" | sed -n "${1}p"; }

# Closes the main window and waits for the program to end.
hw_quit_launcher() {
  e2e_driver close "$HW_MAIN" >/dev/null
  e2e_check "the launcher ended" e2e_wait_exit "$E2E_PID" 30 >/dev/null
}

# Where the stand-in dxdiag.exe is: beside the e2e tools when the build put it there,
# otherwise built here from its source.
hw_fixture_dxdiag() {
  local built=${E2E_TOOLS}/dxdiag.exe
  if [[ -f $built ]]; then echo "$built"; return 0; fi
  local out=$E2E_WORK/fixture-dxdiag/dxdiag.exe src=$E2E_REPO/tests/fixtures/dxdiag
  mkdir -p "$(dirname "$out")"
  if [[ ! -f $out || $src/dxdiag.cpp -nt $out || $src/windows-dxdiag.txt -nt $out ]]; then
    x86_64-w64-mingw32-g++ -O2 -static -s -DLUMENRIG_DXDIAG_REPORT="\"$src/windows-dxdiag.txt\"" \
      -o "$out" "$src/dxdiag.cpp" || return 1
  fi
  echo "$out"
}

# hw_stored NAME: a value of the program's key (32-bit view), "<missing>" when it is not
# there; names may hold blanks.
hw_stored() {
  wine reg query "$HW_KEY" /v "$1" /reg:32 2>/dev/null | tr -d '\r' |
    awk -v v="$1" '{ line = $0; sub(/^[ \t]+/, "", line)
                     if (index(line, v) == 1) { rest = substr(line, length(v) + 1)
                       if (match(rest, /^[ \t]+REG_[A-Z_]+/)) { rest = substr(rest, RLENGTH + 1)
                         sub(/^[ \t]+/, "", rest); print rest; found = 1; exit } } }
         END { if (!found) print "<missing>" }'
}

# The stand-in game: beside the e2e tools' build, or where E2E_STANDIN points.
hw_standin_game() {
  local exe=${E2E_STANDIN:-$E2E_TOOLS/../standin/Splintercell3.exe}
  [[ -f $exe ]] && echo "$exe"
}

# Installs the stand-in game as version 1.05.157 in C:\Games\SCCT with a configuration of
# the user's own, and chooses 640 x 480 and the first built-in demo in the launcher's key.
HW_GAME_KEY="HKLM\\Software\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory"
hw_install_game() {
  local exe
  exe=$(hw_standin_game) || { e2e_fail "no stand-in game (Splintercell3.exe) was built"; return 1; }
  local system="$WINEPREFIX/drive_c/Games/SCCT/system"
  mkdir -p "$system"
  cp "$exe" "$system/Splintercell3.exe"
  local config="$WINEPREFIX/drive_c/ProgramData/Ubisoft/Tom Clancy's Splinter Cell Chaos Theory"
  mkdir -p "$config"
  printf '[Engine.GameInfo]\r\n; the user'"'"'s own settings\r\n' > "$config/SplinterCell3.ini"
  e2e_reg32 "$HW_GAME_KEY" InstallDir REG_SZ 'C:\Games\SCCT'
  e2e_reg32 "$HW_GAME_KEY\\Versions" SplinterCell3 REG_SZ 1.05.157
  e2e_reg32 "$HW_KEY" 640 REG_SZ 1
  e2e_reg32 "$HW_KEY" Demo REG_SZ 1
}

# The six lines the stand-in dxdiag's full report yields, in the dialog's order.
HW_FULL_REPORT_LINES=(
  "Operating System: Windows 10 Pro 64-bit (10.0, Build 19045) (19041.vb_release.191206-1406)"
  "Processor: AMD Ryzen 5 3600 6-Core Processor              (12 CPUs), ~3.6GHz"
  "Memory: 16384MB RAM"
  "Card name: NVIDIA GeForce GTX 1060 6GB"
  "Display Memory: 14212 MB"
  "Driver Version: 31.0.15.3623"
)

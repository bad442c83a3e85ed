# End-to-end harness: sourced by every scenario under tests/e2e/scenarios/.
#
# A scenario is one bash script that calls e2e_begin, drives the program through the driver
# (e2e_driver ...), records checks with e2e_check / e2e_fail, and ends with e2e_end, which
# prints "PASS: <name>" or "FAIL: <name>" and exits 0 or 1. Each scenario gets:
#   - a throw-away Wine prefix, copied from a template prefix that is initialised once and cached,
#   - its own Xvfb of the scenario's screen size and Wine's virtual desktop of the same size,
#   - one persistent wineserver for the scenario's lifetime,
#   - the driver and the ".htm" logger in C:\lumenrig-e2e\.
#
# Environment (scripts/test sets these):
#   E2E_TOOLS      folder with e2edriver.exe, htmlogger.exe, e2ewindow.exe (required)
#   E2E_DIST       the product's dist/ folder (lumenrig.exe and what ships beside it)
#   E2E_WORK       work folder for prefixes and the template (default: <repo>/build/e2e)
#   E2E_ARTIFACTS  where screenshots and logs are kept (default: $E2E_WORK/artifacts)
#   E2E_KEEP=1     keep the scenario's prefix afterwards
#   E2E_USER_DISPLAY=1  use the running $DISPLAY as it is (no Xvfb, no virtual desktop)

E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${E2E_WORK:=$E2E_REPO/build/e2e}"
: "${E2E_ARTIFACTS:=$E2E_WORK/artifacts}"
: "${E2E_TEMPLATE:=$E2E_WORK/prefix-template}"

export WINEDEBUG=-all
# No Mono/Gecko install prompts, no desktop menu entries written into the Linux home.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

E2E_NAME=""
E2E_FAILURES=0
E2E_XVFB_PID=""
E2E_STARTED_PIDS=()

e2e_log() { printf '  [%s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# Records a failed check; the scenario goes on so that one run shows every fault.
e2e_fail() {
  E2E_FAILURES=$((E2E_FAILURES + 1))
  printf '  FAILED: %s\n' "$*"
}

# e2e_check DESCRIPTION COMMAND...: runs COMMAND, records a failure when it fails.
e2e_check() {
  local what=$1; shift
  if "$@"; then e2e_log "ok: $what"; else e2e_fail "$what"; return 1; fi
}

# e2e_expect_eq DESCRIPTION ACTUAL EXPECTED
e2e_expect_eq() {
  if [[ "$2" == "$3" ]]; then e2e_log "ok: $1 ($2)"
  else e2e_fail "$1: got \"$2\", expected \"$3\""; return 1; fi
}

# Initialises the template prefix once (wineboot -i takes tens of seconds); later scenarios and
# later runs copy it. Redone when the Wine version changes.
e2e_template() {
  local stamp="$E2E_TEMPLATE/.lumenrig-stamp" want
  want="$(wine --version 2>/dev/null) template 2"
  if [[ -f $stamp && "$(cat "$stamp")" == "$want" ]]; then return 0; fi
  e2e_log "initialising the template Wine prefix (once)"
  rm -rf "$E2E_TEMPLATE"
  mkdir -p "$E2E_WORK" "$(dirname "$E2E_TEMPLATE")"
  WINEPREFIX=$E2E_TEMPLATE DISPLAY= wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$E2E_TEMPLATE wineserver -w
  [[ -f $E2E_TEMPLATE/system.reg ]] || { echo "cannot create a Wine prefix" >&2; return 1; }
  # Wine's own fonts (package fonts-wine) inside the prefix: without them every face, "MS Sans
  # Serif" included, falls back to a wider one and the skin's texts do not fit as designed.
  if [[ -d /usr/share/wine/fonts ]]; then
    mkdir -p "$E2E_TEMPLATE/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$E2E_TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  echo "$want" > "$stamp"
}

# Appends a key with string values to a registry file of a prefix whose wineserver is not running.
_e2e_reg_file_add() {
  local file=$1 key=$2; shift 2
  {
    printf '\n[%s] %s\n' "$key" "$(date +%s)"
    while [[ $# -gt 0 ]]; do printf '"%s"="%s"\n' "$1" "$2"; shift 2; done
  } >> "$file"
}

# e2e_begin NAME [WIDTHxHEIGHT]: a fresh prefix, a screen and a virtual desktop of that size.
e2e_begin() {
  E2E_NAME=$1
  local size=${2:-1024x768}
  [[ -n ${E2E_TOOLS:-} && -f $E2E_TOOLS/e2edriver.exe ]] \
    || { echo "FAIL: $E2E_NAME: E2E_TOOLS does not hold e2edriver.exe" ; exit 1; }
  if [[ ${E2E_USER_DISPLAY:-0} == 1 ]]; then echo "scenario: $E2E_NAME (display $DISPLAY)"
  else echo "scenario: $E2E_NAME (screen $size)"; fi
  trap e2e_teardown EXIT
  trap 'exit 143' TERM INT  # a scenario stopped by its time limit still cleans up
  mkdir -p "$E2E_ARTIFACTS"
  e2e_template || { echo "FAIL: $E2E_NAME"; exit 1; }

  local slug
  slug=$(tr -c 'A-Za-z0-9\n' '_' <<<"$E2E_NAME")
  export WINEPREFIX=$E2E_WORK/prefixes/$slug
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  cp -a "$E2E_TEMPLATE" "$WINEPREFIX"

  if [[ ${E2E_USER_DISPLAY:-0} == 1 ]]; then
    [[ -n ${DISPLAY:-} ]] || { echo "FAIL: $E2E_NAME: no DISPLAY"; exit 1; }
  else
    # Wine's virtual desktop: every window of the prefix lives inside one X window of this size.
    _e2e_reg_file_add "$WINEPREFIX/user.reg" 'Software\\Wine\\Explorer' Desktop Default
    _e2e_reg_file_add "$WINEPREFIX/user.reg" 'Software\\Wine\\Explorer\\Desktops' Default "$size"

    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
    E2E_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do [[ -s $fdfile ]] && break; sleep 0.05; done
    [[ -s $fdfile ]] || { echo "FAIL: $E2E_NAME: Xvfb did not start"; exit 1; }
    export DISPLAY=":$(tr -d '\n' < "$fdfile")"
    rm -f "$fdfile"
  fi

  wineserver -p
  mkdir -p "$WINEPREFIX/drive_c/lumenrig-e2e"
  cp "$E2E_TOOLS/e2edriver.exe" "$E2E_TOOLS/htmlogger.exe" "$E2E_TOOLS/e2ewindow.exe" \
     "$WINEPREFIX/drive_c/lumenrig-e2e/"
  # The first call brings up the desktop; later calls find it.
  e2e_driver list </dev/null >/dev/null 2>&1
  e2e_log "prefix $WINEPREFIX, display $DISPLAY"
}

e2e_teardown() {
  local pid
  if [[ -n ${WINEPREFIX:-} ]]; then wineserver -k 2>/dev/null || true; fi
  for pid in "${E2E_STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [[ -n $E2E_XVFB_PID ]]; then kill "$E2E_XVFB_PID" 2>/dev/null || true; wait "$E2E_XVFB_PID" 2>/dev/null || true; fi
  E2E_XVFB_PID=""
  if [[ -n ${WINEPREFIX:-} && ${E2E_KEEP:-0} != 1 ]]; then rm -rf "$WINEPREFIX"; fi
}

e2e_end() {
  if [[ $E2E_FAILURES -eq 0 ]]; then echo "PASS: $E2E_NAME"; exit 0; fi
  echo "FAIL: $E2E_NAME ($E2E_FAILURES failed checks)"
  exit 1
}

e2e_wine() { wine "$@"; }

# e2e_driver COMMAND ARGS...: see tests/e2e/driver/driver.cpp for the commands.
e2e_driver() { wine 'C:\lumenrig-e2e\e2edriver.exe' "$@"; }

# e2e_poll GETTER... -- EXPECTED: runs GETTER until it prints EXPECTED (10 s at most, so that a
# slow machine's Wine does not turn a late answer into a wrong one); prints the last result.
e2e_poll() {
  local args=() got deadline
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  shift
  deadline=$((SECONDS + 10))
  while :; do
    got=$("${args[@]}")
    [[ $got == "$1" ]] && break
    ((SECONDS < deadline)) || break
    sleep 0.1
  done
  printf '%s' "$got"
}

# The visible message boxes (dialog class) of the prefix, one line each; empty when none.
e2e_message_boxes() { e2e_driver list | grep -F 'class=#32770' | grep -F '" visible' || true; }

# e2e_hold WINDOWS_FILE MS [read]: another program opens the file (without sharing, or with
# read sharing only, as a spreadsheet program does) and keeps it MS milliseconds or until
# e2e_release; returns once the file is held, fails when it could not be opened.
E2E_HOLDER=""
e2e_hold() {
  local log="$E2E_ARTIFACTS/${E2E_NAME// /_}.held" i
  e2e_driver hold "$@" >"$log" 2>&1 &
  E2E_HOLDER=$!
  for ((i = 0; i < 100; i++)); do grep -q held "$log" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}

# e2e_release: ends the holding program (a Windows process under the shell's background job,
# so it is ended from inside the prefix).
e2e_release() {
  wine taskkill /F /IM e2edriver.exe >/dev/null 2>&1
  wait "$E2E_HOLDER" 2>/dev/null
  E2E_HOLDER=""
}

# e2e_reg32 KEY VALUE TYPE DATA: writes a value in the 32-bit registry view, where the 32-bit
# game installer and the launcher keep their keys (HKLM\Software\Wow6432Node\... on 64-bit).
# reg.exe prints its errors on standard output, so a failed write would pass unseen: it is
# logged, tried once more, and a second failure fails the scenario.
e2e_reg32() {
  local out try
  for try in 1 2; do
    out=$(wine reg add "$1" /v "$2" /t "$3" /d "$4" /f /reg:32 2>&1) && return 0
    e2e_log "reg add \"$1\" /v \"$2\" failed (try $try): $(tr -d '\r' <<<"$out" | paste -sd' ')"
    sleep 0.5
  done
  e2e_fail "the set-up could not write \"$2\" in \"$1\""
  return 1
}

# e2e_reg32_query KEY VALUE: prints the value's data, or fails when it is missing.
e2e_reg32_query() {
  local out
  out=$(wine reg query "$1" /v "$2" /reg:32 2>/dev/null) || return 1
  awk -v v="$2" 'BEGIN{IGNORECASE=1} $1==v {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); sub(/\r$/, ""); print; found=1} END{exit !found}' <<<"$out"
}

# e2e_reg32_get KEY VALUE: prints a string value of the 32-bit view exactly as stored (ANSI
# texts and inner line breaks included; reg.exe's output goes through the OEM code page and
# turns "é" or "×" into other characters), or fails when it is missing. Needs e2e_begin.
e2e_reg32_get() {
  local v
  v=$(e2e_driver reg32 "$1" "$2" 2>/dev/null) || return 1
  printf '%s\n' "$v"
}

# e2e_mouse_to WINDOW CTRL [X Y]: moves the real (X server's) mouse pointer to the control's
# centre, or to X,Y from its top left, and gives the program a moment to answer the move. The
# windows on the way get WM_MOUSEMOVE and, having asked for it, WM_MOUSELEAVE, as with a mouse.
# Wine's virtual desktop fills the X screen from its top left, so the points are the same.
e2e_mouse_to() {
  command -v xdotool >/dev/null || { e2e_fail "xdotool is not installed"; return 1; }
  local x y
  read -r x y <<<"$(e2e_driver point "$@" | tr -d '\r')" || return 1
  [[ -n $x && -n $y ]] || return 1
  xdotool mousemove --sync "$x" "$y" 2>/dev/null || xdotool mousemove "$x" "$y"
  sleep 0.3
}

# e2e_install_dist [DIST]: copies the product's dist folder to C:\Program Files\Lumenrig\.
E2E_INSTALL_WIN='C:\Program Files\Lumenrig'
e2e_install_dist() {
  local dist=${1:-${E2E_DIST:-}}
  [[ -f $dist/lumenrig.exe ]] || { e2e_fail "no lumenrig.exe in dist folder \"$dist\""; return 1; }
  E2E_INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Lumenrig"
  mkdir -p "$E2E_INSTALL_DIR"
  cp -a "$dist/." "$E2E_INSTALL_DIR/"
}

# Registers the logger as the program that opens ".htm" and ".html" files. Every opening then
# adds a line to the file that e2e_opened_log names.
e2e_register_htm_logger() {
  local cmd='"C:\lumenrig-e2e\htmlogger.exe" "C:\lumenrig-e2e\opened.log" "%1"' ext
  wine reg add 'HKCR\Lumenrig.E2eLogger\shell\open\command' /ve /d "$cmd" /f >/dev/null
  for ext in .htm .html; do
    wine reg add "HKCR\\$ext" /ve /d Lumenrig.E2eLogger /f >/dev/null
    wine reg delete "HKCU\\Software\\Classes\\$ext" /f >/dev/null 2>&1 || true
  done
}
e2e_opened_log() { echo "$WINEPREFIX/drive_c/lumenrig-e2e/opened.log"; }

# e2e_start WINDOWS_EXE [ARGS...]: starts a program in the background, in its own folder.
# Sets E2E_PID (the Linux process that is the Windows process) and E2E_START_TIME.
e2e_start() {
  local exe=$1; shift
  local unixdir
  unixdir=$(dirname "$(winepath -u "$exe" 2>/dev/null)")
  E2E_START_TIME=$(date +%s.%N)
  (cd "$unixdir" && exec wine "$exe" "$@" >>"$E2E_ARTIFACTS/${E2E_NAME// /_}.out" 2>&1) &
  E2E_PID=$!
  E2E_STARTED_PIDS+=("$E2E_PID")
}

# e2e_wait_exit PID SECONDS: waits for a Linux process to end; prints its exit status.
e2e_wait_exit() {
  local pid=$1 secs=$2 i
  for ((i = 0; i < secs * 20; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      local rc=0
      wait "$pid" 2>/dev/null || rc=$?
      echo "$rc"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# e2e_screenshot NAME [WINDOW]: saves the whole screen, or only the part that the top-level
# window WINDOW covers, as $E2E_ARTIFACTS/NAME.png and prints the path.
e2e_screenshot() {
  local file="$E2E_ARTIFACTS/$1.png" crop=()
  if [[ -n ${2:-} ]]; then
    local l t r b
    read -r l t r b <<<"$(e2e_driver rect "$2")" || return 1
    crop=(-crop "$((r - l))x$((b - t))+$l+$t" +repage)
  fi
  import -display "$DISPLAY" -window root "${crop[@]}" "$file" 2>/dev/null || return 1
  echo "$file"
}

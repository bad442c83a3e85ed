# Shared by scripts/build, scripts/test and scripts/run.

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Build trees live under build/ of the checkout unless LUMENRIG_BUILD_DIR says otherwise.
BUILD=${LUMENRIG_BUILD_DIR:-$REPO/build}
JOBS=${LUMENRIG_JOBS:-2}
LOGS=$BUILD/logs
mkdir -p "$LOGS"

say() { printf '%s\n' "$*"; }

# configure_and_build PRESET [TARGET...]: configures build/<preset> from the preset and builds it
# (all, or the given targets). Output goes to build/logs/<preset>.log; on failure its tail is shown.
configure_and_build() {
  local preset=$1; shift
  local dir=$BUILD/$preset log=$LOGS/build-$preset.log
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  if ! { cmake --preset "$preset" -B "$dir" && cmake --build "$dir" -j"$JOBS" "${targets[@]}"; } \
      >"$log" 2>&1; then
    say "build of $preset failed; the end of $log:"
    grep -E 'error|Error|No such file|undefined reference' "$log" | head -n 30 | sed 's/^/    /'
    tail -n 15 "$log" | sed 's/^/    /'
    return 1
  fi
}

# start_xvfb WIDTHxHEIGHT: starts a private X server; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local size=${1:-1024x768} fdfile i
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
  XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do [[ -s $fdfile ]] && break; sleep 0.05; done
  if [[ ! -s $fdfile ]]; then rm -f "$fdfile"; say "Xvfb did not start"; return 1; fi
  export DISPLAY=":$(tr -d '\n' < "$fdfile")"
  rm -f "$fdfile"
}

stop_xvfb() {
  if [[ -n ${XVFB_PID:-} ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# init_wineprefix DIR: creates and initialises a Wine prefix once (wineboot -i); later calls only
# check its stamp. Redone when the Wine version changes.
init_wineprefix() {
  local dir=$1 want
  want="$(wine --version 2>/dev/null) prefix 1"
  if [[ -f $dir/.lumenrig-stamp && "$(cat "$dir/.lumenrig-stamp")" == "$want" ]]; then return 0; fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  WINEPREFIX=$dir DISPLAY= wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w
  [[ -f $dir/system.reg ]] || { say "cannot create the Wine prefix $dir"; return 1; }
  echo "$want" > "$dir/.lumenrig-stamp"
}

# check_dist PRESET: the Windows build left dist/lumenrig.exe and its replacement program
# upgrader/Upgrader3.exe, both run on Windows XP, and the launcher carries that very program.
check_dist() {
  local exe=$BUILD/$1/dist/lumenrig.exe upgrader=$BUILD/$1/upgrader/Upgrader3.exe
  if [[ ! -f $exe ]]; then say "the $1 build made no $exe"; return 1; fi
  if [[ ! -f $upgrader ]]; then say "the $1 build made no $upgrader"; return 1; fi
  "$REPO/scripts/lib/check_xp_imports.sh" "$exe" "$upgrader" \
    && python3 "$REPO/scripts/lib/check_embedded_upgrader.py" "$exe" "$upgrader"
}

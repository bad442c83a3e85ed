#!/usr/bin/env bash
# Benchmark of the run controller under Wine (not a test; run by hand, figures on stdout).
#
#   perf/run/run_perf_run.sh [ROUNDS]
#
# Needs the x86_64 product build with the e2e tools and the stand-in game, e.g.
#   cmake --preset win64 -B build/win64 && cmake --build build/win64 --target dist e2e_tools standin_game
# and E2E_TOOLS / E2E_DIST pointing there (defaults: build/win64/e2e and build/win64/dist).
#
# 1. Own time per resolution: the real lumenrig.exe measures all six resolutions with a
#    stand-in game that exits at once. Its wall time, from the click until the user's
#    configuration is back, minus the fixed waits (2000 ms before and 500 ms after each
#    collection, 1000 ms after the report, 500 ms before the restore) minus the lifetime of the
#    batch processes it started (cmd with the game inside; watched from Linux through /proc by
#    proc_watch.py), divided by six.
# 2. The same work as a plain batch loop in the same prefix: copy the ini, start the game
#    through cmd, copy the result, per resolution; the launcher's time beyond it.
# 3. The launcher's CPU time while one stand-in game runs for 10 s (all of its threads,
#    from /proc/<pid>/task/*/schedstat, nanoseconds).
# Goals: own time under 300 ms per resolution; CPU under 20 ms in the 10 s.
set -uo pipefail
REPO=$(cd "$(dirname "$0")/../.." && pwd)
ROUNDS=${1:-3}
: "${E2E_TOOLS:=$REPO/build/win64/e2e}"
: "${E2E_DIST:=$REPO/build/win64/dist}"
: "${E2E_WORK:=$REPO/build/perf-run}"
export E2E_TOOLS E2E_DIST E2E_WORK E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_WORK/artifacts}
source "$REPO/tests/e2e/lib.sh"
source "$REPO/tests/e2e/scenarios/run/common.sh"

WIDTHS=(640 800 1024 1280 1600 2048)
HEIGHTS=(480 600 768 1024 1200 1536)
N=${#WIDTHS[@]}
FIXED_WAITS_MS=$((N * (2000 + 500) + 1000 + 500))

now() { date +%s.%N; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) * 1000 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

e2e_begin "perf: run controller" 2048x1536
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the user\x27s own\r\n' || e2e_end
: > "$RUN_SYSTEM/StandinControl.txt"  # exits at once, logs nothing
run_choose "${WIDTHS[@]}"
run_settings Demo 1 ShaderProfile 1
cp "$E2E_INSTALL_DIR/Demos/01_Lighthouse.dem" "$RUN_SYSTEM/"

# The generated configuration and bench command of each resolution, for the batch loops.
template=$REPO/resources/bench/SplinterCell3Template.ini
mkdir -p "$RUN_SYSTEM/perf"
for i in "${!WIDTHS[@]}"; do
  w=${WIDTHS[$i]} h=${HEIGHTS[$i]}
  sed -e "s/^FullscreenViewportX=1024\r\$/FullscreenViewportX=$w\r/" \
      -e "s/^FullscreenViewportY=768\r\$/FullscreenViewportY=$h\r/" "$template" > "$RUN_SYSTEM/perf/ini_$w.ini"
  printf '@Splintercell3.exe 01_Lighthouse -playtimedemo=01_Lighthouse.dem %s %s -nosound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0 \r\n' \
    "$w" "$h" > "$RUN_SYSTEM/perf/bench_$w.bat"
done
cfg_win="C:\\ProgramData\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\SplinterCell3.ini"
sys_win=$RUN_SYSTEM_WIN
# Each loop is one cmd process; an empty one gives what wine and cmd cost by themselves.
{ printf '@echo off\r\ncd /d "%s"\r\n' "$sys_win"; } > "$RUN_SYSTEM/perf/empty.bat"
{
  printf '@echo off\r\ncd /d "%s"\r\n' "$sys_win"
  for w in "${WIDTHS[@]}"; do
    printf 'copy /y "perf\\ini_%s.ini" "%s" >nul\r\n' "$w" "$cfg_win"
    printf 'cmd /c "%sperf\\bench_%s.bat"\r\n' "$sys_win" "$w"
    printf 'copy /y TimeDemoResult.xls TimeDemoResult.txt >nul\r\n'
    printf 'del TimeDemoResult.xls TimeDemoResult.txt\r\n'
  done
} > "$RUN_SYSTEM/perf/baseline.bat"
# batch_ms NAME: wall time of one `wine cmd /c perf\NAME.bat`, in ms.
batch_ms() {
  local t0 t1
  t0=$(now)
  wine cmd /c "${sys_win}perf\\$1.bat" >/dev/null 2>&1
  t1=$(now)
  ms "$t0" "$t1"
}

run_start_launcher
sleep 2
own=() beyond=() walls=() games=() bases=()
for ((r = 1; r <= ROUNDS; r++)); do
  empty=$(batch_ms empty)
  base=$(awk -v a="$(batch_ms baseline)" -v e="$empty" 'BEGIN { printf "%.1f", a - e }')
  [[ -e $RUN_CONFIG/SplinterCell3.ini ]] || e2e_fail "the batch loop left no configuration"

  python3 "$REPO/perf/run/proc_watch.py" "$WINEPREFIX" "$E2E_ARTIFACTS/procs_$r.txt" 28 &
  watcher=$!
  sleep 0.5
  t0=$(now)
  run_click
  # The click reaches the window as a message of its own: the run starts a moment later.
  for ((i = 0; i < 1000; i++)); do [[ -e $RUN_CONFIG/SplinterCell3_old.ini ]] && break; sleep 0.005; done
  [[ -e $RUN_CONFIG/SplinterCell3_old.ini ]] || { e2e_fail "round $r: no run started"; e2e_screenshot "perf_run_round_$r" >/dev/null; e2e_driver list; break; }
  # The end: the user's file is moved back (only the flag and the button follow).
  while [[ -e $RUN_CONFIG/SplinterCell3_old.ini ]]; do sleep 0.005; done
  t1=$(now)
  wall=$(ms "$t0" "$t1")
  run_wait_idle 30 || { e2e_fail "the run did not end"; break; }
  wait "$watcher"
  # The batch processes of the run: the time some cmd.exe of the prefix was alive.
  game=$(awk -v a="$t0" -v b="$t1" '$5 == "cmd.exe" && $1 >= a && $1 <= b && $2 - $1 > 0.05 { print $1, $2 }' \
           "$E2E_ARTIFACTS/procs_$r.txt" | sort -g |
         awk '{ if (NR == 1 || $1 > e) { t += e - s; s = $1; e = $2 } else if ($2 > e) e = $2 } END { t += e - s; printf "%.1f", t * 1000 }')
  o=$(awk -v w="$wall" -v f="$FIXED_WAITS_MS" -v g="$game" -v n="$N" 'BEGIN { printf "%.1f", (w - f - g) / n }')
  b=$(awk -v w="$wall" -v f="$FIXED_WAITS_MS" -v x="$base" -v n="$N" 'BEGIN { printf "%.1f", (w - f - x) / n }')
  printf '  round %d: wall %s ms, fixed waits %d ms, games %s ms, batch loop %s ms -> own %s ms/res, beyond the loop %s ms/res\n' \
    "$r" "$wall" "$FIXED_WAITS_MS" "$game" "$base" "$o" "$b"
  own+=("$o") beyond+=("$b") walls+=("$wall") games+=("$game") bases+=("$base")
done
[[ $(run_reports | wc -l) -ge $ROUNDS ]] || e2e_fail "not every round saved its report"
[[ $(run_stored NoErrorWarning) == 0 ]] || e2e_fail "the flag is not back to 0"

# CPU of the launcher while one game runs for 10 s.
run_choose 640
run_quit_launcher
printf 'delay=10000\r\n' > "$RUN_SYSTEM/StandinControl.txt"
run_start_launcher
sleep 2
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
run_click
e2e_driver waitcontrol "$RUN_MAIN" "Resolution: 640×480" 5000 >/dev/null || e2e_fail "the game did not start"
c0=$(cpu_ns "$E2E_PID") s0=$(now)
sleep 9
c1=$(cpu_ns "$E2E_PID") s1=$(now)
window=$(ms "$s0" "$s1")
cpu=$(awk -v a="$c0" -v b="$c1" -v w="$window" 'BEGIN { printf "%.2f", (b - a) / 1e6 * 10000 / w }')
printf '  launcher CPU while the game ran: %.2f ms in %s ms (schedstat %s -> %s ns), %s ms per 10 s\n' \
  "$(awk -v a="$c0" -v b="$c1" 'BEGIN { print (b - a) / 1e6 }')" "$window" "$c0" "$c1" "$cpu"
run_wait_idle 30 || e2e_fail "the 10 s run did not end"
run_quit_launcher

echo "RESULT run controller (median of $ROUNDS rounds, $N resolutions each):"
echo "RESULT   wall $(printf '%s\n' "${walls[@]}" | median) ms; fixed waits $FIXED_WAITS_MS ms; game processes $(printf '%s\n' "${games[@]}" | median) ms; plain batch loop $(printf '%s\n' "${bases[@]}" | median) ms"
echo "RESULT   own time per resolution $(printf '%s\n' "${own[@]}" | median) ms (goal < 300)"
echo "RESULT   beyond the plain batch loop per resolution $(printf '%s\n' "${beyond[@]}" | median) ms"
echo "RESULT   launcher CPU while a game runs $cpu ms per 10 s (goal < 20)"
e2e_end

#!/usr/bin/env bash
# The results history when it cannot simply be appended to, as a user meets it:
# - results.csv open in a spreadsheet program (read sharing, no write sharing): the report is
#   still saved and opened, one message says why the history was not updated, the run's rows
#   wait in results.pending.csv and go in at the next run, once;
# - a results.csv that another program wrote, or ours saved again in the ANSI code page: it is
#   kept under a dated name, a new history is started, and the comparison page names the kept
#   file.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: results history held open, not ours, damaged" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the player'"'"'s own\r\n' || e2e_end
run_standin_control
run_choose 640
run_settings Demo 1 ShaderProfile 1

csv=$RUN_RESULTS/results.csv
pending=$RUN_RESULTS/results.pending.csv
csv_win="$E2E_INSTALL_WIN\\Benchmark\\results.csv"

# history_notes: the note column of results.csv, one line per row.
history_notes() {
  python3 - "$csv" <<'PY'
import csv, io, sys
rows = csv.DictReader(io.StringIO(open(sys.argv[1], 'rb').read().decode('utf-8-sig'), newline=''))
for r in rows: print(r['note'])
PY
}

# run_once NOTE: one benchmark in a fresh launcher, which stays open for the checks that follow.
run_once() {
  run_settings Note "$1"
  run_start_launcher
  run_click
  e2e_check "the run \"$1\" ends" run_wait_idle 120
}

run_once "first"
run_quit_launcher
e2e_expect_eq "the first run is in the history" "$(history_notes)" "first"
cp "$csv" "$E2E_WORK/results.before.csv"

# --- results.csv held by a spreadsheet program ------------------------------------------------
e2e_check "another program holds results.csv" e2e_hold "$csv_win" 600000 read
run_once "second"
box=$(e2e_driver msgbox OK 30000 | tr -d '\r')
e2e_expect_eq "the user is told why the history was not updated" "$(sed -n 's/^text: //p' <<<"$box")" \
  "The results history (results.csv) could not be updated because another program has it open. The report was saved; this run's results will be added to the history next time."
sleep 0.5
e2e_expect_eq "told once" "$(e2e_message_boxes)" ""
e2e_expect_eq "both reports were saved" "$(run_reports | wc -l)" "2"
e2e_expect_eq "both reports were opened" "$(run_opened_count)" "2"
e2e_check "results.csv is untouched" cmp -s "$csv" "$E2E_WORK/results.before.csv"
e2e_check "the run's rows wait in results.pending.csv" grep -q 'second' "$pending"
e2e_check "the comparison page shows the waiting run" grep -q 'second' "$RUN_RESULTS/compare.htm"
run_quit_launcher
e2e_release

# --- released: the next run brings the waiting rows in --------------------------------------
run_once "third"
sleep 0.5
e2e_expect_eq "no message after a run that could write" \
  "$(e2e_message_boxes)" ""
run_quit_launcher
e2e_expect_eq "every run once, in order" "$(history_notes | paste -sd' ')" "first second third"
e2e_check "no pending file is left" test ! -e "$pending"
cp "$csv" "$E2E_ARTIFACTS/run_history_faults.results.csv"

# --- a results.csv that another program wrote -------------------------------------------------
printf 'Date,Card,FPS\r\n2026-01-05,X800,41.2\r\n' > "$csv"
cp "$csv" "$E2E_WORK/results.foreign.csv"
run_once "fourth"
run_quit_launcher
kept=$(cd "$RUN_RESULTS" && ls -1 results.not-ours.*.csv 2>/dev/null)
e2e_expect_eq "the foreign file is kept under one dated name" "$(grep -c . <<<"$kept")" "1"
[[ -n $kept ]] && e2e_check "byte for byte" cmp -s "$RUN_RESULTS/$kept" "$E2E_WORK/results.foreign.csv"
e2e_expect_eq "a new history holds the fourth run" "$(history_notes)" "fourth"
e2e_check "the comparison page names the kept file" \
  grep -qF "was not a results history of this program was found and kept as $kept" "$RUN_RESULTS/compare.htm"

# --- our history, saved again by a spreadsheet program in the ANSI code page ---------------------
python3 - "$csv" <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read().replace(b'fourth', b'caf\xe9 \xe0 la carte')
open(path, 'wb').write(data)
PY
cp "$csv" "$E2E_WORK/results.ansi.csv"
run_once "fifth"
run_quit_launcher
kept=$(cd "$RUN_RESULTS" && ls -1 results.damaged.*.csv 2>/dev/null)
e2e_expect_eq "the unreadable history is kept under one dated name" "$(grep -c . <<<"$kept")" "1"
[[ -n $kept ]] && e2e_check "byte for byte" cmp -s "$RUN_RESULTS/$kept" "$E2E_WORK/results.ansi.csv"
e2e_expect_eq "a new history holds the fifth run" "$(history_notes)" "fifth"
e2e_check "the comparison page names the kept file" \
  grep -qF "could not be read as a whole was kept as $kept" "$RUN_RESULTS/compare.htm"
cp "$RUN_RESULTS/compare.htm" "$E2E_ARTIFACTS/run_history_faults.compare.htm"
run_check_restored
e2e_end

#!/usr/bin/env bash
# Two runs with different settings leave a results history beside their reports: four rows
# in results.csv under one header, two JSON files and a comparison page, which a real
# browser shows with two bars for the resolution both runs measured.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/run/common.sh"

e2e_begin "run: results history of two runs" 1024x768
e2e_install_dist || e2e_end
run_install_game '[Engine.Engine]\r\n; the player'"'"'s own\r\n' || e2e_end
run_standin_control

# run_once WIDTH... : one benchmark in a fresh launcher with the settings stored before.
run_once() {
  run_choose "$@"
  run_start_launcher
  run_click
  e2e_check "the run ends" run_wait_idle 180
  run_quit_launcher
}

run_settings Addinfo 1 "Save Info" 1 VGA "Card name: GeForce 6800 <GT>" "VGA Driver" "Driver Version: 6.14.10.7164"
run_settings Demo 1 ShaderProfile 1 Note 'first run: café, "quoted" & <b>bold</b>'
run_once 640 1024
run_settings VGA "Card name: RADEON X800" "VGA Driver" "Driver Version: 6.14.10.6525"
run_settings Demo 2 ShaderProfile 3 HDR 1 ToneMapping 1 Note "second run"
run_once 640 800

csv=$RUN_RESULTS/results.csv
e2e_expect_eq "two reports" "$(run_reports | wc -l)" "2"
e2e_expect_eq "two JSON files" "$(ls -1 "$RUN_RESULTS"/result_*.json 2>/dev/null | wc -l)" "2"
if e2e_check "results.csv was written" test -f "$csv"; then
  cp "$csv" "$E2E_ARTIFACTS/run_history_results.csv"
  # The rows, read as a spreadsheet program would: UTF-8 with its byte-order mark, CR LF.
  summary=$(python3 - "$csv" <<'PY'
import csv, io, sys
data = open(sys.argv[1], 'rb').read()
assert data.startswith(b'\xef\xbb\xbf'), 'no byte-order mark'
assert b'\n' not in data.replace(b'\r\n', b''), 'a line end other than CR LF'
rows = list(csv.DictReader(io.StringIO(data.decode('utf-8-sig'), newline='')))
for r in rows:
    print(r['width'] + 'x' + r['height'], 'SM' + r['shader_model'], r['hdr'], r['vga'], '|', r['note'])
PY
)
  e2e_log "rows: $(tr '\n' ';' <<<"$summary")"
  e2e_expect_eq "the rows of both runs" "$summary" "$(printf '%s\n' \
    '640x480 SM1.1 Disabled Card name: GeForce 6800 <GT> | first run: café, "quoted" & <b>bold</b>' \
    '1024x768 SM1.1 Disabled Card name: GeForce 6800 <GT> | first run: café, "quoted" & <b>bold</b>' \
    '640x480 SM3.0 Enabled Card name: RADEON X800 | second run' \
    '800x600 SM3.0 Enabled Card name: RADEON X800 | second run')"
  e2e_expect_eq "one header" "$(grep -c '^.*format_version,' "$csv")" "1"
fi
for json in "$RUN_RESULTS"/result_*.json; do
  [[ -f $json ]] || continue
  e2e_check "$(basename "$json") has the keys of its schema" python3 - "$json" "$E2E_REPO/docs/result.schema.json" <<'PY'
import json, sys
doc, schema = json.load(open(sys.argv[1], encoding='utf-8')), json.load(open(sys.argv[2]))
def check(s, v, where):
    types = s.get('type')
    if types:
        types = types if isinstance(types, list) else [types]
        ok = {'object': dict, 'array': list, 'string': str, 'boolean': bool, 'null': type(None)}
        good = any((t == 'integer' and type(v) is int) or (t == 'number' and type(v) in (int, float))
                   or (t in ok and isinstance(v, ok[t]) and not (t != 'boolean' and type(v) is bool)) for t in types)
        assert good, where + ': wrong type'
    if isinstance(v, dict):
        for k in s.get('required', []): assert k in v, where + ': no ' + k
        for k, item in v.items():
            assert k in s.get('properties', {}) or s.get('additionalProperties', True), where + ': unknown ' + k
            if k in s.get('properties', {}): check(s['properties'][k], item, where + '.' + k)
    if isinstance(v, list) and 'items' in s:
        for i, item in enumerate(v): check(s['items'], item, where + '[%d]' % i)
check(schema, doc, '$')
PY
done

page=$RUN_RESULTS/compare.htm
if e2e_check "compare.htm was written" test -f "$page"; then
  cp "$page" "$E2E_ARTIFACTS/run_history_compare.htm"
  chrome=(chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-extensions
          --user-data-dir="$E2E_WORK/chromium-profile-$$")
  url="file://$page"
  dom=$(timeout 60 "${chrome[@]}" --dump-dom "$url" 2>/dev/null)
  printf '%s\n' "$dom" > "$E2E_ARTIFACTS/run_history_compare.dom.htm"
  counts=$(python3 - <<PY
import re, sys
dom = open("$E2E_ARTIFACTS/run_history_compare.dom.htm", encoding="utf-8").read()
for size in ("640 × 480", "800 × 600", "1024 × 768"):
    start = dom.find("<h2>Resolution: " + size + "</h2>")
    chart = dom[start:dom.find("</table>", start)] if start >= 0 else ""
    print(size.replace(" × ", "x"), len(re.findall(r'<div class="bar"', chart)))
PY
)
  e2e_expect_eq "bars per resolution in the browser's document" "$(paste -sd' ' <<<"$counts")" \
    "640x480 2 800x600 1 1024x768 1"
  e2e_check "the note is shown as text, not markup" grep -qF '&lt;b&gt;bold&lt;/b&gt;' <<<"$dom"
  e2e_check "the browser ran no script of the page" bash -c '! grep -qi "<script" <<<"$1"' _ "$dom"
  shot=$E2E_ARTIFACTS/run_history_compare.png
  timeout 60 "${chrome[@]}" --hide-scrollbars --window-size=1280,1100 --screenshot="$shot" "$url" >/dev/null 2>&1
  e2e_check "the browser's picture of the page was saved ($shot)" test -s "$shot"
  rm -rf "$E2E_WORK/chromium-profile-$$"
fi
run_check_restored
e2e_end

#!/usr/bin/env bash
# The rules of the option pages, worked with clicks, texts and the mouse leaving controls:
# the shader profile enables and clears the effects and is stored at once; HDR enables Tone
# Mapping; the effects are stored only when the mouse leaves them; the demo choice enables the
# user-defined demo's controls, whose file dialog copies the demo into the game's folder; the map list completes typed names and stores the index of a
# listed map only; the note box takes 50 characters and stores a non-empty note when the mouse
# leaves it; the proxy check box enables its four boxes, and each box stores its last non-empty
# text. The next start shows it all; the update check refuses a port that is not a number.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: option rules and their saves" 1024x768
e2e_install_dist || e2e_end
launcher_install_game
launcher_settings ShaderProfile 3 ParallaxMapping 1 HQSoftShadows 1 HDR 1 ToneMapping 1 \
  HSMapping 1 Demo 1 Mapname 0

PM="Parallax Mapping"; HQ="HQ Soft Shadows"; HDR="Enable HDR (Pixel Shader 3 only)"; TM="Tone Mapping"
S11="Shader 1.1"; S20="Shader 2.0 (Only on ATI)"; S30="Shader 3.0 (Read the help)"
on="enabled checked"; off="enabled unchecked"; grey="disabled unchecked"

launcher_start
launcher_show_page "Shader profiles" 2
launcher_expect_snapshot "Shader 3.0 with every effect at start-up" \
  "$S30" "$on" "$PM" "$on" "$HQ" "$on" "$HDR" "$on" "$TM" "$on"

# --- Shader 3.0 with everything, to 1.1 and back --------------------------------------------
launcher_click "$S11"
launcher_expect_stored "Shader 1.1 is stored at once" ShaderProfile 1
launcher_expect_snapshot "Shader 1.1 clears and disables the effects" \
  "$S11" "$on" "$S30" "$off" "$PM" "$grey" "$HQ" "$grey" "$HDR" "$grey" "$TM" "$grey"
e2e_expect_eq "the cleared HDR keeps its stored value until its own save" "$(launcher_stored HDR)" "1"
launcher_click "$S30"
launcher_expect_stored "Shader 3.0 is stored at once" ShaderProfile 3
launcher_expect_snapshot "back on Shader 3.0 the effects are enabled but unchecked" \
  "$S30" "$on" "$PM" "$off" "$HQ" "$off" "$HDR" "$off" "$TM" "$grey"

# --- Shader 1.1 to 2.0 -----------------------------------------------------------------------
launcher_click "$S11"
launcher_click "$S20"
launcher_expect_stored "Shader 2.0 is stored at once" ShaderProfile 2
launcher_expect_snapshot "Shader 2.0 enables the two extras without checking them" \
  "$S20" "$on" "$PM" "$off" "$HQ" "$off" "$HDR" "$grey" "$TM" "$grey"
launcher_click "$PM"
launcher_expect_state "Parallax Mapping is checked by a click" "$PM" "$on"
e2e_expect_eq "the click alone stores nothing" "$(launcher_stored ParallaxMapping)" "1"
launcher_leave " Additional options for Shader 2.0/3.0 "
launcher_expect_stored "leaving the extras stores HQSoftShadows" HQSoftShadows 0
e2e_expect_eq "leaving the extras stores ParallaxMapping" "$(launcher_stored ParallaxMapping)" "1"
launcher_leave "$HDR"
launcher_expect_stored "leaving the disabled HDR box stores 0" HDR 0

# --- HDR and Tone Mapping under Shader 3.0 ----------------------------------------------------
launcher_click "$S30"
launcher_click "$HDR"
launcher_expect_snapshot "HDR checked enables Tone Mapping" "$HDR" "$on" "$TM" "$off"
launcher_click "$TM"
launcher_expect_state "Tone Mapping is checked by a click" "$TM" "$on"
launcher_leave "$TM"
launcher_expect_stored "leaving Tone Mapping stores 1" ToneMapping 1
launcher_leave "$HDR"
launcher_expect_stored "leaving HDR stores 1" HDR 1
launcher_click "$HDR"
launcher_expect_snapshot "HDR unchecked clears and disables Tone Mapping" "$HDR" "$off" "$TM" "$grey"
# With the mouse: a disabled box gets no mouse messages of its own, its frame reports the
# pointer leaving it.
e2e_mouse_to "$L_MAIN" "$TM"
e2e_mouse_to "$L_MAIN" "$TM" 100 30   # below the frame
launcher_expect_stored "the mouse leaving the cleared Tone Mapping stores 0" ToneMapping 0

# --- Hardware shadow mapping -------------------------------------------------------------------
launcher_show_page "Add. settings" 6
launcher_click "Hardware Shadow Mapping"
launcher_expect_state "Hardware Shadow Mapping is unchecked by a click" "Hardware Shadow Mapping" "$off"
launcher_leave "Hardware Shadow Mapping"
launcher_expect_stored "leaving Hardware Shadow Mapping stores 0" HSMapping 0

# --- Demo choice and map -----------------------------------------------------------------------
launcher_show_page "Base settings" 1
launcher_expect_snapshot "a built-in demo at start-up" \
  "Ubisoft Lighthouse" "$on" "$L_DEMOEDIT" "$grey" "$L_DEMOBUTTON" "$grey" "$L_MAPNAME" "$grey" \
  -- "$L_MAPNAME" "Please select your demo's map"
launcher_click "User defined demo"
launcher_expect_stored "the user-defined demo is stored at once" Demo 4
launcher_expect_snapshot "the user-defined demo enables its controls" \
  "User defined demo" "$on" "Ubisoft Lighthouse" "$off" \
  "$L_DEMOEDIT" "$off" "$L_DEMOBUTTON" "$off" "$L_MAPNAME" "$off"
# The demo file dialog: the chosen file's bare name goes into the box and the registry, and
# the file is copied into the game's System folder unless one of that name is there already.
mkdir -p "$WINEPREFIX/drive_c/My Demos"
printf 'my own demo' > "$WINEPREFIX/drive_c/My Demos/own.dem"
printf 'another demo' > "$WINEPREFIX/drive_c/My Demos/kept.dem"
printf 'the game folder copy' > "$L_SYSTEM/kept.dem"
choose_demo() {
  launcher_click "$L_DEMOBUTTON"
  if ! e2e_driver wait Open 10000 >/dev/null; then e2e_fail "no file dialog for $1"; return 1; fi
  e2e_driver settext Open '#1148:Edit' "C:\\My Demos\\$1" >/dev/null
  e2e_driver click Open Open >/dev/null
  e2e_driver waitgone Open 10000 || e2e_fail "the file dialog did not close"
}
choose_demo own.dem
launcher_expect_text "the chosen demo's bare name is shown" "$L_DEMOEDIT" "own.dem"
launcher_expect_stored "the chosen demo's name is stored" Demoname own.dem
e2e_check "the chosen demo is copied into the System folder" \
  cmp -s "$L_SYSTEM/own.dem" "$WINEPREFIX/drive_c/My Demos/own.dem"
choose_demo kept.dem
launcher_expect_stored "a demo of a name the game folder holds is stored" Demoname kept.dem
e2e_expect_eq "the game folder's file of that name stays" "$(cat "$L_SYSTEM/kept.dem")" "the game folder copy"

e2e_driver select "$L_MAIN" "$L_MAPNAME" 11 >/dev/null
launcher_expect_stored "picking 11_Kokubososho stores 11" Mapname 11
# Typed into the list's own text box, key by key: the start of a listed name completes to that
# item and stores its index; a name that is no item stays as typed and stores nothing. The box
# is emptied first, as a user selects its text and deletes it.
launcher_type '#1001' ""
e2e_driver type "$L_MAIN" '#1001' "04_P" >/dev/null
launcher_expect_text "typing the start of a map completes it" "$L_MAPNAME" "04_Penthouse"
launcher_expect_stored "the completed map's index is stored" Mapname 4
launcher_type '#1001' ""
e2e_driver type "$L_MAIN" '#1001' "My_Own_Map" >/dev/null
launcher_expect_text "the typed map name stays" "$L_MAPNAME" "My_Own_Map"
launcher_click "Voru3V 2 demo"
launcher_expect_stored "a built-in demo is stored at once" Demo 2
e2e_expect_eq "a typed name stores nothing" "$(launcher_stored Mapname)" "4"
launcher_expect_snapshot "a built-in demo disables the controls and keeps the text" \
  "$L_DEMOEDIT" "$grey" "$L_DEMOBUTTON" "$grey" "$L_MAPNAME" "$grey" -- "$L_MAPNAME" "My_Own_Map"

# --- Note ----------------------------------------------------------------------------------------
launcher_show_page "Paths & information" 0
long_note="Sixty characters of note: 0123456789012345678901234567890123"
e2e_driver type "$L_MAIN" "$L_NOTE" "$long_note" >/dev/null
launcher_expect_text "the note box takes 50 characters at most" "$L_NOTE" "${long_note:0:50}"
e2e_expect_eq "typing alone stores no note" "$(launcher_stored Note)" "<missing>"
launcher_leave "$L_NOTE"
launcher_expect_stored "leaving the note box stores the note" Note "${long_note:0:50}"
launcher_type "$L_NOTE" ""
launcher_leave "$L_NOTE"
e2e_driver type "$L_MAIN" "$L_NOTE" "Café ×2" >/dev/null  # later, to be sure the leaving was handled
launcher_expect_text "the note box takes the new note" "$L_NOTE" "Café ×2"
e2e_expect_eq "leaving the emptied note box keeps the stored note" "$(launcher_stored Note)" "${long_note:0:50}"
launcher_leave "$L_NOTE"
launcher_expect_stored "a note beyond ASCII is stored" Note "Café ×2"

# --- Proxy ---------------------------------------------------------------------------------------
launcher_show_page "Update benchmark" 3
e2e_expect_eq "opening \"Help\" closed \"Options\"" \
  "$(launcher_visible "Base settings")$(launcher_visible "About...")" "01"
launcher_expect_snapshot "no proxy at start-up" "Use Proxy  Server" "$off" \
  "$L_PROXYSERVER" "$grey" "$L_PROXYPORT" "$grey" "$L_PROXYUSER" "$grey" "$L_PROXYPASS" "$grey"
launcher_click "Use Proxy  Server"
launcher_expect_snapshot "the proxy check box enables the four boxes" "Use Proxy  Server" "$on" \
  "$L_PROXYSERVER" "$off" "$L_PROXYPORT" "$off" "$L_PROXYUSER" "$off" "$L_PROXYPASS" "$off"
e2e_expect_eq "the click alone stores nothing" "$(launcher_stored UseProxy)" "<missing>"
launcher_leave "Use Proxy  Server"
launcher_expect_stored "leaving the proxy check box stores 1" UseProxy 1
# Typed and then deleted one character at a time: the last non-empty text remains.
for t in p pr pro pr p ""; do launcher_type "$L_PROXYSERVER" "$t"; done
launcher_type "$L_PROXYPORT" 8080
launcher_expect_stored "the port is stored as typed" ProxyPort 8080
e2e_expect_eq "the server box keeps its last non-empty text" "$(launcher_stored ProxyServer)" "p"
launcher_type "$L_PROXYUSER" "agent smith"
launcher_type "$L_PROXYPASS" "pa55 word"
launcher_expect_stored "the password is stored in Base64" ProxyPassword "$(printf 'pa55 word' | base64)"
e2e_expect_eq "the user name is stored" "$(launcher_stored ProxyUsername)" "agent smith"
# 58 bytes take two lines of Base64; the next start must read them back whole.
long_pass="a password of fifty-eight bytes, longer than one line: 58!"
launcher_type "$L_PROXYPASS" "$long_pass"
launcher_expect_stored "the long password is stored as two lines of Base64" ProxyPassword \
  "$(printf '%s' "$long_pass" | base64 -w 76 | sed '$!s/$/\r/')"
launcher_click "Use Proxy  Server"
launcher_expect_snapshot "unchecked, the boxes are disabled and keep their texts" \
  "Use Proxy  Server" "$off" "$L_PROXYSERVER" "$grey" "$L_PROXYPORT" "$grey" \
  "$L_PROXYUSER" "$grey" "$L_PROXYPASS" "$grey" \
  -- "$L_PROXYSERVER" "" "$L_PROXYPORT" "8080" "$L_PROXYUSER" "agent smith"
launcher_leave "Use Proxy  Server"
launcher_expect_stored "leaving the proxy check box stores 0" UseProxy 0

# The next start shows what was stored; a results folder that is gone gives way to the default
# without being forgotten.
launcher_quit
launcher_settings ResultPath 'C:\Gone\'
launcher_start
launcher_expect_snapshot "the next start shows the stored options" \
  "$S30" "$on" "$PM" "$on" "$HQ" "$off" "$HDR" "$on" "$TM" "$off" \
  "Voru3V 2 demo" "$on" "Hardware Shadow Mapping" "$off" "Use Proxy  Server" "$off" \
  "$L_PROXYSERVER" "$grey" \
  -- "$L_DEMOEDIT" "" "$L_MAPNAME" "04_Penthouse" "$L_NOTE" "Café ×2" \
  "$L_RESEDIT" "$E2E_INSTALL_WIN\\Benchmark\\" "$L_PROXYSERVER" "p" "$L_PROXYPORT" "8080" \
  "$L_PROXYUSER" "agent smith" "$L_PROXYPASS" "$long_pass"
e2e_expect_eq "the missing results folder stays stored" "$(launcher_stored ResultPath)" 'C:\Gone\'

# "Update benchmark" on the first page only leads to the update page; the one there starts the
# check, which with the proxy on first needs a port that is a number.
launcher_show_page "Paths & information" 0
launcher_click '#307'
[[ $(e2e_poll launcher_visible '#203' -- 1) == 1 ]] || e2e_fail "\"Update benchmark\" on the first page did not show the update page"
sleep 0.5
e2e_expect_eq "nothing else happens" "$(e2e_message_boxes)" ""
launcher_click "Use Proxy  Server"
launcher_expect_state "the proxy is on again" "Use Proxy  Server" "$on"
launcher_type "$L_PROXYPORT" "80a"
launcher_click '#606'
launcher_answer OK "'80a' is not a valid integer value" "a port that is not a number"
launcher_quit
e2e_end

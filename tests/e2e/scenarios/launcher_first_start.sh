#!/usr/bin/env bash
# The launcher's first starts beside an installed game. Without its registry key it loads
# nothing, leaves version.txt for later and creates the key. With the key present but empty it
# shows the defaults (Shader 3.0 with every effect, hardware shadow mapping, the report extras,
# the default results folder), takes its version from version.txt (the first three characters;
# the file is consumed) and stores nothing but the version and the shader profile. A later start
# without the file shows the same version and loads every stored option into its control. A
# version.txt that cannot be read ends the loading with an error box.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: first start, empty key, version.txt, stored options" 1024x768
e2e_install_dist || e2e_end
launcher_install_game
printf '2.41b\r\nsecond line\r\n' > "$E2E_INSTALL_DIR/version.txt"
SYSTEM_WIN="$L_INSTALL_WIN\\system\\"

# --- No key of the launcher's own --------------------------------------------------------
e2e_check "the launcher's key does not exist yet" bash -c '! wine reg query "$1" /reg:32 >/dev/null 2>&1' _ "$L_KEY"
launcher_start
sleep 0.5
e2e_expect_eq "no message box on the first start" "$(e2e_message_boxes)" ""
launcher_expect_page 5
e2e_expect_eq "both navigation groups start closed" \
  "$(launcher_visible "Paths & information")$(launcher_visible "Benchmark help")" "00"
e2e_expect_eq "the game's System folder is shown" "$(launcher_text "$L_SC3PATH")" "$SYSTEM_WIN"
launcher_expect_designed_state "no key"
e2e_check "version.txt waits for a start with a key" test -f "$E2E_INSTALL_DIR/version.txt"
e2e_check "the first start created the launcher's key" launcher_key_exists
launcher_quit

# --- The key exists, without values ----------------------------------------------------------
launcher_start
c3="enabled checked"
launcher_expect_snapshot "empty key: the defaults" \
  "640 × 480" "enabled unchecked" "800 × 600" "enabled unchecked" "1024 × 768" "enabled unchecked" \
  "Ubisoft Lighthouse" "enabled unchecked" "Voru3V 2 demo" "enabled unchecked" \
  "Voru3V 3 demo" "enabled unchecked" "User defined demo" "enabled unchecked" \
  "$L_DEMOEDIT" "disabled unchecked" "$L_DEMOBUTTON" "disabled unchecked" \
  "Shader 1.1" "enabled unchecked" "Shader 2.0 (Only on ATI)" "enabled unchecked" \
  "Shader 3.0 (Read the help)" "$c3" "Parallax Mapping" "$c3" "HQ Soft Shadows" "$c3" \
  "Enable HDR (Pixel Shader 3 only)" "$c3" "Tone Mapping" "$c3" \
  "Use Proxy  Server" "enabled unchecked" "$L_PROXYSERVER" "disabled unchecked" \
  "$L_PROXYPORT" "disabled unchecked" "$L_PROXYUSER" "disabled unchecked" \
  "$L_PROXYPASS" "disabled unchecked" "Hardware Shadow Mapping" "$c3" \
  "Add additional information" "$c3" \
  -- \
  "$L_RESEDIT" "$E2E_INSTALL_WIN\\Benchmark\\" "$L_NOTE" "" "$L_DEMOEDIT" "" "$L_MAPNAME" "" \
  "$L_PROXYSERVER" "" "$L_PROXYPORT" "" "$L_PROXYUSER" "" "$L_PROXYPASS" "" "$L_LABEL21" "2.4"
e2e_check "version.txt was consumed" test ! -e "$E2E_INSTALL_DIR/version.txt"
e2e_expect_eq "Programversion: the first three characters" "$(launcher_stored Programversion)" "2.4"
e2e_expect_eq "ShaderProfile is stored as 3" "$(launcher_stored ShaderProfile)" "3"
names=$(wine reg query "$L_KEY" /reg:32 2>/dev/null | tr -d '\r' | awk '/REG_/ {print $1}' | sort | tr '\n' ' ')
e2e_expect_eq "the start stored nothing else" "$names" "Programversion ShaderProfile "
launcher_quit

# --- Stored options, no version.txt ----------------------------------------------------------
mkdir -p "$WINEPREFIX/drive_c/My Results"
printf 'demo' > "$E2E_INSTALL_DIR/own.dem"  # the launcher's current directory is its folder
launcher_settings 640 1 800 0 1024 1 1280 1 Demo 4 Mapname 11 Demoname own.dem \
  ResultPath 'C:\My Results\' Note "quiet machine" Addinfo 0 UseProxy 1 \
  ProxyServer proxy.example ProxyPort 3128 ProxyUsername "agent smith" \
  ProxyPassword "$(printf 's3cret pass' | base64)" ShaderProfile 7 ParallaxMapping 0 \
  HQSoftShadows yes HDR 1 ToneMapping 0 HSMapping 0
launcher_start
launcher_expect_snapshot "stored options loaded" \
  "640 × 480" "enabled checked" "800 × 600" "enabled unchecked" "1024 × 768" "enabled checked" \
  "User defined demo" "enabled checked" "Ubisoft Lighthouse" "enabled unchecked" \
  "$L_DEMOEDIT" "enabled unchecked" "$L_DEMOBUTTON" "enabled unchecked" "$L_MAPNAME" "enabled unchecked" \
  "Shader 3.0 (Read the help)" "enabled checked" "Parallax Mapping" "enabled unchecked" \
  "HQ Soft Shadows" "enabled checked" "Enable HDR (Pixel Shader 3 only)" "enabled checked" \
  "Tone Mapping" "enabled unchecked" "Use Proxy  Server" "enabled checked" \
  "$L_PROXYSERVER" "enabled unchecked" "$L_PROXYPORT" "enabled unchecked" \
  "$L_PROXYUSER" "enabled unchecked" "$L_PROXYPASS" "enabled unchecked" \
  "Hardware Shadow Mapping" "enabled unchecked" "Add additional information" "enabled unchecked" \
  -- \
  "$L_LABEL21" "2.4" "$L_DEMOEDIT" "own.dem" "$L_MAPNAME" "11_Kokubososho" \
  "$L_RESEDIT" 'C:\My Results\' "$L_NOTE" "quiet machine" "$L_PROXYSERVER" "proxy.example" \
  "$L_PROXYPORT" "3128" "$L_PROXYUSER" "agent smith" "$L_PROXYPASS" "s3cret pass"
e2e_expect_eq "start-up leaves HSMapping as stored" "$(launcher_stored HSMapping)" "0"
e2e_expect_eq "an unknown shader profile is stored as 3" "$(launcher_stored ShaderProfile)" "3"
e2e_expect_eq "rows the display lacks keep their stored value" "$(launcher_stored 1280)" "1"
e2e_expect_eq "Programversion stays" "$(launcher_stored Programversion)" "2.4"
launcher_quit

# --- version.txt that cannot be read -------------------------------------------------------------
# Another program has it open without sharing: the error box, and start-up stops there.
printf '3.00\r\n' > "$E2E_INSTALL_DIR/version.txt"
e2e_hold "$E2E_INSTALL_WIN\\version.txt" 20000
launcher_launch
launcher_answer OK "Cannot open file \"$E2E_INSTALL_WIN\\version.txt\"." "an unreadable version.txt"
launcher_wait_main
launcher_expect_snapshot "after the failed read nothing more is loaded" \
  "640 × 480" "enabled unchecked" "1280 × 1024" "enabled unchecked" "User defined demo" "enabled unchecked" \
  "Shader 3.0 (Read the help)" "enabled unchecked" "Use Proxy  Server" "enabled unchecked" \
  -- "$L_LABEL21" "version" "$L_SC3PATH" "$SYSTEM_WIN" "$L_NOTE" ""
e2e_expect_eq "the unread version is not stored" "$(launcher_stored Programversion)" "2.4"
launcher_quit
e2e_check "the unread version.txt is kept" test -f "$E2E_INSTALL_DIR/version.txt"
e2e_end

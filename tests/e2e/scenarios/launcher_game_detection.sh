#!/usr/bin/env bash
# Start-up without a usable game. Not installed: the splash, no message, the main window on the
# About page with an empty game path, and not one stored option loaded or rewritten. A wrong
# game version (older, or none at all in the game's Versions key): the update message once,
# then the same window; the help file can still be opened, and its absence is reported. A
# stored value of the wrong registry type stops the loading there with an error box.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: start-up that ends early" 1024x768
e2e_install_dist || e2e_end
e2e_register_htm_logger

# Stored options that would change every control if they were loaded, and a crash flag that
# would ask to restore.
launcher_settings Demo 4 Mapname 3 ShaderProfile 1 640 1 800 1 UseProxy 1 ProxyServer proxy.example \
  ProxyPort 3128 Note "stored note" HSMapping 1 Addinfo 1 Programversion 1.2 NoErrorWarning 1
printf '7.77\r\n' > "$E2E_INSTALL_DIR/version.txt"

# --- The game is not installed -------------------------------------------------------------
launcher_launch
# The splash: 640 × 480, centred on the 1024 × 768 screen, before the main window.
for ((i = 0; i < 40; i++)); do
  splash=$(e2e_driver list --quick | grep -F '" visible' | grep -F ' at 192,144 size 640x480') && break
  sleep 0.1
done
e2e_check "a 640 × 480 splash shows centred first" test -n "$splash"
launcher_wait_main
e2e_expect_eq "the splash is gone with the main window" \
  "$(e2e_driver list --quick | grep -F '" visible' | grep -cF ' size 640x480')" "0"
appeared=$(date +%s.%N)
e2e_check "the main window came after the 4 s splash" \
  awk -v a="$appeared" -v s="$E2E_START_TIME" 'BEGIN { exit !(a - s >= 4.0) }'
sleep 0.5
e2e_expect_eq "no message box without the game" "$(e2e_message_boxes)" ""
launcher_expect_page 5
e2e_expect_eq "the game path is empty" "$(launcher_text "$L_SC3PATH")" ""
launcher_expect_designed_state "not installed"
e2e_expect_eq "ShaderProfile is not rewritten" "$(launcher_stored ShaderProfile)" "1"
e2e_expect_eq "Demo is not rewritten" "$(launcher_stored Demo)" "4"
e2e_check "version.txt is left alone" test -f "$E2E_INSTALL_DIR/version.txt"
e2e_expect_eq "Programversion is kept" "$(launcher_stored Programversion)" "1.2"
launcher_quit

# --- An older game version -----------------------------------------------------------------
launcher_install_game 1.05.156
launcher_launch
launcher_answer OK "$L_WRONG_VERSION" "the message for version 1.05.156"
launcher_wait_main
sleep 0.5
e2e_expect_eq "the message came only once" "$(e2e_message_boxes)" ""
launcher_expect_page 5
e2e_expect_eq "the game path stays empty" "$(launcher_text "$L_SC3PATH")" ""
launcher_expect_designed_state "wrong version"
e2e_expect_eq "ShaderProfile is still not rewritten" "$(launcher_stored ShaderProfile)" "1"

# The help file is still there for the user to read about the update.
launcher_page "Benchmark help"
for ((i = 0; i < 50; i++)); do [[ -s $(e2e_opened_log) ]] && break; sleep 0.1; done
e2e_check "\"Benchmark help\" opens help.htm" grep -qi 'Lumenrig\\help.htm' "$(e2e_opened_log)"
rm -f "$E2E_INSTALL_DIR/help.htm"
launcher_page "Benchmark help"
launcher_answer OK "Corrupt Help file, please reinstall the Tavorin Splinter Cell CT Benchmark." \
  "without help.htm, \"Benchmark help\" says so"
e2e_expect_eq "without help.htm nothing more is opened" "$(grep -c . "$(e2e_opened_log)")" "1"
launcher_quit

# --- The Versions key without a version ----------------------------------------------------
wine reg delete "$L_GAME_KEY\\Versions" /v SplinterCell3 /f /reg:32 >/dev/null
launcher_launch
launcher_answer OK "$L_WRONG_VERSION" "the message without a version value"
launcher_wait_main
e2e_expect_eq "no version: the game path stays empty" "$(launcher_text "$L_SC3PATH")" ""
launcher_expect_state "no version: Shader 3.0 is not chosen" "Shader 3.0 (Read the help)" "enabled unchecked"
launcher_quit

e2e_check "version.txt is still there after three starts" test -f "$E2E_INSTALL_DIR/version.txt"

# --- A stored value that is no text ----------------------------------------------------------
# The loading stops at that value with the error box; what comes after it stays as designed,
# and the window opens all the same.
e2e_reg32 "$L_GAME_KEY\\Versions" SplinterCell3 REG_SZ 1.05.157
rm -f "$E2E_INSTALL_DIR/version.txt"
e2e_reg32 "$L_KEY" Note REG_DWORD 7
launcher_launch
launcher_answer OK "Invalid data type for 'Note'" "a number where the note should be"
launcher_wait_main
launcher_expect_snapshot "the options before the note are loaded, the ones after it are not" \
  "640 × 480" "enabled checked" "User defined demo" "enabled checked" "$L_DEMOEDIT" "enabled unchecked" \
  "Use Proxy  Server" "enabled unchecked" "$L_PROXYSERVER" "enabled unchecked" \
  "Shader 1.1" "enabled unchecked" "Parallax Mapping" "enabled unchecked" \
  "Hardware Shadow Mapping" "enabled unchecked" "Add additional information" "enabled unchecked" \
  -- "$L_LABEL21" "1.2" "$L_RESEDIT" "$E2E_INSTALL_WIN\\Benchmark\\" "$L_NOTE" "" "$L_PROXYSERVER" ""
sleep 0.5
e2e_expect_eq "the restore question is not reached" "$(e2e_message_boxes)" ""
launcher_quit
e2e_end

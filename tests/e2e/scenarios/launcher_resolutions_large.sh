#!/usr/bin/env bash
# A display of 2048 × 1536 offers all six resolutions: every row is enabled and shows its
# stored choice, and the mouse leaving the group stores the six as they are shown.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: resolutions on a 2048 x 1536 display" 2048x1536
e2e_install_dist || e2e_end
launcher_install_game
launcher_settings 800 1 1280 1 1600 0 2048 1   # no value for 640 and 1024

launcher_start
launcher_show_page "Base settings" 1
launcher_expect_snapshot "2048 × 1536 display: every row enabled with its stored choice" \
  "640 × 480" "enabled unchecked" "800 × 600" "enabled checked" "1024 × 768" "enabled unchecked" \
  "1280 × 1024" "enabled checked" "1600 × 1200" "enabled unchecked" "2048 × 1536" "enabled checked"
# With the mouse: onto an item, click, and straight out of the group from that item.
e2e_mouse_to "$L_MAIN" "1600 × 1200"
launcher_click "1600 × 1200"
launcher_expect_state "1600 × 1200 is checked by a click" "1600 × 1200" "enabled checked"
e2e_expect_eq "the click alone stores nothing" "$(launcher_stored 1600)" "0"
e2e_mouse_to "$L_MAIN" "1600 × 1200" 40 -30   # above the group
launcher_expect_stored "the mouse leaving the group stores 1600" 1600 1
stored=""
for w in "${L_RES_VALUES[@]}"; do stored+="$w=$(launcher_stored "$w") "; done
e2e_expect_eq "the mouse leaving the group stores all six" "$stored" "640=0 800=1 1024=0 1280=1 1600=1 2048=1 "
launcher_quit
e2e_end

#!/usr/bin/env bash
# A display of 1024 × 768: only the three smaller rows of the resolution group can be chosen;
# the three larger ones are disabled and unchecked, and start-up leaves their stored values
# alone. Clicks and moves within the group change nothing in the registry; the mouse pointer
# leaving the group writes all six values, "0" for the rows the display lacks even where "1"
# was stored.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/launcher/common.sh"

e2e_begin "launcher: resolutions on a 1024 x 768 display" 1024x768
e2e_install_dist || e2e_end
launcher_install_game
launcher_settings 640 0 800 1 1024 1 1280 1 2048 1   # no value for 1600

launcher_start
launcher_show_page "Base settings" 1
launcher_expect_snapshot "1024 × 768 display: the rows at start-up" \
  "640 × 480" "enabled unchecked" "800 × 600" "enabled checked" "1024 × 768" "enabled checked" \
  "1280 × 1024" "disabled unchecked" "1600 × 1200" "disabled unchecked" "2048 × 1536" "disabled unchecked"
e2e_expect_eq "start-up leaves 1280 as stored" "$(launcher_stored 1280)" "1"
e2e_expect_eq "start-up does not create 1600" "$(launcher_stored 1600)" "<missing>"
e2e_expect_eq "start-up leaves 2048 as stored" "$(launcher_stored 2048)" "1"

# Worked with the mouse: onto an item, click, on to the next item of the group (the pointer
# is still in the group: nothing is stored), over the disabled row, then out of the group.
e2e_mouse_to "$L_MAIN" "640 × 480"
launcher_click "640 × 480"
launcher_expect_state "640 × 480 is checked by a click" "640 × 480" "enabled checked"
e2e_mouse_to "$L_MAIN" "1024 × 768"
launcher_click "1024 × 768"
launcher_expect_state "1024 × 768 is unchecked by a click" "1024 × 768" "enabled unchecked"
e2e_mouse_to "$L_MAIN" "2048 × 1536"
launcher_click "2048 × 1536"
launcher_expect_state "a click on the disabled 2048 × 1536 does nothing" "2048 × 1536" "disabled unchecked"
e2e_expect_eq "moving within the group stores nothing" "$(launcher_stored 640)" "0"
e2e_mouse_to "$L_MAIN" "#401" 150 -40   # the page above the group
launcher_expect_stored "the mouse leaving the group stores 2048" 2048 0
stored=""
for w in "${L_RES_VALUES[@]}"; do stored+="$w=$(launcher_stored "$w") "; done
e2e_expect_eq "the mouse leaving the group stores all six" "$stored" "640=1 800=1 1024=0 1280=0 1600=0 2048=0 "

# The stored choice is what the next start shows.
launcher_quit
launcher_start
launcher_expect_snapshot "the next start shows the stored choice" \
  "640 × 480" "enabled checked" "800 × 600" "enabled checked" "1024 × 768" "enabled unchecked" \
  "1280 × 1024" "disabled unchecked"
launcher_quit
e2e_end

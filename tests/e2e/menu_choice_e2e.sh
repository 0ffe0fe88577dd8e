#!/usr/bin/env bash
# End to end: the real program under Xvfb, the simulated unit playing a scenario on a
# pseudo-terminal, the mouse moved by xdotool. Checks that the menu appears, that a click on
# the leaf hands its page code to the unit, that the unit's 'Y' brings back the ready lamp,
# and that a page button's code arrives.
#   menu_choice_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB SCENARIO OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 SCENARIO=$4 OUT=$5
source "$(dirname "$0")/scenario_e2e_lib.sh"
start_scenario 90 "$OUT/e2e-failure.png"
start_corvane "$OUT/e2e-trace.txt"

pixel() { "$GRAB" --pixel "$1" "$2" 2>/dev/null; }
# Orange-ish: the accent (255, 128, 64) as drawn on a button face.
is_accent() { read -r r g b < <(pixel "$1" "$2"); ((r > 200 && g > 80 && g < 180 && b < 120)); }
lamp_green() { read -r r g b < <(pixel 17 783); ((g > 150 && r < 150)); }
lamp_red() { read -r r g b < <(pixel 17 783); ((r > 150 && g < 120)); }

# The menu pane starts at (10, 75): the branch at (0, 2)-(180, 32), the leaf at (0, 34)-(200, 79).
wait_until 30 is_accent 30 92 || fail "the branch of the menu did not appear"
"$GRAB" "$OUT/e2e-menu.png"
# The leaf is flat; its icon (selector 7) is drawn at its left end.
leaf_icon() { local x; for x in $(seq 14 2 46); do is_accent "$x" 130 && return 0; done; return 1; }
leaf_icon || fail "the leaf's icon is not drawn"

# Click the leaf: its page opens and the unit receives the page code while the window is busy.
xdotool mousemove 110 131 click 1
wait_until 10 lamp_red || fail "the busy lamp did not come on"
wait_until 15 lamp_green || fail "the ready lamp did not come back after the unit's 'Y'"

# The page's button sits on the form at (10, 10)-(200, 40); the client pane starts at (265, 75).
wait_until 10 is_accent 290 100 || fail "the page button did not appear"
"$GRAB" "$OUT/e2e-page.png"
xdotool mousemove 290 100 click 1
wait_until 10 lamp_red || fail "the busy lamp did not come on for the page button"
wait_until 15 lamp_green || fail "the ready lamp did not come back"
# The last click tells the unit that the lamp was seen, so it may end the conversation.
xdotool mousemove 290 100 click 1

finish_scenario
echo "e2e: menu, leaf, page button: every reply as expected"

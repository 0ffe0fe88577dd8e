#!/usr/bin/env bash
# End to end: the real program under Xvfb against a scenario on a pseudo-terminal. Checks that a
# reading the unit sends appears on the page, and that a report asked for by the unit is saved
# through the real save dialog (the path typed with xdotool) holding exactly the composed text.
#   live_page_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB SCENARIO OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 SCENARIO=$4 OUT=$5
source "$(dirname "$0")/scenario_e2e_lib.sh"
REPORT=$OUT/e2e-live-report.txt
rm -f "$REPORT"
start_scenario 120 "$OUT/e2e-live-failure.png"
start_corvane "$OUT/e2e-live-trace.txt"

pixel() { "$GRAB" --pixel "$1" "$2" 2>/dev/null; }
is_accent() { read -r r g b < <(pixel "$1" "$2"); ((r > 200 && g > 80 && g < 180 && b < 120)); }
lamp_green() { read -r r g b < <(pixel 17 783); ((g > 150 && r < 150)); }
# White value text in the lower right half of the caption/value box, which sits on the form at
# (10, 10)-(300, 50); the client pane starts at (265, 75).
value_shown() { local n; n=$("$GRAB" --light 420 105 140 30 2>/dev/null) && ((n > 20)); }

# The menu as in menu_choice_e2e.sh: a branch at (0, 2)-(180, 32), the leaf at (0, 34)-(200, 79)
# of the menu pane, which starts at (10, 75).
wait_until 30 is_accent 30 92 || fail "the menu did not appear"
value_shown && fail "the value box shows light pixels before any reading"
xdotool mousemove 110 131 click 1
wait_until 20 value_shown || fail "the reading did not appear in the value box"
"$GRAB" "$OUT/e2e-live-page.png"
wait_until 10 lamp_green || fail "the ready lamp did not come back after the unit's 'Y'"

# "Report" on the form at (10, 100)-(200, 130).
xdotool mousemove 300 190 click 1
wait_until 20 xdotool search --name '^Save As$' >/dev/null || fail "the save dialog did not appear"
DIALOG=$(xdotool search --name '^Save As$' | head -n1)
has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$DIALOG" ]]; }
xdotool windowfocus "$DIALOG" 2>/dev/null || true
wait_until 10 has_focus || fail "the save dialog did not get the keyboard focus"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$REPORT"
xdotool key Return
wait_until 20 test -s "$REPORT" || fail "no report file was written"

finish_scenario
printf 'Engine speed: 4321\r\nGarage M\xfcller\r\n' | cmp - "$REPORT" || fail "the report differs from the composed text"
echo "e2e: live value shown, report saved through the dialog, values read back byte for byte"

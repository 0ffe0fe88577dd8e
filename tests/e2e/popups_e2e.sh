#!/usr/bin/env bash
# End to end: the real program under Xvfb, the simulated unit playing a scenario on a
# pseudo-terminal. The unit asks a YES/NO question, which is answered with a mouse click on
# "YES", then opens a string window, into which a name with a non-ASCII letter is typed; the
# scenario checks every reply byte for byte.
#   popups_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB SCENARIO OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 SCENARIO=$4 OUT=$5
source "$(dirname "$0")/scenario_e2e_lib.sh"
start_scenario 120 "$OUT/popups-e2e-failure.png"
start_corvane "$OUT/popups-e2e-trace.txt"

# The pop-up of the given size (the main window has the same title): prints "X Y" of its
# top-left corner once it is mapped.
find_pop_up() {
  local id
  for id in $(xdotool search --onlyvisible --name '^CORVANE$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if ((WIDTH == $1 && HEIGHT == $2)); then
      echo "$X $Y"
      return 0
    fi
  done
  return 1
}

# The question box is 450 x 150; "YES" spans (20, 100)-(210, 130) inside it.
wait_until 30 grep -q "question shown" "$WORK/unit.err" || fail "the unit did not see the question shown"
wait_until 10 find_pop_up 450 150 >/dev/null || fail "the question box did not appear"
read -r BX BY < <(find_pop_up 450 150)
"$GRAB" "$OUT/popups-e2e-question.png"
xdotool mousemove $((BX + 115)) $((BY + 115)) click 1

# The string window is 409 x 152; its edit field spans (20, 60)-(389, 90).
wait_until 30 grep -q "string window shown" "$WORK/unit.err" || fail "the YES click did not reach the unit"
wait_until 10 find_pop_up 409 152 >/dev/null || fail "the string window did not appear"
read -r SX SY < <(find_pop_up 409 152)
xdotool mousemove $((SX + 100)) $((SY + 75)) click 1
xdotool type --delay 60 "Jürgen"
"$GRAB" "$OUT/popups-e2e-string.png"
xdotool key Return

finish_scenario
echo "e2e: question answered with the mouse, text typed: every reply as expected"

#!/usr/bin/env bash
# End to end: the real program under Xvfb, the simulated unit playing a scenario on a
# pseudo-terminal. The unit asks a YES/NO question, which is answered with a mouse click on
# "YES", then opens a string window, into which a name with a non-ASCII letter is typed; the
# scenario checks every reply byte for byte.
#   popups_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB SCENARIO OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 SCENARIO=$4 OUT=$5
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/popups-e2e-failure.png" 2>/dev/null && echo "screen: $OUT/popups-e2e-failure.png" >&2
  echo "--- corvane-unit" >&2
  cat "$WORK/unit.err" >&2 || true
  exit 1
}

start_virtual_screen 120 || fail "Xvfb did not start"

"$UNIT" --pty --scenario "$SCENARIO" >"$WORK/unit.out" 2>"$WORK/unit.err" &
UNIT_PID=$!
VS_PIDS+=($UNIT_PID)
wait_until 10 test -s "$WORK/unit.out" || fail "corvane-unit printed no device"
PTY=$(head -n1 "$WORK/unit.out")

mkdir -p "$WORK/config"
XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --port "$PTY" --trace "$OUT/popups-e2e-trace.txt" \
  >"$WORK/corvane.log" 2>&1 &
VS_PIDS+=($!)
wait_until 20 xdotool search --name '^CORVANE$' >/dev/null || fail "the main window did not appear"

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

wait "$UNIT_PID" || fail "the scenario failed"
grep -q "scenario passed" "$WORK/unit.err" || fail "the scenario did not finish"
echo "e2e: question answered with the mouse, text typed: every reply as expected"

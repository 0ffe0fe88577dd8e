#!/usr/bin/env bash
# Keys over a notice, through the X server (Xvfb without a window manager): while the unit works
# on a function and shows a notice, Enter pressed at once and again never closes the notice nor
# the program; Escape closes the notice as its close button does; the close question that
# Escape then asks starts on NO, so Enter keeps the program; only a move to YES ends it.
#   notice_keys_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB SCENARIO OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 SCENARIO=$4 OUT=$5
source "$(dirname "$0")/scenario_e2e_lib.sh"
start_scenario 190 "$OUT/notice-keys-failure.png"
start_corvane "$OUT/notice-keys-trace.txt"
CORVANE_PID=${VS_PIDS[-1]}
MAIN=$(xdotool search --name '^CORVANE$' | head -n1)

focused() { xdotool getwindowfocus 2>/dev/null || echo none; }
key() { xdotool key --delay 60 "$@"; }
alive() { kill -0 "$CORVANE_PID" 2>/dev/null; }
narrated() { grep -aq "$1" "$WORK/unit.err"; }
# The windows shown besides the main window: the notice, or the close question.
pop_ups() { xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$MAIN" || true; }
one_pop_up_has_keys() { local p; p=$(pop_ups); [[ $(wc -l <<<"$p") -eq 1 && -n $p && $(focused) == "$p" ]]; }
main_has_keys() { [[ -z $(pop_ups) && $(focused) == "$MAIN" ]]; }
# A key pressed where nothing must happen: the program is given time to do the wrong thing.
settle() { sleep 1; }

# The skin's focus colour (255, 255, 128) at a point, and on the top edge of the menu's first entry.
focus_mark_at() { local r g b; read -r r g b < <("$GRAB" --pixel "$1" "$2" 2>/dev/null); ((r > 240 && g > 240 && b > 100 && b < 160)); }
focus_mark_on_entry() { local y; for y in 76 77 78 79 80; do focus_mark_at 100 "$y" && return 0; done; return 1; }
# The focus mark 3 px inside the top edge of the question's NO button (240, 100)-(430, 130).
focus_mark_on_no() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$(pop_ups)")"
  focus_mark_at $((X + 300)) $((Y + 103))
}

wait_until 20 main_has_keys || fail "the main window did not take the keys"
wait_until 30 narrated "menu sent" || fail "the unit did not send its menu"
# Tab past the band's seven buttons to the menu's entry, which shows the focus mark; Enter opens
# it and the unit starts working.
key Tab Tab Tab Tab Tab Tab Tab Tab
wait_until 10 focus_mark_on_entry || fail "no focus mark on the menu entry after Tab"
key Return
wait_until 30 narrated "function started" || fail "the unit never received the choice"
wait_until 30 narrated "notice shown" || fail "the notice was not shown to the unit"
wait_until 10 one_pop_up_has_keys || fail "the notice did not take the keys"
NOTICE=$(pop_ups)

# Enter at once, and twice more: the notice stays, no question comes, the program runs on.
key Return
settle
key Return Return
settle
alive || fail "Enter over the notice ended the program"
[[ $(pop_ups) == "$NOTICE" ]] || fail "Enter over the notice closed it or opened another window"
"$GRAB" "$OUT/notice-keys-notice.png"

# Escape closes the notice as its close button does; the keys go back to the main window.
key Escape
wait_until 10 main_has_keys || fail "Escape did not close the notice"
alive || fail "Escape over the notice ended the program"

# The unit is still at work: the close question starts on NO, and Enter keeps the program.
key Escape
wait_until 10 one_pop_up_has_keys || fail "Escape did not ask the close question"
wait_until 5 focus_mark_on_no || fail "the close question does not show its keys on NO"
"$GRAB" "$OUT/notice-keys-question.png"
key Return
wait_until 10 main_has_keys || fail "Enter did not answer the close question"
settle
alive || fail "Enter on the close question ended the program while the unit was at work"

# Asked again, a move to YES ends it.
key Escape
wait_until 10 one_pop_up_has_keys || fail "Escape did not ask the close question again"
key Left Return
wait_until 20 bash -c "! kill -0 $CORVANE_PID 2>/dev/null" || fail "YES did not end the program"
wait "$CORVANE_PID" || fail "the program ended with status $?"
echo "e2e: Enter kept the notice and the program, Escape closed the notice, the question started on NO"

#!/usr/bin/env bash
# End to end by keyboard alone: the real program under Xvfb without a window manager, against
# the simulated unit's demo on a pseudo-terminal. Every entry of the menu is opened and every
# button of every page pressed with Tab, the arrows and Enter; every pop-up that comes is
# answered by keys (the first button of a box, a line of a list, a typed text, START and ESC on
# the key pad, a path typed into a file dialog). The pointer never clicks. Checks that each
# pop-up gets the keys and hands them back, that the window is ready again after every step,
# that the unit received the answers (its narration and the link trace) and found no fault, that
# the report and the unit's files were saved and a file loaded, and that the program ends by
# keys through its close question.
#   keyboard_walk_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 OUT=$4
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
TRACE=$OUT/keyboard-walk-trace.txt
FILES=$WORK/home
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/keyboard-walk-failure.png" 2>/dev/null &&
    echo "screen: $OUT/keyboard-walk-failure.png" >&2
  echo "--- unit narration" >&2
  grep -a '^unit: ' "$WORK/unit.err" >&2 || true
  echo "--- last replies" >&2
  grep -a 'PC -> unit A ' "$WORK/unit.err" | tail -n 5 >&2 || true
  echo "--- corvane" >&2
  cat "$WORK/corvane.log" >&2 || true
  exit 1
}

start_virtual_screen 140 || fail "Xvfb did not start"
mkdir -p "$FILES" "$WORK/config"
# The file the unit is given: 3000 bytes of a fixed pattern.
for ((i = 0; i < 100; ++i)); do printf 'ABCDEFGHIJKLMNOPQRSTUVWXYZ0123'; done >"$FILES/for-unit.bin"

"$UNIT" --pty --log >"$WORK/unit.out" 2>"$WORK/unit.err" &
UNIT_PID=$!
VS_PIDS+=($UNIT_PID)
wait_until 10 test -s "$WORK/unit.out" || fail "corvane-unit printed no device"
PTY=$(head -n1 "$WORK/unit.out")
HOME=$FILES XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --port "$PTY" --trace "$TRACE" \
  >"$WORK/corvane.log" 2>&1 &
CORVANE_PID=$!
VS_PIDS+=($CORVANE_PID)
wait_until 20 xdotool search --onlyvisible --name '^CORVANE$' >/dev/null || fail "the main window did not appear"
MAIN=$(xdotool search --onlyvisible --name '^CORVANE$' | head -n1)

pixel() { "$GRAB" --pixel "$1" "$2" 2>/dev/null; }
lamp_green() { read -r r g b < <(pixel 17 783); ((g > 150 && r < 150)); }
# The skin's focus colour (255, 255, 128) at a point.
focus_mark_at() { read -r r g b < <(pixel "$1" "$2"); ((r > 240 && g > 240 && b > 100 && b < 160)); }
focused() { xdotool getwindowfocus 2>/dev/null || echo none; }
keys_left() { [[ $(focused) != "$1" ]]; }
main_has_keys() { [[ $(focused) == "$MAIN" ]]; }
popup_has_keys() { local f; f=$(focused); [[ $f != "$MAIN" && $f != none ]] && xdotool getwindowname "$f" >/dev/null 2>&1; }
pop_ups_shown() { (($(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -cvx "$MAIN") > 0)); }
narrated() { grep -aq "^unit: $1" "$WORK/unit.err"; }
key() { xdotool key --delay 60 "$@"; }
tabs() { local i; for ((i = 0; i < $1; ++i)); do key "${2:-Tab}"; done; }

# The kind letter of the unit's last box request, from its log of the frames it sent.
last_box_kind() {
  grep -a 'unit -> PC B ' "$WORK/unit.err" | tail -n1 | sed -n 's/.*bytes: "\(.\).*/\1/p'
}

# The unit's last box request has been followed by the lines of its list.
list_sent() { grep -a 'unit -> PC [BL] ' "$WORK/unit.err" | tail -n1 | grep -q 'PC L '; }

# A point on the background of the list window's first row, right of its text: the list sits
# 10 px from the window's left and 68 px below its top.
list_row_point() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$((X + 300)) $((Y + 76))"
}
pixel_differs() { [[ $(pixel "$1" "$2") != "$3" ]]; }

SAVED=0
# Answers the pop-up that has the keys, by keys only, and waits for it to hand them back.
answer() {
  local window name
  window=$(focused)
  name=$(xdotool getwindowname "$window" 2>/dev/null || true)
  case $name in
    *Save*)
      SAVED=$((SAVED + 1))
      key ctrl+a
      xdotool type --delay 20 "$FILES/saved-$SAVED"
      key Return
      ;;
    *Open*)
      key ctrl+a
      xdotool type --delay 20 "$FILES/for-unit.bin"
      key Return
      ;;
    *)
      case $(last_box_kind) in
        y | k | q) key Return ;;         # YES, OK, COMPUTER: the first button, nothing moved
        l)
          # The unit sends the lines once it sees the window open. Down picks the first line
          # once the window shows it: the first row's background takes the selection colour.
          wait_until 10 list_sent || fail "the unit sent no lines for its list window"
          local row_x row_y empty_row
          read -r row_x row_y < <(list_row_point "$window")
          empty_row=$(pixel "$row_x" "$row_y")
          local tries=0
          until key Down && wait_until 2 pixel_differs "$row_x" "$row_y" "$empty_row"; do
            ((++tries < 10)) || fail "the list window showed no line to choose"
          done
          key Return
          ;;
        n) xdotool type --delay 40 "Walker"; key Return ;;
        a) key Return; tabs 9; key Return ;;  # START, then Tab along to ESC
        *) ;;                            # a notice: the unit closes it
      esac
      ;;
  esac
  wait_until 30 keys_left "$window" || fail "the pop-up \"$name\" kept the keys after its answer"
}

# After a step: answers what comes until the window is ready, holds the keys and shows no
# pop-up for two seconds running.
settle() {
  local quiet_since=$SECONDS end=$((SECONDS + 90))
  while ((SECONDS < end)); do
    if popup_has_keys; then
      answer
      quiet_since=$SECONDS
    elif ! main_has_keys || ! lamp_green || pop_ups_shown; then
      quiet_since=$SECONDS
    elif ((SECONDS - quiet_since >= 2)); then
      return 0
    fi
    sleep 0.2
  done
  fail "not ready after $1: keys with $(focused), lamp $(pixel 17 783)"
}

wait_until 30 narrated "jumped to the About page" || fail "the demo did not start"
settle "the start"
main_has_keys || fail "the main window did not take the keys"

# Tab: the band's seven buttons (COM setting, info, graph, job and the three caption buttons),
# then the first menu entry, which shows the focus mark.
tabs 8
wait_until 5 focus_mark_at 100 80 || fail "no focus mark on the first menu entry after Tab"
# Open every branch with Right, walking down with Down: 16 entries shown, the focus on
# "Workshop" (entry 11) at the end.
key Right Down Right Down Down Down Right Down Down Down Right Down Down Down Right
POS=11
# The leaves by their place in the opened outline, and for each the page controls pressed:
# "position" of a control in the page's reading order, optionally ":keys" pressed there before
# Enter (Enter in a list or field does nothing).
walk_page() {
  local entry=$1; shift
  if ((entry > POS)); then tabs $((entry - POS)) Down; else tabs $((POS - entry)) Up; fi
  POS=$entry
  key Return
  settle "opening entry $entry"
  local step at=0 position keys
  for step in "$@"; do
    position=${step%%:*}
    keys=${step#*:}
    [[ $step == *:* ]] || keys=
    # From the leaf: the entries below it, then the page's controls.
    if ((at == 0)); then tabs $((16 - entry + position)); else tabs $((position - at)); fi
    at=$position
    if [[ -n $keys ]]; then
      # shellcheck disable=SC2086
      key $keys
    fi
    key Return
    settle "control $position of entry $entry"
  done
  # Back to the leaf.
  if ((at > 0)); then tabs $((16 - entry + at)) shift+Tab; fi
}

walk_page 3 1 2                        # Live data: Report (the save dialog), Snapshot
walk_page 4 "1:Down" 2 3               # Fault codes: a line chosen, Details; Clear codes (YES, notice, OK)
walk_page 6 1 2                        # Injector test: Run test, Key pad (START, ESC)
walk_page 7 1                          # Fuel pump: Prime pump
walk_page 9 1                          # Service reset: YES, OK
walk_page 10 1                         # Key programming: notice, OK
walk_page 12 1 5                       # Settings: Change on Units, then Save settings
walk_page 13 1 2 3                     # Customer: a name, a vehicle, COMPUTER
walk_page 14 2 3                       # Files: the log saved, a file loaded
walk_page 15 1 2 3 4 5 6 7 8 9 10      # Pop-ups: every kind
walk_page 16                           # About

# What the unit made of the answers.
for said in "report of the live values requested" "snapshot stored" "details of" "fault codes cleared" \
  "injector test run" "key pad: START" "key pad closed with ESC" "fuel pump primed" \
  "service interval reset" "2 keys learned" "settings saved: Imperial" "customer entered: Walker" \
  "vehicle chosen: line [1-3]," "customer record stored on the" "log file of" "file for-unit.bin fetched, 3000 bytes" \
  "file for-unit.bin of 3000 bytes fetched and sent back"; do
  narrated "$said" || fail "the unit never said: $said"
done
# The typed name reached the unit byte for byte in a status reply (box result 2).
grep -aq 'PC -> unit A .* 02 FF 01 "Walker^"' "$WORK/unit.err" || fail "the typed name never reached the unit"
grep -l 'Engine speed' "$FILES"/saved-* >/dev/null || fail "no saved report holds the live values"
ROUND=$(for f in "$FILES"/saved-*; do cmp -s "$f" "$FILES/for-unit.bin" && echo "$f"; done | head -n1)
[[ -n $ROUND ]] || fail "the file sent back by the unit was not saved as loaded"

# The end by keys: Escape asks, YES (the first button) closes.
key Escape
wait_until 10 popup_has_keys || fail "Escape did not ask the close question"
"$GRAB" "$OUT/keyboard-walk-close-question.png"
key Return
wait_until 20 bash -c "! kill -0 $CORVANE_PID 2>/dev/null" || fail "YES did not close the program"
wait "$UNIT_PID" || true
grep -aq 'replies checked, 0 faults' "$WORK/unit.err" || fail "the unit found faults: $(grep -a 'faults' "$WORK/unit.err")"
echo "e2e: the whole demo walked by keys alone, $SAVED files saved, every answer received, no fault"

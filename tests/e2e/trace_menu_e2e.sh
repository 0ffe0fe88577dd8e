#!/usr/bin/env bash
# End to end: the verbose trace switched from the COM setting dialog's right-click menu, with
# real clicks under Xvfb. The program runs against the simulated unit's demo on a
# pseudo-terminal and is given its window system by Qt's own -platform option. Checks that the
# menu appears where it belongs (at the pointer), that choosing its item asks for a file and
# starts the trace while the dialog stays open, that the dialog then says where the trace goes,
# and that the same item switches the trace off again.
#   trace_menu_e2e.sh CORVANE CORVANE_UNIT SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 GRAB=$3 OUT=$4
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
TRACE=$OUT/e2e-menu-trace.txt
rm -f "$TRACE"
fail() {
  echo "FAIL: $*" >&2
  local shot=$OUT/e2e-trace-menu-failure.png
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$shot" 2>/dev/null && echo "screen: $shot" >&2
  echo "--- corvane" >&2
  cat "$WORK/corvane.log" >&2 || true
  exit 1
}

start_virtual_screen 120 || fail "Xvfb did not start"

"$UNIT" --pty >"$WORK/unit.out" 2>"$WORK/unit.err" &
VS_PIDS+=($!)
wait_until 10 test -s "$WORK/unit.out" || fail "corvane-unit printed no device"
PTY=$(head -n1 "$WORK/unit.out")

mkdir -p "$WORK/config"
XDG_CONFIG_HOME="$WORK/config" "$CORVANE" -platform xcb --port "$PTY" >"$WORK/corvane.log" 2>&1 &
CORVANE_PID=$!
VS_PIDS+=($CORVANE_PID)
wait_until 20 xdotool search --name '^CORVANE$' >/dev/null || fail "the main window did not appear"

pixel() { "$GRAB" --pixel "$1" "$2" 2>/dev/null; }
# The menu is drawn by Qt in light colours, its first item just right of and below the pointer,
# where the dialog is dark or grey.
menu_item_x() { echo $((DIALOG_X + 6 + 40)); }
menu_item_y() { echo $((DIALOG_Y + 70 + 10)); }
menu_shown() { read -r r g b < <(pixel "$(menu_item_x)" "$(menu_item_y)"); ((r > 180 && g > 180 && b > 180)); }
trace_open() { ls -l "/proc/$CORVANE_PID/fd" 2>/dev/null | grep -q -- "$TRACE"; }
dialog_id() { xdotool search --name '^Com setting$' 2>/dev/null | head -n1; }
dialog_open() { [[ -n $(dialog_id) ]]; }
dialog_closed() { [[ -z $(dialog_id) ]]; }
save_dialog_open() { xdotool search --name 'Save' >/dev/null 2>&1; }
trace_closed() { ! trace_open; }

open_com_setting() {
  # The "Com setting" button of the title band, (325, 24)-(450, 74).
  xdotool mousemove 387 49 click 1
  wait_until 10 dialog_open || fail "the COM setting dialog did not open"
  local geometry
  geometry=$(xdotool getwindowgeometry "$(dialog_id)")
  DIALOG_X=$(sed -n 's/.*Position: \([0-9]*\),.*/\1/p' <<<"$geometry")
  DIALOG_Y=$(sed -n 's/.*Position: [0-9]*,\([0-9]*\).*/\1/p' <<<"$geometry")
  [[ -n $DIALOG_X && -n $DIALOG_Y ]] || fail "no place for the dialog: $geometry"
  # Mapped is not yet drawn and taking input: wait for its orange caption band.
  wait_until 10 caption_drawn || fail "the dialog was not drawn"
}
caption_drawn() {
  read -r r g b < <(pixel $((DIALOG_X + 60)) $((DIALOG_Y + 8)))
  ((r > 200 && g > 80 && g < 180 && b < 120))
}

right_click_dialog() {
  # The left margin beside the prompt and the list: the dialog itself, no child control.
  xdotool mousemove $((DIALOG_X + 6)) $((DIALOG_Y + 70)) click 3
  wait_until 10 menu_shown || fail "the right-click menu did not appear at the pointer"
}

press_ok() {
  # The OK button, 10 to 55 pixels below the list (which ends 80 pixels down).
  xdotool mousemove $((DIALOG_X + 100)) $((DIALOG_Y + 113)) click 1
  wait_until 10 dialog_closed || fail "OK did not close the COM setting dialog"
}

# Switch on: the menu, its item, the file dialog.
open_com_setting
menu_shown && fail "something light is already drawn where the menu goes"
right_click_dialog
"$GRAB" "$OUT/e2e-trace-menu.png"
xdotool mousemove "$(menu_item_x)" "$(menu_item_y)" click 1
wait_until 10 save_dialog_open || fail "choosing the item did not ask for a file"
# No window manager hands out the keyboard here: give it to the file dialog, whose name field
# has the focus inside it.
xdotool windowfocus --sync "$(xdotool search --name 'Save' | head -n1)"
xdotool key ctrl+a
xdotool type --delay 20 "$TRACE"
xdotool key Return
wait_until 10 test -s "$TRACE" || fail "the trace was not written to $TRACE"
wait_until 10 trace_open || fail "the program does not hold the trace file open"
dialog_open || fail "the COM setting dialog closed on the switch"
press_ok
grep -q 'RX - ' "$TRACE" || fail "the trace holds no received frame"

# The dialog now says where the trace goes; the same item switches it off.
open_com_setting
"$GRAB" "$OUT/e2e-trace-on-dialog.png"
right_click_dialog
xdotool mousemove "$(menu_item_x)" "$(menu_item_y)" click 1
wait_until 10 trace_closed || fail "the trace file is still open after switching off"
save_dialog_open && fail "switching off asked for a file"
press_ok
echo "e2e: right-click menu at the pointer, trace switched on into $TRACE and off again"

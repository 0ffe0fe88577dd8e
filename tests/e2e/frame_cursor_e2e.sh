#!/usr/bin/env bash
# End to end, on a real X server (Xvfb): the cursors of the main window's drag zones as the
# server shows them, and the size caption button acting on the first click in every state.
#   frame_cursor_e2e.sh CORVANE CURSOR_PROBE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 PROBE=$2 GRAB=$3 OUT=$4
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/frame-cursor-failure.png" 2>/dev/null && echo "screen: $OUT/frame-cursor-failure.png" >&2
  echo "--- corvane" >&2
  cat "$WORK/corvane.log" >&2 || true
  exit 1
}

start_virtual_screen 140 || fail "Xvfb did not start"

# Covering the work area (state 1), which on this screen is the whole 1280 x 800.
mkdir -p "$WORK/config"
printf 'COM01,1' >"$WORK/config/corvane.cfg"
XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --demo >"$WORK/corvane.log" 2>&1 &
VS_PIDS+=($!)
wait_until 60 xdotool search --name '^CORVANE$' >/dev/null || fail "the main window did not appear"
WINDOW=$(xdotool search --name '^CORVANE$' | head -n1)

geometry() { xdotool getwindowgeometry --shell "$WINDOW" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' '; }
has_size() { [[ $(geometry) == "WIDTH=$1 HEIGHT=$2 " ]]; }
wait_until 10 has_size 1280 800 || fail "the window does not cover the screen: $(geometry)"

probe() { "$PROBE"; }
# The cursor once it has stopped changing: three equal readings in a row.
settle() {
  local last now same=0
  last=$(probe)
  for _ in $(seq 1 40); do
    sleep 0.15
    now=$(probe)
    if [[ $now == "$last" ]]; then
      ((++same >= 2)) && break
    else
      same=0
      last=$now
    fi
  done
  echo "$last"
}
# Moves the pointer and waits until the cursor is (or, with "not", is no longer) the given one.
expect_cursor() {
  local x=$1 y=$2 relation=$3 want=$4 what=$5
  xdotool mousemove "$x" "$y"
  if [[ $relation == is ]]; then
    wait_until 5 bash -c "[[ \$('$PROBE') == '$want' ]]" || fail "$what: the arrow expected at ($x, $y)"
  else
    wait_until 5 bash -c "[[ \$('$PROBE') != '$want' ]]" || fail "$what: a drag cursor expected at ($x, $y)"
  fi
}

W=1280 H=800
# The references: the move cursor over the title band, the arrow over the empty client pane. A
# first round trip makes sure the program has taken over the cursor from the server's default.
xdotool mousemove 700 400
START=$(settle)
xdotool mousemove 200 10
wait_until 10 bash -c "[[ \$('$PROBE') != '$START' ]]" || fail "the title band shows no move cursor"
MOVE=$(settle)
xdotool mousemove 700 400
wait_until 10 bash -c "[[ \$('$PROBE') != '$MOVE' ]]" || fail "the move cursor stays over the client pane"
ARROW=$(settle)
[[ -n $ARROW && $ARROW != "$MOVE" ]] || fail "no cursor readings"
expect_cursor 200 10 not "$ARROW" "the title band"
expect_cursor $((W - 31)) 14 is "$ARROW" "the size caption button, coming from the title band"
expect_cursor 200 10 not "$ARROW" "the title band again"
expect_cursor 330 27 is "$ARROW" "the Com setting button, coming from the title band"
expect_cursor $((W - 6)) 100 not "$ARROW" "the right edge"
expect_cursor $((W - 30)) 100 is "$ARROW" "the client pane, coming from the right edge"
expect_cursor 100 $((H - 6)) not "$ARROW" "the bottom edge"
expect_cursor 60 $((H - 15)) is "$ARROW" "the status text, coming from the bottom edge"
expect_cursor 200 10 not "$ARROW" "the title band"
expect_cursor 5 200 is "$ARROW" "the left margin, coming from the title band"

# The size button: work area -> normal size -> maximised -> work area, one click each.
config() { cat "$WORK/config/corvane.cfg"; }
xdotool mousemove $((W - 31)) 14 click 1
wait_until 10 has_size 646 464 || fail "one click did not bring the normal size: $(geometry)"
[[ $(config) == "COM01,2" ]] || fail "the file holds $(config) after the first click"
xdotool mousemove $((646 - 31)) 14 click 1
wait_until 10 has_size 1280 800 || fail "one click in the normal size did not maximise: $(geometry)"
[[ $(config) == "COM01,0" ]] || fail "the file holds $(config) after the second click"
expect_cursor 200 10 is "$ARROW" "the title band of the maximised window"
expect_cursor $((W - 6)) 100 is "$ARROW" "the right edge of the maximised window"
xdotool mousemove $((W - 31)) 14 click 1
wait_until 10 bash -c "[[ \$(cat '$WORK/config/corvane.cfg') == COM01,1 ]]" ||
  fail "one click when maximised did not return to the work area: $(config)"
has_size 1280 800 || fail "the window does not cover the work area: $(geometry)"
expect_cursor 200 10 not "$ARROW" "the title band after leaving the maximised state"
echo "e2e: drag-zone cursors and the size button as expected"

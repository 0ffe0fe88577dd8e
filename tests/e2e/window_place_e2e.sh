#!/usr/bin/env bash
# End to end, on a real X server (Xvfb, no window manager): -qwindowgeometry places the window;
# where the user moves it is where it comes back at the next start; a window maximised when it
# ended comes back maximised; the configuration's first seven bytes stay a complete setting.
#   window_place_e2e.sh CORVANE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 GRAB=$2 OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
CONFIG=$WORK/config/corvane.cfg
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/window-place-failure.png" 2>/dev/null && echo "screen: $OUT/window-place-failure.png" >&2
  echo "--- corvane.cfg" >&2
  cat "$CONFIG" >&2 || true
  echo "--- corvane" >&2
  cat "$WORK/corvane.log" >&2 || true
  exit 1
}

start_virtual_screen 260 || fail "Xvfb did not start"
mkdir -p "$WORK/config"
printf 'COM01,2' >"$CONFIG"

# start [ARGS]: the program with its demo unit; sets PC and WINDOW once the window shows.
start() {
  XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --demo "$@" >"$WORK/corvane.log" 2>&1 &
  PC=$!
  VS_PIDS+=($PC)
  wait_until 60 xdotool search --onlyvisible --name '^CORVANE$' >/dev/null || fail "the main window did not appear"
  WINDOW=$(xdotool search --onlyvisible --name '^CORVANE$' | head -n1)
}
place() { xdotool getwindowgeometry --shell "$WINDOW" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr '\n' ' '; }
is_at() { [[ $(place) == "X=$1 Y=$2 WIDTH=$3 HEIGHT=$4 " ]]; }
# Ends the program with the close caption button (top right, 14 px from the right edge).
close_by_button() {
  local X Y WIDTH HEIGHT SCREEN WINDOW_ID
  eval "$(xdotool getwindowgeometry --shell "$WINDOW" | sed 's/^WINDOW=/WINDOW_ID=/')"
  xdotool mousemove $((X + WIDTH - 14)) $((Y + 14)) click 1
  wait_until 20 bash -c "! kill -0 $PC 2>/dev/null" || fail "the close button did not end the program"
  wait "$PC" || fail "the program ended with status $?"
}

# 1. The geometry given on the command line.
start -qwindowgeometry 700x500+40+30
wait_until 10 is_at 40 30 700 500 || fail "-qwindowgeometry 700x500+40+30 gave $(place)"

# 2. Moved by its title band, ended, started again: where it was left.
xdotool mousemove 440 45 mousedown 1
xdotool mousemove 470 90
xdotool mousemove 500 135 mouseup 1
wait_until 10 is_at 100 120 700 500 || fail "the drag left the window at $(place)"
close_by_button
[[ $(head -c 7 "$CONFIG") == "COM01,2" ]] || fail "the first seven bytes are no longer the setting"
grep -qx 'place=100,120,700,500' "$CONFIG" || fail "the place was not remembered"
start
wait_until 10 is_at 100 120 700 500 || fail "the next start put the window at $(place)"

# 3. The size button maximises it; ended so, it comes back maximised, and its normal place is
#    kept for the next click of the size button.
eval "$(xdotool getwindowgeometry --shell "$WINDOW" | grep -E '^(X|Y|WIDTH)=')"
xdotool mousemove $((X + WIDTH - 31)) $((Y + 14)) click 1
wait_until 10 is_at 0 0 1280 800 || fail "the size button did not maximise the window: $(place)"
close_by_button
[[ $(head -c 7 "$CONFIG") == "COM01,0" ]] || fail "the maximised state was not remembered: $(head -c 7 "$CONFIG")"
start
wait_until 10 is_at 0 0 1280 800 || fail "the maximised window came back as $(place)"
grep -qx 'place=100,120,700,500' "$CONFIG" || fail "the normal place was lost"
"$GRAB" "$OUT/window-place-maximised.png"
echo "e2e: -qwindowgeometry honoured, the place and the maximised state remembered between runs"

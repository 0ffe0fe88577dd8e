#!/usr/bin/env bash
# End to end under a Wayland compositor: the caption band moves the main window and its right
# edge sizes it. A compositor ignores a client that places its own window, so this passes only
# when the drags are handed to the compositor. Weston runs nested in Xvfb (its headless back-end
# takes no input), the program on Qt's Wayland platform; where the window is, is read from the
# screen by the accent bar of its title band. Exit status 77 (skipped) where weston or Qt's
# Wayland platform is missing or does not start.
#   wayland_frame_e2e.sh CORVANE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 GRAB=$2 OUT=$3
SKIP=77
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
skip() { echo "SKIPPED: $*" >&2; exit "$SKIP"; }
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/wayland-frame-failure.png" 2>/dev/null && echo "screen: $OUT/wayland-frame-failure.png" >&2
  echo "--- weston" >&2; tail -n 20 "$WORK/weston.log" >&2 || true
  echo "--- corvane" >&2; cat "$WORK/corvane.log" >&2 || true
  exit 1
}

command -v weston >/dev/null || skip "weston is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || skip "Qt's Wayland platform (qt6-wayland) is not installed"
start_virtual_screen 160 || fail "Xvfb did not start"

# The compositor's socket lives in a runtime folder of this test's own.
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
SOCKET=corvane-e2e
weston --backend=x11-backend.so --width=1200 --height=760 --socket=$SOCKET --idle-time=0 >"$WORK/weston.log" 2>&1 &
VS_PIDS+=($!)
wait_until 30 test -S "$XDG_RUNTIME_DIR/$SOCKET" || skip "weston did not start: $(tail -n 3 "$WORK/weston.log")"
# Weston follows the X pointer from the moment it enters its output window: start outside it.
xdotool mousemove 1270 790

# Normal size, so the window may be moved and sized.
mkdir -p "$WORK/config"
printf 'COM01,2' >"$WORK/config/corvane.cfg"
WAYLAND_DISPLAY=$SOCKET XDG_CONFIG_HOME="$WORK/config" "$CORVANE" -platform wayland --demo >"$WORK/corvane.log" 2>&1 &
VS_PIDS+=($!)

ACCENT="255 128 64"
accent() { "$GRAB" --find $ACCENT; }  # "X Y W" of the accent bar, which starts 280 px right of the window's edge
accent_is_shown() { [[ -n $(accent) ]]; }
wait_until 60 accent_is_shown || fail "the main window did not appear"
# Until it stops changing (the compositor may still be placing it).
steady_accent() {
  local last now
  last=$(accent)
  for _ in $(seq 1 50); do
    sleep 0.2
    now=$(accent)
    [[ $now == "$last" ]] && { echo "$now"; return; }
    last=$now
  done
  echo "$last"
}
read -r X0 Y0 W0 <<<"$(steady_accent)"

drag() {  # drag FROM_X FROM_Y DX DY, in small steps as a hand would
  local i
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  for i in $(seq 1 10); do xdotool mousemove $(($1 + $3 * i / 10)) $(($2 + $4 * i / 10)); sleep 0.05; done
  xdotool mouseup 1
}
near() { (($1 - $2 <= 3 && $2 - $1 <= 3)); }

# The caption band left of the accent bar (window point (180, 10)), dragged by (120, 90).
drag $((X0 - 100)) $((Y0 + 4)) 120 90
moved() { read -r x y w <<<"$(accent)"; near "$x" $((X0 + 120)) && near "$y" $((Y0 + 90)) && near "$w" "$W0"; }
wait_until 10 moved || fail "the caption drag did not move the window: accent bar at ($X0 $Y0 $W0), now ($(accent))"
read -r X1 Y1 W1 <<<"$(steady_accent)"

# The right edge (4 to 8 px inside it, below the caption band), dragged 150 px to the right: the
# accent bar, which ends 5 px before the edge, grows with it.
drag $((X1 + W1)) $((Y1 + 100)) 150 0
sized() { read -r x y w <<<"$(accent)"; near "$x" "$X1" && near "$y" "$Y1" && near "$w" $((W1 + 150)); }
wait_until 10 sized || fail "the edge drag did not size the window: accent bar at ($X1 $Y1 $W1), now ($(accent))"

"$GRAB" "$OUT/wayland-frame.png"
echo "moved and sized under weston: accent bar ($X0 $Y0 $W0) -> ($X1 $Y1 $W1) -> ($(accent))"

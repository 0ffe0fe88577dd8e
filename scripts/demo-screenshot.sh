#!/usr/bin/env bash
# Runs `corvane --demo` on a virtual screen (Xvfb), opens the "Live data" page of the demo unit
# with the mouse, and saves a screenshot and the link trace.
#   scripts/demo-screenshot.sh BUILD_DIR SCREENSHOT.png TRACE.txt
set -euo pipefail
BUILD=$1 SHOT=$2 TRACE=$3
CORVANE=$BUILD/src/app/corvane
GRAB=$BUILD/tools/screen-grab/screen-grab
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do ((SECONDS < end)) || return 1; sleep 0.1; done
}

for n in $(seq 150 200); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { DISPLAY_NUM=$n; break; }
done
export DISPLAY=:$DISPLAY_NUM
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
wait_until 10 test -e /tmp/.X11-unix/X$DISPLAY_NUM

mkdir -p "$WORK/config" "$(dirname "$SHOT")" "$(dirname "$TRACE")"
XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --demo --trace "$TRACE" >"$WORK/corvane.log" 2>&1 &
PIDS+=($!)
wait_until 20 xdotool search --name '^CORVANE$' >/dev/null
sleep 2  # the demo unit sends its menu and welcome page
# Vehicle > Engine > Live data, at the menu view's places for branches and leaves.
xdotool mousemove 60 91 click 1; sleep 0.5
xdotool mousemove 90 123 click 1; sleep 0.5
xdotool mousemove 160 163 click 1; sleep 2
"$GRAB" "$SHOT"
echo "screenshot: $SHOT"
echo "link trace: $TRACE"

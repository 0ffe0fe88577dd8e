#!/usr/bin/env bash
# Runs `corvane --demo` on a virtual screen (Xvfb), opens the "Live data" page of the demo unit
# with the mouse, and saves a screenshot and the link trace. With --pop-up it opens the
# "Pop-ups" page instead and presses "Question", so the picture shows the unit's question box.
# With --graph it opens the graph of the "Live data" page, lets half a minute of readings in and
# measures them: cursors A and B by mouse, the value cursor under the pointer.
# With --job it runs the workshop job's end-to-end test with a longer recording and keeps its
# picture of the job window and the first page of the customer report it made.
#   scripts/demo-screenshot.sh [--pop-up | --graph] BUILD_DIR SCREENSHOT.png TRACE.txt
#   scripts/demo-screenshot.sh --job BUILD_DIR JOB_WINDOW.png REPORT_PAGE.png
set -euo pipefail
if [[ ${1:-} == --job ]]; then
  BUILD=$2 SHOT=$3 PAGE=$4
  OUT=$(mktemp -d)
  trap 'rm -rf "$OUT"' EXIT
  JOBS_RECORD_ROWS=240 bash "$(dirname "$0")/../tests/e2e/jobs_e2e.sh" "$BUILD/src/app/corvane" \
    "$BUILD/tools/screen-grab/screen-grab" "$OUT"
  cp "$OUT/jobs-window.png" "$SHOT"
  pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$OUT/jobs-customer-report.pdf" "${PAGE%.png}"
  echo "screenshot: $SHOT"
  echo "report page: $PAGE"
  exit 0
fi
POP_UP=0 GRAPH=0
if [[ ${1:-} == --pop-up ]]; then POP_UP=1; shift; fi
if [[ ${1:-} == --graph ]]; then GRAPH=1; shift; fi
BUILD=$1 SHOT=$2 TRACE=$3
CORVANE=$BUILD/src/app/corvane
GRAB=$BUILD/tools/screen-grab/screen-grab
source "$(dirname "$0")/lib/virtual-screen.sh"
start_virtual_screen 150
WORK=$VS_WORK

mkdir -p "$WORK/config" "$(dirname "$SHOT")" "$(dirname "$TRACE")"
XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --demo --trace "$TRACE" >"$WORK/corvane.log" 2>&1 &
VS_PIDS+=($!)
wait_until 20 xdotool search --name '^CORVANE$' >/dev/null || { echo "the program's window did not appear" >&2; cat "$WORK/corvane.log" >&2; exit 1; }
sleep 2  # the demo unit sends its menu and welcome page
if ((POP_UP)); then
  # Workshop > Pop-ups, then the page's "Question" button; the box opens over the page.
  xdotool mousemove 60 123 click 1; sleep 0.5
  xdotool mousemove 160 ${POP_UP_LEAF_Y:-304} click 1; sleep 2
  xdotool mousemove 340 130 click 1; sleep 1.5
else
  # Vehicle > Engine > Live data, at the menu view's places for branches and leaves.
  xdotool mousemove 60 91 click 1; sleep 0.5
  xdotool mousemove 90 123 click 1; sleep 0.5
  xdotool mousemove 160 163 click 1; sleep 2
  if ((GRAPH)); then
    # The graph button right of "info" in the title band; a rev, a dip and a dropout come in.
    xdotool mousemove 527 49 click 1; sleep 1
    # From the graph, Tab to "Time shown": 30 seconds (one up from the 2 minutes it opens with).
    xdotool key Tab Tab Up; sleep 0.5
    sleep "${GRAPH_SECONDS:-27}"
    # Held still, then measured: A and B by mouse, the value cursor where the pointer rests.
    WINDOW=$(xdotool search --onlyvisible --name '^Readings - ' | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    xdotool key shift+Tab shift+Tab space; sleep 0.3
    xdotool mousemove $((X + ${GRAPH_A:-300})) $((Y + 200)) click 1; sleep 0.3
    xdotool mousemove $((X + ${GRAPH_B:-520})) $((Y + 200)) keydown shift click 1 keyup shift; sleep 0.3
    xdotool mousemove $((X + ${GRAPH_CURSOR:-420})) $((Y + 250)); sleep 0.5
  fi
fi
"$GRAB" "$SHOT"
echo "screenshot: $SHOT"
echo "link trace: $TRACE"

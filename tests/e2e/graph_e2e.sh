#!/usr/bin/env bash
# End to end: the graph of the readings as an instrument, under Xvfb without a window manager.
# 1. Live (corvane --demo): the graph button is reached by Tab and pressed by Enter; the window is
#    titled after the page, sits on the screen below the main window's title band, its focus
#    mark and its span list are readable (contrast 4.5:1 at least), and Escape closes it.
# 2. Two recordings (corvane --plot A.csv B.csv, the first cut short in its last row): measuring
#    and comparing by keys, then by mouse, read back from the clipboard (Ctrl+C copies the
#    cursors' table): cursors A and B, the change, least, greatest and mean between them, zoom
#    by keys and wheel, a drag, and the second recording lined up at the cursors.
# 3. A refused recording without a terminal: the reasons show in a message box.
#   graph_e2e.sh CORVANE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 GRAB=$2 OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
source "$(dirname "$0")/demo_menu_lib.sh"
WORK=$VS_WORK
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/graph-failure.png" 2>/dev/null && echo "screen: $OUT/graph-failure.png" >&2
  for log in "$WORK"/*.log; do [[ -f $log ]] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}
pixel() { "$GRAB" --pixel "$1" "$2" 2>/dev/null; }
key() { xdotool key --delay 40 "$@"; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
# The contrast ratio of two colours "R G B".
contrast() {
  awk -v a="$1" -v b="$2" 'function lum(s,  c, i, v, t) { split(s, c, " "); t = 0
      for (i = 1; i <= 3; ++i) { v = c[i] / 255; v = v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ^ 2.4
        t += (i == 1 ? 0.2126 : i == 2 ? 0.7152 : 0.0722) * v }
      return t }
    BEGIN { x = lum(a); y = lum(b); if (x < y) { t = x; x = y; y = t }; printf "%.2f\n", (x + 0.05) / (y + 0.05) }'
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }
# The cursors' table on the clipboard, after Ctrl+C in the graph window.
copy_table() {
  key ctrl+c
  local i
  for ((i = 0; i < 50; ++i)); do
    TABLE=$("$GRAB" --clipboard 2>/dev/null || true)
    [[ $TABLE == Shown* && $TABLE != "${1:-}" ]] && return 0
    sleep 0.1
  done
  fail "nothing new was copied from the graph window"
}
field() { awk -F'\t' -v r="$1" -v f="$2" '$1 == r { print $f }' <<<"$TABLE"; }
shown_span() { sed -n '1s/.*(\(.*\))$/\1/p' <<<"$TABLE"; }
shown_from() { sed -n '1s/^Shown \([^ ]* [^ ]*\) to .*/\1/p' <<<"$TABLE"; }
between() { sed -n '2s/.*B - A \([0-9.]*\) s$/\1/p' <<<"$TABLE"; }
# On the ramp (one step a row, a row every 100 ms) A and B must agree with each other.
check_ramp() {
  local a b change least most mean dt
  a=$(field Ramp 3) b=$(field Ramp 4) change=$(field Ramp 5) least=$(field Ramp 6) most=$(field Ramp 7)
  mean=$(field Ramp 8) dt=$(between)
  [[ -n $a && -n $b && -n $dt ]] || fail "$1: no values at A and B in: $TABLE"
  ((b > a)) || fail "$1: B ($b) is not after A ($a)"
  ((change == b - a)) || fail "$1: B - A is $change, not $((b - a))"
  ((most == b && (least == a || least == a + 1))) || fail "$1: least $least, greatest $most for A $a and B $b"
  awk -v m="$mean" -v l="$least" -v g="$most" 'BEGIN { exit !(m == (l + g) / 2) }' || fail "$1: mean $mean"
  awk -v t="$dt" -v n="$change" 'BEGIN { exit !(t * 10 > n - 1 && t * 10 < n + 1) }' ||
    fail "$1: $dt s between A and B for $change rows of 100 ms"
}

start_virtual_screen 230 || fail "Xvfb did not start"
mkdir -p "$WORK/config" "$WORK/home"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1

# 1. Live.
"$CORVANE" --demo >"$WORK/demo.log" 2>&1 &
DEMO=$!
VS_PIDS+=($DEMO)
wait_until 20 shown '^CORVANE$' || fail "the main window did not appear"
MAIN=$(xdotool search --onlyvisible --name '^CORVANE$' | head -n1)
wait_menu
open_live_data
# Nothing focused, then the keys do the rest: Tab to COM setting, info, graph.
clear_focus
key Tab Tab Tab Return
wait_until 10 shown '^Readings - Live data$' || fail "Tab, Tab, Tab and Enter did not open the graph of the page"
GRAPH=$(xdotool search --onlyvisible --name '^Readings - Live data$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$MAIN" | sed 's/^/MAIN_/')"
eval "$(xdotool getwindowgeometry --shell "$GRAPH")"
((Y >= MAIN_Y + 75)) || fail "the graph window (top $Y) covers the main window's title band (top $MAIN_Y)"
((X >= 0 && Y + HEIGHT <= 800 && X + WIDTH <= 1280)) || fail "the graph window ${WIDTH}x$HEIGHT+$X+$Y is off the screen"
wait_until 10 test "$(xdotool getwindowfocus 2>/dev/null)" = "$GRAPH" || fail "the graph window did not get the keys"

# The plot has the keys; Tab: the list, the span list, Pause. Its focus mark against the button.
key Tab Tab Tab
found() { read -r FOUND_X FOUND_Y FOUND_W < <("$GRAB" --find "$@") && [[ -n ${FOUND_X:-} ]]; }
# The mark in the panel right of the graph, round a button (its face just inside the mark).
button_marked() {
  found 255 255 128 $((X + WIDTH - 240)) "$Y" 240 "$HEIGHT" &&
    [[ $(pixel $((FOUND_X + FOUND_W / 2)) $((FOUND_Y + 4))) == "60 60 60" ]]
}
wait_until 10 button_marked || fail "no focus mark in the skin's focus colour round the Pause button"
RATIO=$(contrast "255 255 128" "60 60 60")
at_least "$RATIO" 4.5 || fail "the focus mark stands out $RATIO:1 from the button"
# The span list open: its lines against their background.
key shift+Tab alt+Down
wait_until 10 found 255 128 64 "$X" "$Y" "$WIDTH" "$HEIGHT" 100 || fail "the span list did not open with its line marked"
SX=$FOUND_X SY=$FOUND_Y SW=$FOUND_W
RATIO=$("$GRAB" --contrast $((SX + 2)) $((SY - 16)) $((SW - 4)) 12)
at_least "$RATIO" 4.5 || fail "the span list's lines stand out $RATIO:1 from their background"
key Escape
sleep 0.3
shown '^Readings - Live data$' || fail "Escape in the span list closed the window"
key Escape
wait_until 10 gone '^Readings - Live data$' || fail "Escape did not close the graph window"
shown '^CORVANE$' || fail "the main window went with the graph"
kill "$DEMO" 2>/dev/null || true

# 2. Two recordings: a ramp (its row number) and a battery with one dip, a row every 100 ms; the
# second a day later, its ramp 1000 higher. The first is cut short inside its last row.
awk 'BEGIN { printf "time,Ramp,Battery [V]\r\n"
  for (i = 0; i < 600; ++i) printf "2026-12-09T10:%02d:%02d.%d00+00:00,%d,%s\r\n", int(i / 600), int(i / 10) % 60, i % 10, i, i == 150 ? "9.5" : "14.1"
  printf "2026-12-09T10:01:00.000+00:00,60" }' >"$WORK/a.csv"
awk 'BEGIN { printf "time,Ramp\r\n"
  for (i = 0; i < 600; ++i) printf "2026-12-10T10:%02d:%02d.%d00+00:00,%d\r\n", int(i / 600), int(i / 10) % 60, i % 10, i + 1000 }' >"$WORK/b.csv"
"$CORVANE" --plot "$WORK/a.csv" "$WORK/b.csv" >"$WORK/plot.log" 2>&1 &
PLOT=$!
VS_PIDS+=($PLOT)
wait_until 20 shown '^a.csv and b.csv$' || fail "the recordings were not shown"
grep -q "a.csv:602: the last row has no line end (the recording was cut short); it is left out" "$WORK/plot.log" ||
  fail "the cut last row was not noted"
WINDOW=$(xdotool search --onlyvisible --name '^a.csv and b.csv$' | head -n1)
wait_until 10 test "$(xdotool getwindowfocus 2>/dev/null)" = "$WINDOW" || fail "the graph did not get the keys"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"

# By keys: the value cursor starts in the middle (30 s); A about 17 s left of it, B 5 s right of A.
for ((i = 0; i < 17; ++i)); do key shift+Left; done
key a
for ((i = 0; i < 5; ++i)); do key shift+Right; done
key b
copy_table
check_ramp "by keys"
[[ $(shown_span) == "59.900 s" ]] || fail "the whole recording is not shown at first: $(shown_span)"
[[ $(field "Battery [V]" 6) == 9.5 ]] || fail "the dip at 15 s is not the least battery value between A and B: $TABLE"
key plus
copy_table "$TABLE"
[[ $(shown_span) == "29.950 s" ]] || fail "+ did not halve the time shown: $(shown_span)"

# Lining up by keys: the second recording's value under B comes under A.
UNDER_B=$(field "Ramp (b.csv)" 4)
key l
copy_table "$TABLE"
[[ $(field "Ramp (b.csv)" 3) == "$UNDER_B" ]] || fail "L did not line B's moment of b.csv up under A: $TABLE"
key Delete

# By mouse, a third into the plot: the wheel zooms, a drag moves, clicks place A and B.
key 0
PX=$((X + WIDTH / 3)) PY=$((Y + 200))
xdotool mousemove $PX $PY click 4
sleep 0.3
copy_table "$TABLE"
[[ $(shown_span) == "47.920 s" ]] || fail "a wheel notch did not zoom in to four fifths: $(shown_span)"
FROM=$(shown_from)
xdotool mousemove $PX $PY mousedown 1 mousemove $((PX + 20)) $PY mousemove $((PX + 40)) $PY mouseup 1
sleep 0.3
copy_table "$TABLE"
[[ $(shown_span) == "47.920 s" && $(shown_from) < "$FROM" ]] || fail "the drag did not move to earlier readings"
xdotool mousemove $PX $PY click 1
xdotool mousemove $((PX + 150)) $PY keydown shift click 1 keyup shift
sleep 0.3
copy_table "$TABLE"
check_ramp "by mouse"
[[ $(field Ramp 2) =~ ^[0-9]+$ ]] || fail "the value cursor shows no value under the pointer"
"$GRAB" "$OUT/graph-measured.png"
key Escape
wait_until 10 gone '^a.csv and b.csv$' || fail "Escape did not close the viewer"
wait "$PLOT" || fail "the viewer did not end well"

# 3. Refused without a terminal (standard error to a file): the reasons in a message box too.
printf 'time,Ramp\r\n2026-12-09T10:00:00.000Z,1,2\r\n' >"$WORK/bad.csv"
"$CORVANE" --plot "$WORK/bad.csv" >"$WORK/bad.log" 2>&1 </dev/null &
BAD=$!
VS_PIDS+=($BAD)
wait_until 20 shown '^corvane$' || fail "no message box for the refused recording"
grep -q "bad.csv:2: 3 fields where the header has 2" "$WORK/bad.log" || fail "the reason was not written"
key Return
STATUS=0
wait "$BAD" || STATUS=$?
((STATUS == 1)) || fail "the refused recording ended with status $STATUS"
echo "e2e: graph by Tab and Enter, placed below the band, readable, closed by Escape; measured and compared by keys and mouse; refusal in a box"

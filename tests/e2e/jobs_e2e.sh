#!/usr/bin/env bash
# End to end: a workshop job under Xvfb without a window manager, against the demo unit.
# 1. The job button is reached by Tab and pressed by Enter; a new job is made in the job window.
# 2. A recording, a graph picture, the unit's page report and a file from the unit are saved:
#    each save dialog opens in the job's folder, and Enter keeps the name proposed.
# 3. After a restart, the job is found among 300 others by typing part of its registration, the
#    workshop's name and address are set in its dialog (its logo put in place as a file), and
#    the customer report is saved as PDF; its text (read back with pdftotext) holds the
#    workshop, the vehicle, the page report and the table of least, greatest and mean readings,
#    and it shows the logo and the graph picture.
# Leaves the job window's picture and the PDF in OUTDIR (the README shows them).
#   jobs_e2e.sh CORVANE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 GRAB=$2 OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"
source "$(dirname "$0")/demo_menu_lib.sh"
WORK=$VS_WORK
fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/jobs-failure.png" 2>/dev/null && echo "screen: $OUT/jobs-failure.png" >&2
  for log in "$WORK"/*.log; do [[ -f $log ]] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  [[ -n ${JOB:-} ]] && { echo "--- $JOB" >&2; ls -la "$JOB" >&2; cat "$JOB/saved-files.txt" >&2 || true; }
  exit 1
}
key() { xdotool key --delay 40 "$@"; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
window_of() { xdotool search --onlyvisible --name "$1" | head -n1; }
has_keys() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$(window_of "$1")" ]]; }
# The save dialog opens; Enter keeps the name it proposes, and the file must appear in the job.
save_proposed() {
  local file=$1
  wait_until 20 shown '^Save As$' || fail "no save dialog for $file"
  wait_until 10 has_keys '^Save As$' || fail "the save dialog for $file did not get the keys"
  key Return
  wait_until 20 gone '^Save As$' || fail "the save dialog for $file stayed"
  wait_until 20 compgen -G "$JOB/$file" >/dev/null || fail "$file was not saved in the job's folder"
}
noted() { grep -q "	$1	" "$JOB/saved-files.txt" 2>/dev/null; }

start_virtual_screen 260 || fail "Xvfb did not start"
DATA=$WORK/data
mkdir -p "$WORK/config" "$WORK/home" "$DATA/corvane/jobs"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$DATA QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1
# The windows are found and the PDF read by their English texts, whatever the machine's language.
export LC_ALL=C.UTF-8 LANGUAGE=
# Other jobs of the workshop, written as plain files as another program could.
for ((i = 0; i < 300; ++i)); do
  mkdir "$DATA/corvane/jobs/old $i"
  printf 'id=old-%d\ncreated=2026-01-%02dT10:00:00Z\nregistration=HB-%03d\ncustomer=Customer %d\n' \
    "$i" $((i % 28 + 1)) "$i" "$i" >"$DATA/corvane/jobs/old $i/job.txt"
done
cp "$(dirname "$0")/../../resources/images/138.png" "$DATA/corvane/workshop-logo.png"

start_corvane() {
  "$CORVANE" --demo >"$WORK/corvane-$1.log" 2>&1 &
  CORVANE_PID=$!
  VS_PIDS+=($CORVANE_PID)
  wait_until 20 shown '^CORVANE$' || fail "the main window did not appear"
  wait_menu
  clear_focus
}

# 1. Tab to COM setting, info, graph, job; Enter opens the job window.
start_corvane 1
key Tab Tab Tab Tab Return
wait_until 10 shown '^Jobs$' || fail "Tab four times and Enter did not open the job window"
wait_until 10 has_keys '^Jobs$' || fail "the job window did not get the keys"
key alt+n
wait_until 10 shown '^New job$' || fail "Alt+N did not open the new job dialog"
wait_until 10 has_keys '^New job$' || fail "the new job dialog did not get the keys"
xdotool type --delay 20 "AB-123-CD"
key Tab
xdotool type --delay 20 "wvwzzz1jzxw000001"
key Tab
xdotool type --delay 20 "Anna Smith"
key Return
wait_until 10 gone '^New job$' || fail "the new job was not made"
JOB=$(find "$DATA/corvane/jobs" -maxdepth 1 -name '*AB-123-CD Anna Smith' | head -n1)
[[ -n $JOB ]] || fail "no folder for the new job"
grep -qx 'vin=WVWZZZ1JZXW000001' "$JOB/job.txt" || fail "job.txt does not hold the VIN: $(cat "$JOB/job.txt")"
key Escape
wait_until 10 gone '^Jobs$' || fail "Escape did not close the job window"

# 2. Vehicle > Engine > Live data; the graph from the band; Record, Save picture.
open_live_data
clear_focus
key Tab Tab Tab Return
wait_until 10 shown '^Readings - Live data$' || fail "the graph did not open"
wait_until 10 has_keys '^Readings - Live data$' || fail "the graph did not get the keys"
# From the plot: the list, the span, Pause, Save picture, Save held readings, Record; Space
# presses a button.
key Tab Tab Tab Tab Tab Tab space
save_proposed 'Live data *.csv'
recorded_rows() { (($(cat "$JOB"/Live\ data\ *.csv | wc -l) > ${JOBS_RECORD_ROWS:-20})); }
wait_until 60 recorded_rows || fail "the recording did not grow past ${JOBS_RECORD_ROWS:-20} rows"
"$GRAB" "$OUT/jobs-recording.png"
key shift+Tab shift+Tab space
save_proposed 'Live data *.png'
key Tab Tab space
wait_until 10 noted recording || fail "the recording was not noted in the job"
key Escape
wait_until 10 gone '^Readings - Live data$' || fail "Escape did not close the graph"

# The page's Report button: the unit's report layout, saved as report.txt.
xdotool mousemove 330 330 click 1
save_proposed report.txt

# Workshop > Files > Save log to PC: a file from the unit, under its own name.
open_files_page
xdotool mousemove 330 250 click 1
save_proposed LOG0001.CSV
for kind in recording picture report unit-file; do noted $kind || fail "no $kind noted in the job"; done

kill "$CORVANE_PID"
wait "$CORVANE_PID" || true

# 3. After a restart: found by part of its plate, its customer report saved as PDF.
start_corvane 2
key ctrl+j
wait_until 10 has_keys '^Jobs$' || fail "Ctrl+J did not open the job window with the keys"
xdotool type --delay 40 "ab123"
key Return
wait_until 10 test "$(xdotool getwindowname "$(xdotool getwindowfocus)" 2>/dev/null)" = Jobs || fail "the keys left the job window"
# The picture once the narrowed list is painted: two grabs in a row alike.
settled() {
  "$GRAB" "$WORK/before.png" && "$GRAB" "$OUT/jobs-window.png" && cmp -s "$WORK/before.png" "$OUT/jobs-window.png"
}
wait_until 10 settled || fail "the job window did not settle"
key alt+h
wait_until 10 has_keys '^Workshop on customer reports$' || fail "Alt+H did not open the workshop dialog with the keys"
xdotool type --delay 20 "Smith Motors"
key Tab
xdotool type --delay 20 "1 High Street"
key Return
xdotool type --delay 20 "Lowtown"
key alt+s
wait_until 10 gone '^Workshop on customer reports$' || fail "the workshop's header was not saved"
grep -qx 'address=1 High Street\\nLowtown' "$DATA/corvane/workshop.txt" || fail "workshop.txt: $(cat "$DATA/corvane/workshop.txt")"
key alt+r
wait_until 10 shown '^Customer report AB-123-CD$' || fail "the job found was not AB-123-CD, or no report dialog"
wait_until 10 has_keys '^Customer report AB-123-CD$' || fail "the report dialog did not get the keys"
key alt+s
save_proposed 'Customer report AB-123-CD *.pdf'
wait_until 10 noted customer-report || fail "the customer report was not noted in the job"
PDF=$(compgen -G "$JOB/Customer report AB-123-CD *.pdf" | head -n1)
TEXT=$(pdftotext -layout "$PDF" -)
for expected in "Smith Motors" "Lowtown" "AB-123-CD" "WVWZZZ1JZXW000001" "Anna Smith" "Engine running - live values" "Engine speed:" \
  "Reading +Least +Greatest +Mean +Values" "Engine speed \\[rpm\\] +[0-9.]+ +[0-9.]+ +[0-9.]+ +[0-9]+" \
  "Battery \\[V\\] +[0-9.]+ +[0-9.]+ +[0-9.]+ +[0-9]+" "Live data, 20[0-9-]+ "; do
  grep -Eq "$expected" <<<"$TEXT" || fail "the PDF's text lacks /$expected/:
$TEXT"
done
cp "$PDF" "$OUT/jobs-customer-report.pdf"
IMAGES=$(pdfimages -list "$PDF" | awk '$3 == "image"' | wc -l)
((IMAGES == 2)) || fail "the PDF shows $IMAGES pictures, not the logo and the graph: $(pdfimages -list "$PDF")"
echo "e2e: job made by keys, recording, picture, report and unit file saved in it; found by plate after a restart; PDF holds vehicle, report and readings table"

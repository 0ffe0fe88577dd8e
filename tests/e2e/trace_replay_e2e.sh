#!/usr/bin/env bash
# End to end, without a display: a trace recorded by the real program with its demo unit is
# played back by corvane-unit against the real program and gives no difference; the same trace
# with one reply changed is caught at that frame.
#   trace_replay_e2e.sh CORVANE CORVANE_UNIT OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"  # wait_until and clean-up only
WORK=$VS_WORK
export QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 XDG_CONFIG_HOME=$WORK/config
mkdir -p "$XDG_CONFIG_HOME"
TRACE=$OUT/replay-source-trace.txt
EDITED=$OUT/replay-edited-trace.txt
fail() {
  echo "FAIL: $*" >&2
  for f in "$WORK"/*.log "$WORK"/unit.err; do [[ -f $f ]] && { echo "--- $f" >&2; tail -n 30 "$f" >&2; }; done
  exit 1
}

# 1. Record: the demo unit leads the program through its menu, the page jump and the About
#    page's text, then polls. The trace is written record by record, so it can be read while
#    the program runs; the program is ended once idle polls are in it.
rm -f "$TRACE"
"$CORVANE" --demo --trace "$TRACE" >"$WORK/record.log" 2>&1 &
RECORDER=$!
VS_PIDS+=($RECORDER)
IDLE='0xFF,0xFF,0xFF,0xFF,0xFF,0x01,0x5E, - 0xA5,'
idle_polls() { [[ -f $TRACE ]] && (($(grep -a -c -F "$IDLE" "$TRACE") >= 20)); }
wait_until 90 idle_polls || fail "the demo trace holds no idle status polls"
kill "$RECORDER"
wait "$RECORDER" 2>/dev/null || true
grep -a -q '^RX - 0x[0-9A-F][0-9A-F],0x43,' "$TRACE" || fail "no menu frame in the trace"
grep -a -q '^RX - 0x04,0x4A,' "$TRACE" || fail "no page jump in the trace"
echo "recorded $(grep -a -c '^RX - ' "$TRACE") records"

# Plays a trace to the program; sets REPLAY_STATUS and leaves the unit's report in unit.err.
replay() {
  local trace=$1
  # Removed first: the shell truncates a redirected file only once the child runs.
  rm -f "$WORK/unit.out" "$WORK/unit.err"
  # A program that never answers must not hold the test: the unit waits for its handshake.
  timeout 120 "$UNIT" --pty --replay "$trace" >"$WORK/unit.out" 2>"$WORK/unit.err" &
  local unit=$!
  VS_PIDS+=($unit)
  wait_until 10 grep -q '^/dev/' "$WORK/unit.out" || fail "corvane-unit printed no device"
  "$CORVANE" --port "$(head -n1 "$WORK/unit.out")" >"$WORK/replay.log" 2>&1 &
  local pc=$!
  VS_PIDS+=($pc)
  REPLAY_STATUS=0
  wait "$unit" || REPLAY_STATUS=$?
  kill "$pc" 2>/dev/null || true
  wait "$pc" 2>/dev/null || true
}

# 2. The recorded trace against the program: no difference.
replay "$TRACE"
((REPLAY_STATUS == 0)) || fail "the recorded trace replayed with status $REPLAY_STATUS"
grep -q "frames replayed, no difference" "$WORK/unit.err" || fail "no summary of the replay"
grep "frames replayed" "$WORK/unit.err"

# 3. The last idle status reply changed to say that no menu is loaded (hexadecimal, checksum
#    and raw bytes alike, so the file is still a well-formed trace): caught at that frame.
FRAME=$(perl -e '
  my ($in, $out) = @ARGV;
  open(my $f, "<:raw", $in) or die "$in: $!"; local $/; my $t = <$f>;
  my $old = "TX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0x01,0x5E, - 0xA5,\r\n\t9,A,1,\xFF\xFF\xFF\xFF\xFF\x01^";
  my $new = "TX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3,\r\n\t9,A,1,\xFF\xFF\xFF\xFF\xFF\xFF^";
  my $at = rindex($t, $old); die "no idle status reply\n" if $at < 0;
  my $before = substr($t, 0, $at);
  my $frame = 1 + (() = $before =~ /\nRX - 0x/g);
  substr($t, $at, length $old) = $new;
  open(my $o, ">:raw", $out) or die "$out: $!"; print $o $t; print $frame;
' "$TRACE" "$EDITED") || fail "could not edit the trace"
replay "$EDITED"
((REPLAY_STATUS == 1)) || fail "the edited trace replayed with status $REPLAY_STATUS"
grep -q "replay-edited-trace.txt: frame $FRAME (trace line [0-9]*): the reply differs: menu-loaded byte 01 instead of FF" \
  "$WORK/unit.err" || fail "the difference was not reported at frame $FRAME"
grep -q "  recorded: TX - 0x09,0x41,0x01 - 0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x5E, - 0xA3," "$WORK/unit.err" ||
  fail "the recorded reply is not shown"
# The program may still hold the page choice of the jump here (the replay runs faster than the
# recording did): only its menu-loaded byte is certain.
grep -Eq "  replayed: TX - 0x09,0x41,0x01 - (0x[0-9A-F]{2},){5}0x01,0x5E, - 0x[0-9A-F]{2}," "$WORK/unit.err" ||
  fail "the replayed reply is not shown"
grep "the reply differs" "$WORK/unit.err"

# 4. A trace cut short is refused with its line before any device is opened.
head -c $(($(stat -c %s "$TRACE") - 3)) "$TRACE" >"$WORK/cut.txt"
status=0
rm -f "$WORK/unit.out" "$WORK/unit.err"
"$UNIT" --pty --replay "$WORK/cut.txt" >"$WORK/unit.out" 2>"$WORK/unit.err" || status=$?
((status == 2)) || fail "a cut trace gave status $status"
[[ ! -s $WORK/unit.out ]] || fail "a device was opened for a cut trace"
grep -q "cut.txt:[0-9]*: the file ends inside" "$WORK/unit.err" || fail "the cut was not reported"
echo "e2e: demo trace replayed without difference; edited reply caught at frame $FRAME"

#!/usr/bin/env bash
# The real program and the signals that end it, or must not, without a display:
#  - under a file-size limit the trace is ended with a message and the program runs on, where
#    SIGXFSZ killed it; SIGTERM then ends it as the close button does (status 0, the unit sees
#    its line closed);
#  - SIGHUP while a question of the unit waits for an answer (in a loop of its own) ends it the
#    same way, the trace ending on a whole record;
#  - output to a pipe whose reader has gone is a failed write (status 1), not death by SIGPIPE.
#   session_signals_e2e.sh CORVANE CORVANE_UNIT OUTDIR
set -euo pipefail
CORVANE=$1 UNIT=$2 OUT=$3
mkdir -p "$OUT"
source "$(dirname "$0")/../../scripts/lib/virtual-screen.sh"  # wait_until and clean-up only
WORK=$VS_WORK
export QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 XDG_CONFIG_HOME=$WORK/config HOME=$WORK
mkdir -p "$XDG_CONFIG_HOME"
fail() {
  echo "FAIL: $*" >&2
  for f in "$WORK"/*.log "$WORK"/*.err; do [[ -f $f ]] && { echo "--- $f" >&2; tail -n 20 "$f" >&2; }; done
  exit 1
}

# start_unit NAME [ARGS]: the simulated unit on a pseudo-terminal (its demo unless ARGS say
# otherwise); sets PTY and UNIT_PID.
start_unit() {
  "$UNIT" --pty "${@:2}" >"$WORK/$1-unit.out" 2>"$WORK/$1-unit.err" &
  UNIT_PID=$!
  VS_PIDS+=($UNIT_PID)
  wait_until 10 test -s "$WORK/$1-unit.out" || fail "corvane-unit printed no device"
  PTY=$(head -n1 "$WORK/$1-unit.out")
}
alive() { kill -0 "$1" 2>/dev/null; }
# ends_cleanly PID SIGNAL: the program ends within 15 s of the signal, with status 0, and the
# unit, whose line the program closed, ends too.
ends_cleanly() {
  kill "-$2" "$1"
  wait_until 15 bash -c "! kill -0 $1 2>/dev/null" || fail "SIGHUP/SIGTERM did not end the program"
  local status=0
  wait "$1" || status=$?
  ((status == 0)) || fail "the program ended with status $status after SIG$2"
  wait_until 15 bash -c "! kill -0 $UNIT_PID 2>/dev/null" || fail "the unit's line stayed open after SIG$2"
}

# 1. A file-size limit of 4 KiB: the menu alone is more.
start_unit limit
TRACE=$OUT/signals-limit-trace.txt
rm -f "$TRACE"
(ulimit -f 4 && exec "$CORVANE" --port "$PTY" --trace "$TRACE") >"$WORK/limit.log" 2>&1 &
PC=$!
VS_PIDS+=($PC)
said_too_large() { grep -q 'Cannot write the trace file.*' "$WORK/limit.log" && grep -q 'File too large' "$WORK/limit.log"; }
until said_too_large; do
  if ! alive "$PC"; then
    status=0
    wait "$PC" || status=$?
    fail "the program ended with status $status at the file-size limit"
  fi
  ((SECONDS < 90)) || fail "the trace never met the file-size limit"
  sleep 0.2
done
sleep 1  # the program goes on after the message: it takes a few more polls
alive "$PC" || fail "the program ended after the trace met the file-size limit"
ends_cleanly "$PC" TERM
(($(stat -c %s "$TRACE") <= 4096)) || fail "the trace grew past the limit"
echo "file-size limit: the trace ended with a message, SIGTERM ended the program with status 0"

# 2. SIGHUP while the unit's question waits, unseen, for an answer.
cat >"$WORK/question.scn" <<'SCN'
handshake 128 within 30000
send B 0 "yErase the fault memory?^"
expect K 1
poll until A 1 FF FF FF 01 * within 30000 every 100
note "question shown"
poll until A 1 00 * within 60000 every 100
SCN
start_unit hangup --scenario "$WORK/question.scn"
TRACE=$OUT/signals-hangup-trace.txt
rm -f "$TRACE"
"$CORVANE" --port "$PTY" --trace "$TRACE" >"$WORK/hangup.log" 2>&1 &
PC=$!
VS_PIDS+=($PC)
wait_until 60 grep -q "question shown" "$WORK/hangup-unit.err" || fail "the question was not shown"
kill -HUP "$PC"
wait_until 15 bash -c "! kill -0 $PC 2>/dev/null" || fail "SIGHUP did not end the program"
status=0
wait "$PC" || status=$?
((status == 0)) || fail "the program ended with status $status after SIGHUP"
wait_until 15 bash -c "! kill -0 $UNIT_PID 2>/dev/null" || fail "the unit's line stayed open after SIGHUP"
[[ $(tail -c 2 "$TRACE" | od -An -tx1 | tr -d ' ') == 0d0a ]] || fail "the trace does not end on a whole record"
echo "SIGHUP: status 0, the line closed, the trace whole ($(grep -a -c '^RX - ' "$TRACE") records)"

# 3. Standard output a pipe with no reader: a failed write, not SIGPIPE.
python3 - "$CORVANE" <<'PY' || fail "output to a pipe without a reader"
import os, subprocess, sys
r, w = os.pipe()
os.close(r)
p = subprocess.run([sys.argv[1], "--list-ports"], stdout=w, stderr=subprocess.PIPE, timeout=60)
if p.returncode != 1:
    sys.exit(f"--list-ports into a closed pipe ended with status {p.returncode}, not 1")
p = subprocess.run([sys.argv[1], "--list-ports"], stdout=open("/dev/full", "w"), stderr=subprocess.PIPE, timeout=60)
if p.returncode != 1 or b"No space left on device" not in p.stderr:
    sys.exit(f"--list-ports into a full device: status {p.returncode}, {p.stderr!r}")
PY
echo "e2e: SIGXFSZ and SIGPIPE are failed writes, SIGTERM and SIGHUP end the program as its close button does"

# The common start and end of the end-to-end scripts that play a scenario: a virtual screen, the
# simulated unit on a pseudo-terminal, the real program connected to it, and on failure the
# screen, the unit's log and the program's log. Source it after setting CORVANE, UNIT, GRAB,
# SCENARIO and OUT.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK
mkdir -p "$OUT"
FAILURE_SHOT=$OUT/e2e-failure.png

fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$FAILURE_SHOT" 2>/dev/null && echo "screen: $FAILURE_SHOT" >&2
  echo "--- corvane-unit" >&2
  cat "$WORK/unit.err" >&2 || true
  if [[ -f $WORK/corvane.log ]]; then
    echo "--- corvane" >&2
    cat "$WORK/corvane.log" >&2
  fi
  exit 1
}

# start_scenario FIRST_DISPLAY FAILURE_SHOT: the screen and the unit; sets PTY and UNIT_PID.
start_scenario() {
  FAILURE_SHOT=$2
  start_virtual_screen "$1" || fail "Xvfb did not start"
  "$UNIT" --pty --scenario "$SCENARIO" >"$WORK/unit.out" 2>"$WORK/unit.err" &
  UNIT_PID=$!
  VS_PIDS+=($UNIT_PID)
  wait_until 10 test -s "$WORK/unit.out" || fail "corvane-unit printed no device"
  PTY=$(head -n1 "$WORK/unit.out")
}

# start_corvane TRACE: the program on the unit's line, with its own home and configuration
# folders, writing the link trace to TRACE; returns once its window is there.
start_corvane() {
  mkdir -p "$WORK/config" "$WORK/home"
  HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$CORVANE" --port "$PTY" --trace "$1" \
    >"$WORK/corvane.log" 2>&1 &
  VS_PIDS+=($!)
  wait_until 20 xdotool search --name '^CORVANE$' >/dev/null || fail "the main window did not appear"
}

# The unit ends once its scenario has run; it checked every reply on the way.
finish_scenario() {
  wait "$UNIT_PID" || fail "the scenario failed"
  grep -q "scenario passed" "$WORK/unit.err" || fail "the scenario did not finish"
}

#!/usr/bin/env bash
# End to end as a screen reader reads it: `corvane --demo` under Xvfb with Qt's AT-SPI bridge on
# a private session bus and its own accessibility bus; screen_reader.py reads the tree and uses
# the program through AT-SPI alone. Exits 77 (skipped) where the accessibility stack is missing.
#   screen_reader_e2e.sh CORVANE SCREEN_GRAB OUTDIR
set -euo pipefail
CORVANE=$1 GRAB=$2 OUT=$3
HERE=$(dirname "$0")
PYTHON=/usr/bin/python3
LAUNCHER=/usr/libexec/at-spi-bus-launcher
mkdir -p "$OUT"
source "$HERE/../../scripts/lib/virtual-screen.sh"
WORK=$VS_WORK

if [[ ! -x $LAUNCHER ]] || ! command -v dbus-daemon >/dev/null ||
  ! "$PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0"); import pyatspi' 2>/dev/null; then
  echo "skipped: at-spi2-core, dbus-daemon or python3-pyatspi is missing" >&2
  exit 77
fi

fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && "$GRAB" "$OUT/screen-reader-failure.png" 2>/dev/null &&
    echo "screen: $OUT/screen-reader-failure.png" >&2
  echo "--- corvane" >&2
  cat "$WORK/corvane.log" >&2 || true
  exit 1
}

start_virtual_screen 230 || fail "Xvfb did not start"
# A session bus of our own, so that nothing of the machine's session takes part.
dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >"$WORK/dbus.log" 2>&1 &
VS_PIDS+=($!)
wait_until 10 test -s "$WORK/bus" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus")
export DBUS_SESSION_BUS_ADDRESS
"$LAUNCHER" --launch-immediately >"$WORK/launcher.log" 2>&1 &
VS_PIDS+=($!)
bus_ready() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
wait_until 20 bus_ready || fail "the accessibility bus did not start"

mkdir -p "$WORK/config" "$WORK/home"
# The bridge is on as a screen reader would switch it on for the session.
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  LANG=C.UTF-8 LANGUAGE= "$CORVANE" --demo >"$WORK/corvane.log" 2>&1 &
VS_PIDS+=($!)
wait_until 20 xdotool search --name '^CORVANE$' >/dev/null || fail "the main window did not appear"

"$PYTHON" "$HERE/screen_reader.py" corvane || fail "the screen reader's walk failed"
"$GRAB" "$OUT/screen-reader-end.png" || true

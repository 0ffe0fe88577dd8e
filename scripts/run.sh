#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it. Without arguments it runs the demo
# (a simulated unit on a pseudo-terminal); arguments are passed to the program, for example
#   bash scripts/run.sh --port /dev/ttyACM0
# The programs are left in build/: build/src/app/corvane and build/tools/corvane-unit/corvane-unit.
# Without a display and without arguments it runs the demo on a virtual screen and leaves a
# screenshot and the trace; with arguments it runs the program on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

CORVANE=build/src/app/corvane
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  if (($# == 0)); then
    echo "No display: running the demo on a virtual screen for a few seconds."
    bash scripts/demo-screenshot.sh build out/demo.png out/demo-trace.txt
    exit 0
  fi
  # The arguments still reach the program. Nothing can be seen or clicked, so a message box
  # waits unseen: --trace FILE shows what happens on the line. Stop it with Ctrl+C.
  echo "No display: running $CORVANE $* on Qt's offscreen platform (no window to see; Ctrl+C ends it)." >&2
  exec "$CORVANE" -platform offscreen "$@"
fi
if (($# == 0)); then set -- --demo; fi
exec "$CORVANE" "$@"

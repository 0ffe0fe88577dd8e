#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it. Without arguments it runs the demo
# (a simulated unit on a pseudo-terminal); arguments are passed to the program, for example
#   bash scripts/run.sh --port /dev/ttyACM0
# Without a display it runs the demo on a virtual screen and leaves a screenshot and the trace.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if (($# == 0)); then set -- --demo; fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "No display: running the demo on a virtual screen for a few seconds."
  bash scripts/demo-screenshot.sh build out/demo.png out/demo-trace.txt
  exit 0
fi
exec build/src/app/corvane "$@"

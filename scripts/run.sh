#!/usr/bin/env bash
# Installs what is missing, builds the program and the simulated unit, and runs the program.
# Without arguments it runs the demo (a simulated unit on a pseudo-terminal); arguments are
# passed to the program, for example
#   bash scripts/run.sh --port /dev/ttyACM0
# The programs are left in build/: build/src/app/corvane and build/tools/corvane-unit/corvane-unit.
# Without a display and without arguments it runs the demo on a virtual screen and leaves a
# screenshot and the trace; with arguments it runs the program on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'TEXT'
Usage: bash scripts/run.sh [corvane options]
Installs what the build needs, builds corvane and corvane-unit in build/ and runs
build/src/app/corvane with the options given, or with --demo when none are given.
Without a display: no options run the demo on a virtual screen for a few seconds (a
screenshot and a trace are left in out/); options run the program on Qt's offscreen platform.
TEXT
}
# Options that only print: no run is announced, and no display is needed.
print_only=0 wants_help=0
for a in "$@"; do
  case $a in
    --help | -h) wants_help=1 print_only=1 ;;
    --version | -v) print_only=1 ;;
  esac
done

source scripts/lib/runtime-dir.sh
TARGETS=(corvane corvane-unit)
headless_demo=0
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]] && (($# == 0)); then
  headless_demo=1
  TARGETS+=(screen-grab)  # the demo's screenshot
fi

echo "run.sh: checking the build dependencies"
bash scripts/install-deps.sh
echo "run.sh: building ${TARGETS[*]} in build/ (the first time takes a few minutes)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [[ -t 1 ]]; then
  cmake --build build -j "$(nproc)" --target "${TARGETS[@]}"  # one progress line on a terminal
else
  cmake --build build -j "$(nproc)" --target "${TARGETS[@]}" >build/run-build.log 2>&1 ||
    { tail -n 40 build/run-build.log >&2; echo "run.sh: the build failed; the whole log is build/run-build.log" >&2; exit 1; }
fi

CORVANE=build/src/app/corvane
if ((print_only)); then
  if ((wants_help)); then usage; printf '\nOptions of %s:\n' "$CORVANE"; fi
  exec "$CORVANE" "$@"
fi
if ((headless_demo)); then
  echo "run.sh: no display: running the demo on a virtual screen for a few seconds"
  bash scripts/demo-screenshot.sh build out/demo.png out/demo-trace.txt
  exit 0
fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  # The arguments still reach the program. Nothing can be seen or clicked, so a message box
  # waits unseen: --trace FILE shows what happens on the line. Stop it with Ctrl+C.
  echo "run.sh: no display: running $CORVANE $* on Qt's offscreen platform (no window to see; Ctrl+C ends it)" >&2
  exec "$CORVANE" -platform offscreen "$@"
fi
if (($# == 0)); then set -- --demo; fi
echo "run.sh: starting $CORVANE $*"
exec "$CORVANE" "$@"

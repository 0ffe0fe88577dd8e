#!/usr/bin/env bash
# Takes every figure of bench/README.md in one run: the link beside its floor, the windows in
# process (offscreen), and the real program on a virtual screen (Xvfb).
#   bench/run-figures.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
for t in bench/link_bench bench/ui_bench bench/flood_bench bench/readings_bench bench/jobs_bench src/app/corvane; do
  [[ -x $BUILD/$t ]] || { echo "missing $BUILD/$t: build the targets link_bench, ui_bench, flood_bench, readings_bench, jobs_bench and corvane first" >&2; exit 1; }
done

echo "## Load before the run"; echo; uptime; echo
echo "## Link"; echo
"$BUILD/bench/link_bench"
echo; echo "## Windows, in process (offscreen platform)"; echo
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$BUILD/bench/ui_bench" 2>/dev/null
echo; echo "## A unit repeating each letter (offscreen platform)"; echo
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$BUILD/bench/flood_bench" 2>/dev/null
echo; echo "## The graph of the readings, 16 readings at 50 a second for a simulated hour (offscreen)"; echo
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$BUILD/bench/readings_bench" 2>/dev/null
echo; echo "## Thousands of workshop jobs (offscreen)"; echo
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$BUILD/bench/jobs_bench" 2>/dev/null
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 "$BUILD/bench/jobs_bench" --jobs 20000 2>/dev/null

source scripts/lib/virtual-screen.sh
start_virtual_screen 170
echo; echo "## The program on a virtual screen (Xvfb, $DISPLAY)"; echo
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 "$BUILD/bench/ui_bench" --program "$BUILD/src/app/corvane" 2>/dev/null
echo; echo "## Load after the run"; echo; uptime

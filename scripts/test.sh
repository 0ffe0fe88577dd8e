#!/usr/bin/env bash
# Installs what is missing, checks the code style, builds everything and runs every test:
#   1. the full build (link, content, windows, tools) and all its tests;
#   2. the link and content tests again under AddressSanitizer + UndefinedBehaviorSanitizer;
#   3. a short run of each libFuzzer target (clang, ASan + UBSan);
#   4. the link and content tests under ThreadSanitizer (with a short soak of the link's threads).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
source scripts/lib/runtime-dir.sh  # Qt's runtime folder, for test discovery and the tests

JOBS=$(nproc)
export QT_QPA_PLATFORM=offscreen
export QT_SCALE_FACTOR=1

# A compiler cache, where the machine has one, makes the repeated builds below cheap.
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build() {  # build <dir> <cmake args...>
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

echo "== code style"
bash scripts/check-format.sh

echo "== full build and tests"
build build
ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== link tests under AddressSanitizer + UndefinedBehaviorSanitizer"
build build-asan -DCORVANE_WITH_GUI=OFF -DCORVANE_BUILD_BENCH=OFF -DCORVANE_SANITIZE=address
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS"

echo "== fuzz targets, a few seconds each"
bash scripts/fuzz.sh -t "${CORVANE_FUZZ_SECONDS:-3}"

echo "== link tests under ThreadSanitizer"
build build-tsan -DCORVANE_WITH_GUI=OFF -DCORVANE_BUILD_BENCH=OFF -DCORVANE_SANITIZE=thread
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$JOBS"

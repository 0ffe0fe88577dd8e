#!/usr/bin/env bash
# Packs the programs of this build folder with CPack and checks the package's contents.
#   deb_contents_test.sh BUILD_DIR CHECK_SCRIPT OUTDIR
set -euo pipefail
BUILD=$1 CHECK=$2 OUT=$3
rm -rf "$OUT"
mkdir -p "$OUT"
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$OUT" >"$OUT/cpack.log" 2>&1 || { cat "$OUT/cpack.log" >&2; exit 1; }
bash "$CHECK" "$OUT"/corvane_*.deb

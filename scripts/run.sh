#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it (extra arguments are passed on).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [[ -x build/src/app/corvane ]]; then
  exec build/src/app/corvane "$@"
fi
echo "Built: $(cd build && find . -maxdepth 4 -type f -perm -u+x -name 'corvane*' | sort | tr '\n' ' ')"
echo "The main window is not part of this build yet."

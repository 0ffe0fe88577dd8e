#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; with --package-tools
# also what checks the Debian package (lintian, used by scripts/package.sh).
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev libudev-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool libx11-dev libxfixes-dev
  dpkg-dev
  clang-format
)
if [[ ${1:-} == --package-tools ]]; then PACKAGES+=(lintian); fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

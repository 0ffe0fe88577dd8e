#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; with --package-tools
# also what checks the Debian package (lintian and appstreamcli, used by scripts/package.sh).
# Safe to run again: it only calls apt-get when something is missing. It installs quietly (the
# log is kept in a temporary file and shown when apt-get fails) and upgrades no package that
# is installed, except where a package the build needs cannot be installed otherwise: those
# upgrades are named. A checking tool that would need one is left out, with the command to
# install it by hand.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev libudev-dev
  qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool libx11-dev libxfixes-dev
  weston qt6-wayland
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  at-spi2-core dbus-daemon python3 python3-pyatspi
  dpkg-dev
  clang-format
  poppler-utils
)
TOOLS=()
if [[ ${1:-} == --package-tools ]]; then TOOLS=(lintian appstream); fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${PACKAGES[@]}")
mapfile -t missing_tools < <(missing_of "${TOOLS[@]}")
((${#missing[@]} + ${#missing_tools[@]})) || exit 0

SUDO=()
if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
apt_quietly() {
  "${SUDO[@]}" apt-get "$@" >"$LOG" 2>&1 || { cat "$LOG" >&2; echo "install-deps.sh: apt-get $* failed" >&2; exit 1; }
}
# The installed packages that installing these would upgrade ("Inst NAME [OLD] (NEW ...)").
upgrades_for() {
  "${SUDO[@]}" apt-get install -s --no-install-recommends "$@" 2>/dev/null | awk '/^Inst [^ ]+ \[/ {print $2}' | sort -u | xargs
}
install() {
  apt_quietly install -y -qq --no-upgrade --no-install-recommends "$@"
}

apt_quietly update -qq
if ((${#missing[@]})); then
  upgrades=$(upgrades_for "${missing[@]}")
  echo "Installing: ${missing[*]}"
  [[ -z $upgrades ]] || echo "  (they need newer versions of installed packages, which are upgraded: $upgrades)"
  install "${missing[@]}"
fi
for tool in "${missing_tools[@]}"; do
  upgrades=$(upgrades_for "$tool")
  if [[ -n $upgrades ]]; then
    echo "Not installing $tool: it would upgrade $upgrades. Install it by hand: sudo apt-get install $tool" >&2
    continue
  fi
  echo "Installing: $tool"
  install "$tool"
done

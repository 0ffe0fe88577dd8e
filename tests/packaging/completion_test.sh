#!/usr/bin/env bash
# The bash completions of the package: every option a program's --help lists is offered, and
# the option values complete to what they take.
#   completion_test.sh COMPLETIONS_DIR CORVANE CORVANE_UNIT
set -euo pipefail
DIR=$1 CORVANE=$2 UNIT=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$DIR/corvane"
source "$DIR/corvane-unit"

offers() {  # offers FUNCTION WORD... : the completions of the last word
  COMP_WORDS=("${@:2}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  "$1"
  printf '%s\n' "${COMPREPLY[@]}"
}

check_help_options() {  # check_help_options FUNCTION PROGRAM
  local listed option
  listed=$(offers "$1" "$(basename "$2")" "")
  for option in $(QT_QPA_PLATFORM=offscreen "$2" --help | grep -oE '^ +--[a-z-]+' | sort -u); do
    grep -qxF -- "$option" <<<"$listed" || fail "$(basename "$2") --help lists $option, the completion does not"
  done
}
check_help_options _corvane "$CORVANE"
check_help_options _corvane_unit "$UNIT"

[[ $(offers _corvane corvane --dem) == --demo ]] || fail "--dem does not complete to --demo"
grep -qx offscreen <<<"$(offers _corvane corvane -platform off)" || fail "-platform does not offer offscreen"
grep -q '^/dev/pt' <<<"$(offers _corvane corvane --port /dev/pt)" || fail "--port does not complete device paths"

work=$(mktemp -d) ports=$(mktemp -d)
trap 'rm -rf "$work" "$ports"' EXIT

# --port offers the serial devices of a /dev with virtual consoles, a numbered port with a chip
# and one without, an adapter and its stable name; not the consoles, nor the empty port.
mkdir -p "$ports/dev/serial/by-id" "$ports/sys/class/tty/ttyS0" "$ports/sys/class/tty/ttyS1"
touch "$ports/dev/tty0" "$ports/dev/tty1" "$ports/dev/ttyS0" "$ports/dev/ttyS1" "$ports/dev/ttyUSB0"
ln -s ../../ttyUSB0 "$ports/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
echo 4 >"$ports/sys/class/tty/ttyS0/type"
echo 0 >"$ports/sys/class/tty/ttyS1/type"
export CORVANE_DEV_ROOT=$ports/dev CORVANE_SYSFS_ROOT=$ports/sys
got=$(offers _corvane corvane --port "" | xargs)
[[ $got == "$ports/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 $ports/dev/ttyUSB0 $ports/dev/ttyS0" ]] ||
  fail "--port offers '$got'"
got=$(offers _corvane corvane --port "$ports/dev/tty" | xargs)
[[ $got == "$ports/dev/ttyUSB0 $ports/dev/ttyS0" ]] || fail "--port $ports/dev/tty offers '$got'"
unset CORVANE_DEV_ROOT CORVANE_SYSFS_ROOT

mkdir "$work/more"
touch "$work/menu.scn" "$work/notes.txt"
got=$(offers _corvane_unit corvane-unit --scenario "$work/" | sort | xargs)
[[ $got == "$work/menu.scn $work/more" ]] || fail "--scenario offers '$got', not the script and the folder"
echo "completions: ok"

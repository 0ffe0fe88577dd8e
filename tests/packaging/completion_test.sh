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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/more"
touch "$work/menu.scn" "$work/notes.txt"
got=$(offers _corvane_unit corvane-unit --scenario "$work/" | sort | xargs)
[[ $got == "$work/menu.scn $work/more" ]] || fail "--scenario offers '$got', not the script and the folder"
echo "completions: ok"

# Shared by the end-to-end scripts that walk the demo unit's menu with the mouse (1280 x 800
# screen, main window at 0,0). Each step waits for what it opens on the screen, not for a time.
# Needs GRAB (the screen-grab tool), fail() and wait_until (scripts/lib/virtual-screen.sh).

# The skin's orange (a menu button's face or an icon), pressed or not.
orange_at() {
  local r g b
  read -r r g b < <("$GRAB" --pixel "$1" "$2" 2>/dev/null) || return 1
  ((r > 200 && g > 90 && g < 150 && b < 90))
}
# Light pixels in the rectangle X Y W H: more than a few means text is drawn there.
text_in() { local n; n=$("$GRAB" --light "$@" 2>/dev/null) && ((n > 20)); }
main_has_keys() {
  [[ $(xdotool getwindowfocus 2>/dev/null) == "$(xdotool search --onlyvisible --name '^CORVANE$' | head -n1)" ]]
}
click_for() {
  local x=$1 y=$2 what=$3
  shift 3
  xdotool mousemove "$x" "$y" click 1
  wait_until 20 "$@" || fail "a click at $x,$y did not show $what"
}
# The unit has sent its menu: the first group's button is drawn.
wait_menu() { wait_until 20 orange_at 60 91 || fail "the demo unit's menu did not show"; }
# A click on the window's own surface leaves nothing focused; the pointer goes out of the way.
clear_focus() {
  xdotool mousemove 900 50 click 1 mousemove 1000 790
  wait_until 10 main_has_keys || fail "the main window did not take the keys"
}
live_page_shown() { text_in 276 116 338 28; }      # the value boxes of Live data
menu_closed() { ! orange_at 90 123 && ! orange_at 160 259; }
files_page_shown() { orange_at 280 240; }         # the "Save log to PC" button
# Vehicle > Engine > Live data, from the menu as the unit first sends it.
open_live_data() {
  click_for 60 91 "the Vehicle group" orange_at 90 123
  click_for 90 123 "the Engine group" orange_at 160 259
  click_for 160 163 "the Live data page" live_page_shown
}
# From Live data: Vehicle closed, Workshop > Files.
open_files_page() {
  click_for 60 91 "the Vehicle group closed" menu_closed
  click_for 60 123 "the Workshop group" orange_at 55 163
  click_for 160 259 "the Files page" files_page_shown
}

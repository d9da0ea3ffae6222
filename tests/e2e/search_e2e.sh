#!/usr/bin/env bash
# The web search box: "Search Internet" on the ring opens it; a typed query goes to the
# browser (here the marker program, registered as the https handler) percent-encoded
# after the chosen engine's prefix. F3 searches once with the third engine; a search the
# shell cannot open is reported and the box keeps its words; the engine under the pointer
# is framed and named in a tooltip; an engine chosen from the menu is kept when Esc closes
# the box, and so is the place it was dragged to; Esc after Alt+Space gives the keyboard
# back to the box, also after a group menu opened in key mode, and so does Esc on the
# tray menu;
# Win+S leaves the keyboard to the box;
# a click on an engine of the row searches with it. (Keys that name no engine:
# SearchBoxController's KeysSearchCloseOrDoNothing.)
source "$(dirname "$0")/lib.sh"

BOX="VEK Desktop Search"
engine_setting() { vekctl search-engine "$program_folder" | tr -d '\r'; }
box_shut() { poll 10 title_gone "$BOX" || fail "the box stayed open ($1)"; }
searched() {  # searched ADDRESS: the handler was given the address
  poll 15 test -s "$marker_txt" || fail "the search did not open the https handler"
  grep -qF "$1" "$marker_txt" || fail "the handler got: $(cat "$marker_txt")"
}
use_marker_for_https

reset_user_data
start_dock
stop_dock
# Search Internet on slot 4, a group on slot 6 (key 5).
vekseed --command "4|104" --group "6|Tools|3|$marker_win|t" || fail "could not prepare the configuration"
start_dock
read -r x4 y4 <<<"$(slot 4)"

# open_box: the ring's entry opens the box, which gets the keyboard; $X, $Y: its place.
open_box() {
  rm -f "$marker_txt"
  click_until "$x4" "$y4" vekctl wait-title "$BOX" 0 || fail "Search Internet did not open the search box"
  focus "$BOX"
  box=$(xdotool search --onlyvisible --name "^$BOX\$" | tail -1)
  eval "$(xdotool getwindowgeometry --shell "$box")"
}

# Return searches with the chosen engine (the first) and closes the box.
open_box
xdotool type --delay 60 'C++ & friends'
screenshot search-box >/dev/null
xdotool key Return
searched "https://www.google.com/search?q=C%2B%2B%20%26%20friends"
box_shut "after the search"

# F3 uses the third engine once; the saved engine stays the first.
open_box
xdotool type --delay 60 'cats'
xdotool key F3
searched "https://www.bing.com/search?q=cats"
box_shut "after F3"
[ "$(engine_setting)" = 0 ] || fail "F3 changed the saved engine to $(engine_setting)"

# Alt+Space over the box takes the keyboard for key mode; Esc gives it back to the box.
open_box
plain=$(screenshot search-before-keys)
dimmed() { [ "$(pixel "$(screenshot search-keys)" 5 5)" != "$(pixel "$plain" 5 5)" ]; }
press_until "$BOX" alt+space dimmed || fail "Alt+Space over the box did not start key mode"
xdotool key Escape
poll 10 eval '! dimmed' || fail "Esc did not end key mode"
xdotool type --delay 60 'back'
xdotool key Return
searched "https://www.google.com/search?q=back"
box_shut "after the search"

# So it does after a group's menu opened in key mode and closed with Esc.
open_box
press_until "$BOX" alt+space dimmed || fail "Alt+Space over the box did not start key mode"
xdotool key 5
poll 10 menu_open || fail "key 5 opened no menu"
xdotool key Escape
poll 10 menu_closed || fail "Esc did not close the menu"
xdotool key Escape
poll 10 eval '! dimmed' || fail "Esc did not end key mode after the menu"
xdotool type --delay 60 'menu'
xdotool key Return
searched "https://www.google.com/search?q=menu"
box_shut "after the search"

# The tray menu closed with Esc gives the keyboard back to the box too.
open_box
open_tray_menu
vekctl popup-keys $VK_ESCAPE
poll 10 popup_closed || fail "Escape did not close the tray menu"
xdotool type --delay 60 'tray'
xdotool key Return
searched "https://www.google.com/search?q=tray"
box_shut "after the search"

# A search the shell cannot open is reported, and the box stays with its text: once a
# handler exists again, Return searches for the same words.
set_https_handler "\"$(winpath "$(dirname "$MARKER_EXE")")\\no-such-browser.exe\" \"%1\""
open_box
xdotool type --delay 60 'kept words'
xdotool key Return
vekctl dialog-text "VEK Desktop" 15 >/dev/null || fail "a failed search said nothing"
# The message stands above the topmost box, owned by it.
[ "$(vekctl owner-title "VEK Desktop" | tr -d '\r')" = "$BOX" ] || fail "the failed search's message is not owned by the box"
screenshot search-failed >/dev/null
message "VEK Desktop" "could not open the web search"
vekctl wait-title "$BOX" 0 || fail "a failed search closed the box"
set_https_handler "\"$marker_win\" \"%1\""
press_until "$BOX" Return test -s "$marker_txt" || fail "the search after the failure did not open the handler"
searched "https://www.google.com/search?q=kept%20words"
box_shut "after the search"

# Shift+Tab with the box in front switches to the desktop (the dock hides) and back: the
# box is no dialog, where Shift+Tab moves the focus back.
open_box
at4() { pixel "$(screenshot search-switch)" "$x4" "$y4"; }
before_switch=$(at4)
press_until "$BOX" shift+Tab eval '[ "$(at4)" != "$before_switch" ]' || fail "Shift+Tab over the box did not hide the dock"
hidden_at4=$(at4)
press_until "$BOX" shift+Tab eval '[ "$(at4)" != "$hidden_at4" ]' || fail "the second Shift+Tab did not bring the dock back"
vekctl close VekSearchBox
box_shut "closed after the switch"

# The pointer over the third engine of the row frames it and shows its name in a tooltip.
open_box
point $((X + 408)) $((Y + 52))
plain=$(settle search-row-plain)
point $((X + 110)) $((Y + 52))
poll 5 vekctl visible-any tooltips_class32 || fail "no tooltip names the engine under the pointer"
framed() { [ "$(pixel "$(screenshot search-row-hover)" $((X + 98)) $((Y + 52)))" != "$(pixel "$plain" $((X + 98)) $((Y + 52)))" ]; }
poll 5 framed || fail "the engine under the pointer is not framed"
# The engine menu's seventh entry (Wikipedia), then Esc, keeps that engine; the choice
# itself searches nothing.
rm -f "$marker_txt"
click_at $((X + 26)) $((Y + 20))
poll 10 popup_open || fail "the engine button opened no menu"
screenshot search-engine-menu >/dev/null
vekctl popup-keys $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
poll 10 popup_closed || fail "the engine menu did not close"
engine_saved() { [ "$(engine_setting)" = 6 ]; }
press_until "$BOX" Escape title_gone "$BOX" || fail "Esc did not close the box"
poll 10 engine_saved || fail "the menu's choice was not saved: engine $(engine_setting)"
[ ! -e "$marker_txt" ] || fail "choosing an engine from the menu searched"

# Dragged by its background, the box reopens where it was left.
open_box
x0=$X y0=$Y
point $((x0 + 408)) $((y0 + 52))
xdotool mousedown 1
for step in 1 2 3 4 5 6; do point $((x0 + 408 - step * 20)) $((y0 + 52 - step * 30)); done
xdotool mouseup 1
moved() {
  eval "$(xdotool getwindowgeometry --shell "$box")"
  [ "$Y" -le $((y0 - 179)) ]  # the whole drag, not a step of it
}
poll 5 moved || fail "the box did not follow the drag ($x0,$y0 -> $X,$Y)"
moved_x=$X moved_y=$Y
press_until "$BOX" Escape title_gone "$BOX" || fail "Esc did not close the box"
open_box
[ $((X - moved_x)) -ge -1 ] && [ $((X - moved_x)) -le 1 ] && [ $((Y - moved_y)) -ge -1 ] && [ $((Y - moved_y)) -le 1 ] ||
  fail "the box reopened at $X,$Y, not where it was dragged ($moved_x,$moved_y)"

# A click on the centre in key mode minimises the dock and gives the keyboard back too.
press_until "$BOX" Escape title_gone "$BOX" || fail "Esc did not close the box"
open_box
press_until "$BOX" alt+space dimmed || fail "Alt+Space over the box did not start key mode"
read -r cx cy <<<"$(slot 0)"
point "$cx" "$cy"
sleep 0.5
xdotool click 1
poll 10 eval '! dimmed' || fail "a click on the centre did not end key mode"
xdotool type --delay 60 'centre'
xdotool key Return
searched "search=centre"  # with the engine the box shows
box_shut "after the search"

# Win+S over a group menu, with auto-hide, leaves the keyboard to the box; B in the engine
# menu chooses Bing; a click at the top of the row's sixth engine searches with eBay.
stop_dock
vekseed --autohide --command "4|104" --group "16|Tools|3|$marker_win|tool" || fail "could not add a group"
start_dock
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
press_until "VEK Desktop" f menu_open || fail "the letter F opened no group menu"
rm -f "$marker_txt"
press_until "VEK Desktop" super+s vekctl wait-title "$BOX" 0 || fail "Win+S opened no search box"
poll 10 menu_closed || fail "Win+S left the group menu open"
xdotool type --delay 60 'typed'
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "^$BOX\$" | tail -1)")"
click_until $((X + 26)) $((Y + 20)) popup_open || fail "the engine button opened no menu"
vekctl popup-keys 66
poll 10 popup_closed || fail "B chose no engine"
click_until $((X + 15 + 5 * 43 + 8)) $((Y + 41)) test -s "$marker_txt" || fail "a click on eBay did not search"
searched "https://shop.ebay.com/i.html?_nkw=typed"
poll 10 eval '[ "$(engine_setting)" = 2 ]' || fail "B chose engine $(engine_setting), not Bing"
# With auto-hide, "Search Internet" on the ring leaves the keyboard to the box too.
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
rm -f "$marker_txt"
click_until "$x4" "$y4" vekctl wait-title "$BOX" 0 || fail "Search Internet did not open the search box"
xdotool type --delay 60 'ring'
xdotool key Return
searched "https://www.bing.com/search?q=ring"
echo "search e2e passed"

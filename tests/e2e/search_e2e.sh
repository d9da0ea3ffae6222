#!/usr/bin/env bash
# The web search box: "Search Internet" on the ring opens it; a typed query goes to the
# browser (here the marker program, registered as the https handler) percent-encoded
# after the chosen engine's prefix. F3 searches once with the third engine; the engine
# under the pointer is framed and named in a tooltip; an engine
# chosen from the menu is kept when Esc closes the box, and so is the place it was dragged to.
source "$(dirname "$0")/lib.sh"

BOX="VEK Desktop Search"
engine_setting() { vekctl search-engine "$program_folder" | tr -d '\r'; }
message_shown() { [ "$(vekctl count '#32770' | tr -d '\r')" -ge 1 ]; }
use_marker_for_https

reset_user_data
start_dock
restart_with_command 4 104  # Search Internet
read -r x4 y4 <<<"$(vekctl slot 4 | tr -d '\r')"

open_box() {
  xdotool mousemove "$x4" "$y4"
  sleep 0.4
  xdotool click 1
  vekctl wait-title "$BOX" 10 || { screenshot search-not-open >/dev/null; fail "Search Internet did not open the search box"; }
  sleep 0.5
  box=$(xdotool search --name "^$BOX\$" | head -1)
  xdotool windowfocus --sync "$box" 2>/dev/null || true
}

# Return searches with the chosen engine (the first) and closes the box.
rm -f "$marker_txt"
open_box
xdotool type --delay 60 'C++ & friends'
sleep 0.3
screenshot search-box >/dev/null
xdotool key Return
poll 15 test -s "$marker_txt" || fail "the search did not open the https handler"
grep -qF "https://www.google.com/search?q=C%2B%2B%20%26%20friends" "$marker_txt" ||
  fail "the handler got: $(cat "$marker_txt")"
poll 10 title_gone "$BOX" || fail "the box stayed open after the search"

# F3 uses the third engine once; the saved engine stays the first.
rm -f "$marker_txt"
open_box
xdotool type --delay 60 'cats'
xdotool key F3
poll 15 test -s "$marker_txt" || fail "F3 did not search"
grep -qF "https://www.bing.com/search?q=cats" "$marker_txt" || fail "F3 searched with: $(cat "$marker_txt")"
poll 10 title_gone "$BOX" || fail "the box stayed open after F3"
[ "$(engine_setting)" = 0 ] || fail "F3 changed the saved engine to $(engine_setting)"

# A search the shell cannot open is reported, and the box stays with its text: once a
# handler exists again, Return searches for the same words.
set_https_handler "\"$(winpath "$(dirname "$MARKER_EXE")")\\no-such-browser.exe\" \"%1\""
rm -f "$marker_txt"
open_box
xdotool type --delay 60 'kept words'
xdotool key Return
poll 15 message_shown || fail "a failed search said nothing"
sleep 0.5
screenshot search-failed >/dev/null
vekctl wait-title "$BOX" 0 || fail "a failed search closed the box"
xdotool key Return
poll 10 eval "! message_shown" || fail "the message did not close"
set_https_handler "\"$marker_win\" \"%1\""
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
poll 15 test -s "$marker_txt" || fail "the search after the failure did not open the handler"
grep -qF "https://www.google.com/search?q=kept%20words" "$marker_txt" || fail "the text was not kept: $(cat "$marker_txt")"
poll 10 title_gone "$BOX" || fail "the box stayed open after the search"

# F11 names no engine: nothing opens and the box stays. The engine menu's seventh entry
# (Wikipedia), then Esc, keeps that engine.
rm -f "$marker_txt"
open_box
xdotool key F11
sleep 1
[ ! -s "$marker_txt" ] || fail "F11 opened: $(cat "$marker_txt")"
vekctl wait-title "$BOX" 0 || fail "F11 closed the box"
# The pointer over the third engine of the row frames it and shows its name in a tooltip.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + 408)) $((Y + 52))
sleep 0.5
plain=$(screenshot search-row-plain)
xdotool mousemove $((X + 110)) $((Y + 52))
poll 5 vekctl visible-any tooltips_class32 || fail "no tooltip names the engine under the pointer"
framed=$(screenshot search-row-hover)
[ "$(pixel "$framed" $((X + 98)) $((Y + 52)))" != "$(pixel "$plain" $((X + 98)) $((Y + 52)))" ] ||
  fail "the engine under the pointer is not framed"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + 26)) $((Y + 20)) click 1
sleep 0.6
screenshot search-engine-menu >/dev/null
for _ in 1 2 3 4 5 6 7; do xdotool key Down; sleep 0.1; done
xdotool key Return
sleep 0.4
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Escape
poll 10 title_gone "$BOX" || fail "Esc did not close the box"
[ "$(engine_setting)" = 6 ] || fail "the menu's choice was not saved: engine $(engine_setting)"
# Dragged by its background, the box reopens where it was left.
open_box
eval "$(xdotool getwindowgeometry --shell "$box")"
x0=$X y0=$Y
xdotool mousemove $((x0 + 408)) $((y0 + 52)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((x0 + 408 - step * 20)) $((y0 + 52 - step * 30)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$box")"
[ "$Y" -lt $((y0 - 100)) ] || fail "the box did not follow the drag ($x0,$y0 -> $X,$Y)"
moved_x=$X moved_y=$Y
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Escape
poll 10 title_gone "$BOX" || fail "Esc did not close the box"
open_box
eval "$(xdotool getwindowgeometry --shell "$box")"
[ $((X - moved_x)) -ge -1 ] && [ $((X - moved_x)) -le 1 ] && [ $((Y - moved_y)) -ge -1 ] && [ $((Y - moved_y)) -le 1 ] ||
  fail "the box reopened at $X,$Y, not where it was dragged ($moved_x,$moved_y)"
echo "search e2e passed"

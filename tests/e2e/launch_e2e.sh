#!/usr/bin/env bash
# Using the dock: hovering magnifies, a click starts a shortcut with its arguments and
# working folder, a shortcut whose target is gone reports it and starts nothing, key mode
# dims the screen and a letter launches its slot, Esc leaves it, a click on the centre
# minimises the dock and a click on the minimised dock brings it back, and with auto-hide
# the dock hides after a launch.
source "$(dirname "$0")/lib.sh"

marker_txt="$(dirname "$MARKER_EXE")/marker.txt"
marker_win=$(winpath "$MARKER_EXE")
folder_win=$(winpath "$(dirname "$MARKER_EXE")")

slot_xy() { vekctl slot "$1" | tr -d '\r'; }
px() { pixel "$1" "$2" "$3"; }
click_at() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; }
marker_written() { [ -s "$marker_txt" ]; }

reset_user_data
vekseed --item "4|Marker|$marker_win|alpha beta" --item "5|Gone|C:\\nowhere\\gone.exe" \
  --item "6|Doomed|$marker_win|doomed" ||
  fail "could not prepare the configuration"
rm -f "$marker_txt"
start_dock
sleep 1
read -r x4 y4 <<<"$(slot_xy 4)"
read -r x5 y5 <<<"$(slot_xy 5)"
read -r cx cy <<<"$(slot_xy 0)"
xdotool mousemove 5 5
sleep 0.5
plain=$(screenshot launch-plain)
background=$(px "$plain" 5 5)

# Hover: the centre shows the slot's picture instead of the centre's own.
xdotool mousemove "$x4" "$y4"
sleep 0.6
hover=$(screenshot launch-hover)
changed=$(compare -metric AE -crop 128x128+$((cx - 64))+$((cy - 64)) "$plain" "$hover" null: 2>&1 || true)
[ "${changed%%.*}" -gt 2000 ] || fail "hovering slot 4 did not change the centre ($changed pixels)"

# A click starts the shortcut with its arguments in its own folder.
xdotool click 1
poll 15 marker_written || fail "the shortcut did not start the program"
grep -q "^arg=alpha" "$marker_txt" && grep -q "^arg=beta" "$marker_txt" || fail "arguments lost: $(cat "$marker_txt")"
grep -qi "^folder=${folder_win//\\/\\\\}" "$marker_txt" || fail "working folder: $(cat "$marker_txt")"

# A shortcut whose target is gone: the message, and nothing starts.
rm -f "$marker_txt"
click_at "$x5" "$y5"
vekctl wait-title "Problem with Shortcut" 10 || fail "no missing-target message"
screenshot launch-missing >/dev/null
box=$(xdotool search --name "^Problem with Shortcut$" | tail -1)
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" Return
vekctl wait-gone "#32770" 10 || fail "the missing-target message did not close"
sleep 0.5
[ ! -e "$marker_txt" ] || fail "something started for a missing target"

# Key mode: Alt+Space dims the screen; "3" launches slot 4; Esc leaves key mode. Keys
# reach a Wine window while it has the X focus and the pointer is over it.
xdotool mousemove "$cx" "$cy"
dock_window=$(xdotool search --name "^VEK Desktop$" | tail -1)
xdotool windowfocus --sync "$dock_window" 2>/dev/null || true
xdotool key alt+space
sleep 0.6
keymode=$(screenshot launch-keymode)
[ "$(px "$keymode" 5 5)" != "$background" ] || fail "key mode did not dim the screen"
xdotool key Escape
sleep 0.5
[ "$(px "$(screenshot launch-after-esc)" 5 5)" = "$background" ] || fail "Esc did not leave key mode"
xdotool windowfocus --sync "$dock_window" 2>/dev/null || true
xdotool key alt+space
sleep 0.4
xdotool key 3
poll 15 marker_written || fail "the letter did not launch slot 4"
sleep 0.5
[ "$(px "$(screenshot launch-after-letter)" 5 5)" = "$background" ] || fail "launching did not leave key mode"

# The centre minimises the dock; a click on the minimised dock restores it.
click_at "$cx" "$cy"
sleep 0.6
[ "$(px "$(screenshot launch-minimised)" "$x4" "$y4")" = "$background" ] || fail "the centre click did not minimise"
click_at "$cx" "$cy"
sleep 0.6
[ "$(px "$(screenshot launch-restored)" "$x4" "$y4")" != "$background" ] || fail "the minimised dock did not come back"

# Dragging an icon off the ring deletes it: the position becomes a blank shortcut.
read -r x6 y6 <<<"$(slot_xy 6)"
xdotool mousemove "$x6" "$y6"
sleep 0.4
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove "$((x6 + step * 40))" "$((y6 + step * 25))"
  sleep 0.1
done
screenshot launch-dragging >/dev/null
xdotool mouseup 1
sleep 1

vekctl close VEKDesktopTray
wait_exit "$DOCK_PID" 20 || fail "the program did not end"
item6=$(vekctl item 6 "$(winpath "$(dirname "$VEK_EXE")")" | tr -d '\r')
[ "${item6%%|*}" = 2 ] || fail "the dragged-off icon was not deleted: $item6"

# Auto-hide: after a launch the dock hides.
vekseed --autohide --item "4|Marker|$marker_win|again" || fail "could not prepare the configuration"
rm -f "$marker_txt"
start_dock
sleep 1
xdotool mousemove "$x4" "$y4"
sleep 0.5
screenshot launch-autohide-ready >/dev/null
xdotool click 1
poll 15 marker_written || fail "the shortcut did not start with auto-hide on"
sleep 1.5
hidden=$(screenshot launch-autohidden)
[ "$(px "$hidden" "$cx" "$cy")" = "$background" ] || fail "the dock did not hide after the launch"
[ "$(px "$hidden" "$x4" "$y4")" = "$background" ] || fail "the ring stayed after the launch"
vekctl close VEKDesktopTray
wait_exit "$DOCK_PID" 20 || fail "the program did not end"
echo "launch e2e passed"

#!/usr/bin/env bash
# Using the dock: a click starts a shortcut with its arguments and working folder, a
# double click starts it once, a shortcut whose target is gone reports it and starts
# nothing, in key mode a letter launches its slot and leaves key mode, a click on the
# centre minimises the dock and a click on the minimised dock brings it back, an icon
# dragged off the ring is deleted (not while dragging is locked), and with auto-hide the dock hides after a launch, but not while Settings is open. (Hovering, and key mode's dimming
# and Esc, are the dock test's.)
source "$(dirname "$0")/lib.sh"

folder_win=$(winpath "$(dirname "$MARKER_EXE")")
SETTINGS="VEK Desktop - Settings"
marker_written() { [ -s "$marker_txt" ]; }
# at X Y IS|NOT: the screen at (X, Y) is (or is not) the background there.
at() {
  local now
  now=$(pixel "$(screenshot launch-now)" "$1" "$2")
  if [ "$3" = IS ]; then [ "$now" = "$background" ]; else [ "$now" != "$background" ]; fi
}

reset_user_data
vekseed --item "4|Marker|$marker_win|alpha beta" --item "5|Gone|C:\\nowhere\\gone.exe" \
  --item "6|Doomed|$marker_win|doomed" || fail "could not prepare the configuration"
rm -f "$marker_txt"
start_dock
read -r x4 y4 <<<"$(slot 4)"
read -r x5 y5 <<<"$(slot 5)"
read -r x6 y6 <<<"$(slot 6)"
read -r cx cy <<<"$(slot 0)"
xdotool mousemove 5 5
background=$(pixel "$(settle launch-plain)" 5 5)

# A click starts the shortcut with its arguments in its own folder.
click_until "$x4" "$y4" marker_written || fail "the shortcut did not start the program"
grep -q "^arg=alpha" "$marker_txt" && grep -q "^arg=beta" "$marker_txt" || fail "arguments lost: $(cat "$marker_txt")"
grep -qi "^folder=${folder_win//\\/\\\\}" "$marker_txt" || fail "working folder: $(cat "$marker_txt")"

# A double click starts it once, and so does a triple click.
for clicks in 2 3; do
  starts=$(quick_clicks_start "$x4" "$y4" $clicks)
  [ "$starts" = 1 ] || fail "$clicks quick clicks started the program $starts times"
done

# A shortcut whose target is gone: the message, and nothing starts.
rm -f "$marker_txt"
click_until "$x5" "$y5" vekctl wait-title "Problem with Shortcut" 0 || fail "no missing-target message"
screenshot launch-missing >/dev/null
message "Problem with Shortcut" "has been changed or removed"
[ ! -e "$marker_txt" ] || fail "something started for a missing target"

# Key mode (Alt+Space, with the pointer on the centre): "3" launches slot 4 and leaves
# key mode.
point "$cx" "$cy"
press_until "VEK Desktop" alt+space at 5 5 NOT || fail "Alt+Space did not dim the screen"
press_until "VEK Desktop" 3 marker_written || fail "the letter did not launch slot 4"
poll 10 at 5 5 IS || fail "launching did not leave key mode"

# The centre minimises the dock; a click on the minimised dock restores it.
click_until "$cx" "$cy" at "$x4" "$y4" IS || fail "the centre click did not minimise"
click_until "$cx" "$cy" at "$x4" "$y4" NOT || fail "the minimised dock did not come back"

# Dragging an icon off the ring deletes it: the position becomes a blank shortcut. While
# "Lock Dragging" (entry A of the centre's menu) is on, it stays.
drag_off() {
  point "$x6" "$y6"
  xdotool mousedown 1
  for step in 1 2 3 4 5 6; do point "$((x6 + step * 40))" "$((y6 + step * 25))"; done
  screenshot "launch-dragging${1:-}" >/dev/null
  xdotool mouseup 1
}
# The saved switch (the 16-bit flag at byte 554 of the settings file): 0 when dragging is allowed.
locked_flag() { od -An -t d2 -j 554 -N 2 "$ICON_DIR/VEKCfg.cfg" | tr -d ' '; }
toggle_lock() {  # toggle_lock on|off: the lock entry, then the saved switch says so
  lock_wanted=$1
  BUTTON=3 click_until "$cx" "$cy" menu_open || fail "a right click on the centre opened no menu"
  press_until "VEK Desktop Menu" a menu_closed || fail "the letter A did not run the lock entry"
  poll 10 lock_saved || fail "the saved lock switch is $(locked_flag), not $lock_wanted"
}
lock_saved() { if [ "$lock_wanted" = on ]; then [ "$(locked_flag)" != 0 ]; else [ "$(locked_flag)" = 0 ]; fi; }
deleted() { [ "$(item 6 | cut -d'|' -f1)" = 2 ]; }
toggle_lock on
drag_off -locked
# Allowed again after the release was handled: whatever the drag did is saved by now.
toggle_lock off
deleted && fail "an icon dragged off a locked ring was deleted"
drag_off
poll 10 deleted || fail "the dragged-off icon was not deleted: $(item 6)"
stop_dock

# Auto-hide: after a launch the dock hides.
vekseed --autohide --item "4|Marker|$marker_win|again" || fail "could not prepare the configuration"
rm -f "$marker_txt"
start_dock
point "$x4" "$y4"
settle launch-autohide-ready >/dev/null
xdotool click 1
poll 15 marker_written || fail "the shortcut did not start with auto-hide on"
hidden() { at "$cx" "$cy" IS && at "$x4" "$y4" IS; }
poll 10 hidden || fail "the dock did not hide after the launch"
# Shown again from the tray with the pointer away, it hides again once idle.
point 5 5
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
poll 10 eval '! hidden' || fail "the tray did not show the dock"
poll 20 hidden || fail "the dock shown from the tray did not hide again"
# With Settings open the ring stays, however long the user works there; it hides once idle
# after they close it.
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
poll 10 eval '! hidden' || fail "the tray did not show the dock"
tray_command $VK_S
vekctl wait-title "$SETTINGS" 10 || fail "the tray menu's Settings opened no dialog"
sleep 9
screenshot launch-autohide-settings >/dev/null
at "$x4" "$y4" IS && fail "the ring hid behind the open Settings"
vekctl press-title "$SETTINGS" $IDOK
poll 20 hidden || fail "the dock did not hide again after Settings closed"
stop_dock
echo "launch e2e passed"

#!/usr/bin/env bash
# The item properties window and the user's picture and name. From the edit menu: a
# title edited and OK is saved, one closed with the close box is not; Type -> Group after
# Yes is "New Group  (Empty)", saved before the window closes; a good picture becomes the
# custom icon and a corrupt .ico says "Change icon failed" and keeps it; "Add Shortcut" on
# a group with a path typed into the file dialog adds a member with its picture. From
# the tray menu: a PNG becomes the centre's picture ("User Icon.ico", 128 x 128 PNG
# data) and the name typed is kept; a corrupt file keeps the picture and Cancel at the
# name keeps the name. Leaves properties-window.png and properties-user-picture.png.
source "$(dirname "$0")/lib.sh"
# What the screen showed when a step failed: properties-failed.png.
fail() {
  screenshot properties-failed >/dev/null 2>&1 || true
  echo "FAILED: $*" >&2
  exit 1
}

PROPS="Properties"
IDOK=1
IDCANCEL=2
TYPE_GROUP=302
BROWSE=305
CHANGE_ICON=306
TITLE=309
INPUT_TEXT=202
VK_A=65
VK_I=73
VK_P=80
program_folder=$(winpath "$(dirname "$VEK_EXE")")
marker_win=$(winpath "$MARKER_EXE")
files="$E2E_OUT/properties-files"
rm -rf "$files" && mkdir -p "$files"
convert -size 48x48 xc:'#00c000' "$files/good.png"
convert -size 200x150 xc:'#ff00ff' "$files/face.png"
echo "not a picture" >"$files/bad.ico"
cp "$files/bad.ico" "$files/bad.png"

item() { vekctl item "$1" "$program_folder" | tr -d '\r'; }
members() { vekctl members "$1" "$program_folder" | tr -d '\r'; }
popup_open() { vekctl visible-any '#32768'; }
gone() { ! vekctl wait-title "$1" 0; }
icons() { ls "$ICON_DIR" | grep -v -i '\.cfg' | sort | paste -sd, -; }
# edit_entry SLOT VK: the entry with that letter of slot SLOT's edit menu.
edit_entry() {
  read -r x y < <(vekctl slot "$1" | tr -d '\r')
  xdotool mousemove "$x" "$y"
  sleep 0.4
  xdotool click 3
  poll 10 popup_open || fail "a right click on slot $1 opened no edit menu"
  vekctl popup-keys "$2"
}
open_properties() {
  edit_entry "$1" $VK_P
  vekctl wait-title "$PROPS" 10 || fail "Properties of slot $1 did not open"
  sleep 0.5
}
# file_dialog TITLE FILE: the path typed into the open dialog, then Enter.
file_dialog() {
  vekctl wait-title "$1" 15 || fail "no file dialog \"$1\""
  sleep 1.5
  # The keys go to the dialog, whichever window had the focus before it.
  xdotool windowfocus --sync "$(xdotool search --name "^$1\$" | head -1)" 2>/dev/null || true
  sleep 0.3
  xdotool type --delay 30 "$(winpath "$2")"
  xdotool key Return
}
# message TITLE TEXT: a message box with the text, answered with ok/yes.
message() {
  local text
  text=$(vekctl dialog-text "$1" 10 | tr -d '\r') || fail "no message \"$2\""
  echo "$text" | grep -qF "$2" || fail "the message reads: $text"
  vekctl answer "$1" "${3:-ok}"
}

reset_user_data
vekseed --item "5|Five|$marker_win" --item "6|Six|$marker_win" --group "16|Tools|1|$marker_win|tool" ||
  fail "could not prepare the configuration"
start_dock
xdotool mousemove 5 5

# A title edited and OK is saved; edited and closed with the close box it is not.
open_properties 5
screenshot properties-window >/dev/null
vekctl type-title "$PROPS" $TITLE "Renamed"
vekctl press-title "$PROPS" $IDOK
poll 10 gone "$PROPS" || fail "OK did not close the window"
[ "$(item 5)" = "1|Renamed|0" ] || fail "OK saved slot 5 as $(item 5)"
open_properties 5
vekctl type-title "$PROPS" $TITLE "Discarded"
vekctl dismiss-title "$PROPS"
poll 10 gone "$PROPS" || fail "the close box did not close the window"
[ "$(item 5)" = "1|Renamed|0" ] || fail "the close box saved slot 5 as $(item 5)"

# Type -> Group, after Yes: an empty group, saved while the window is still open.
open_properties 6
vekctl press-title "$PROPS" $TYPE_GROUP
message "VEK Desktop" "This operation will delete this shortcut, continue?" yes
new_group() { [ "$(item 6)" = "4|New Group  (Empty)|0" ]; }
poll 10 new_group || fail "Type -> Group saved slot 6 as $(item 6)"
vekctl dismiss-title "$PROPS"
poll 10 gone "$PROPS" || fail "the window did not close"
# Opened again, the group's window changes nothing by itself.
open_properties 6
vekctl dismiss-title "$PROPS"
poll 10 gone "$PROPS" || fail "the group's window did not close"
new_group || fail "opening the group's window changed it to $(item 6)"

# A good picture becomes the custom icon; a corrupt .ico is refused and that icon kept.
before=$(icons)
open_properties 5
vekctl press-title "$PROPS" $CHANGE_ICON
file_dialog "VEK Desktop - Change Icon" "$files/good.png"
changed() { [ "$(icons)" != "$before" ]; }
poll 10 changed || fail "the good picture made no icon file"
with_custom=$(icons)
vekctl press-title "$PROPS" $CHANGE_ICON
file_dialog "VEK Desktop - Change Icon" "$files/bad.ico"
message "VEK Desktop" "Change icon failed"
[ "$(icons)" = "$with_custom" ] || fail "the corrupt icon changed the icon files: $(icons), was $with_custom"
vekctl dismiss-title "$PROPS"
poll 10 gone "$PROPS" || fail "the window did not close"

# "Add Shortcut" on the group, Browse, a path typed in: a new member with its picture.
edit_entry 16 $VK_A
vekctl wait-title "Add Shortcut" 10 || fail "Add Shortcut did not open"
sleep 0.5
vekctl press-title "Add Shortcut" $BROWSE
file_dialog "VEK Desktop - Properties" "$VEK_EXE"
two_members() { [ "$(members 16 | wc -l)" = 2 ]; }
poll 10 two_members || fail "Browse added no member: $(members 16)"
vekctl press-title "Add Shortcut" $IDOK
poll 10 gone "Add Shortcut" || fail "OK did not close Add Shortcut"
IFS='|' read -r _ link _ _ picture < <(members 16 | tail -1)
[ "$link" = "$(winpath "$VEK_EXE")" ] || fail "the new member links to $link"
[ -f "$ICON_DIR/$(basename "${picture//\\//}")" ] || fail "the new member has no picture: $picture"

# The user picture from a PNG: 128 x 128 PNG data in "User Icon.ico", shown in the centre.
user_icon="$ICON_DIR/User Icon.ico"
vekctl post VEKDesktopTray 2025 517
poll 10 popup_open || fail "the tray menu did not open"
vekctl popup-keys $VK_I
file_dialog "VEK Desktop - Change User Icon" "$files/face.png"
vekctl wait-title "Change User Name" 10 || fail "no name prompt after the picture"
vekctl type-title "Change User Name" $INPUT_TEXT "Tester"
vekctl press-title "Change User Name" $IDOK
poll 10 gone "Change User Name" || fail "the name prompt did not close"
[ "$(head -c 4 "$user_icon" | tail -c 3)" = PNG ] || fail "\"User Icon.ico\" holds no PNG data"
[ "$(convert "png:$user_icon" -format '%w %h' info:)" = "128 128" ] || fail "\"User Icon.ico\" is not 128 x 128"
[ "$(item 0 | cut -d'|' -f2)" = "Tester" ] || fail "the name was saved as $(item 0)"
read -r cx cy < <(vekctl slot 0 | tr -d '\r')
xdotool mousemove 5 5
sleep 1.5
shot=$(screenshot properties-user-picture)
IFS=, read -r r g b <<<"$(pixel "$shot" "$cx" "$cy")"
[ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -gt 200 ] || fail "the centre shows $r,$g,$b, not the magenta picture"

# A corrupt picture keeps the old one; Cancel at the name keeps the name.
old=$(md5sum <"$user_icon")
vekctl post VEKDesktopTray 2025 517
poll 10 popup_open || fail "the tray menu did not open again"
vekctl popup-keys $VK_I
file_dialog "VEK Desktop - Change User Icon" "$files/bad.png"
message "VEK Desktop" "Change icon failed"
vekctl wait-title "Change User Name" 10 || fail "no name prompt after the failed picture"
vekctl type-title "Change User Name" $INPUT_TEXT "Nobody"
vekctl press-title "Change User Name" $IDCANCEL
poll 10 gone "Change User Name" || fail "Cancel did not close the name prompt"
[ "$(md5sum <"$user_icon")" = "$old" ] || fail "the corrupt picture changed \"User Icon.ico\""
[ "$(item 0 | cut -d'|' -f2)" = "Tester" ] || fail "Cancel changed the name to $(item 0)"

vekctl close VEKDesktopTray || fail "could not reach the tray owner"
wait_exit "$DOCK_PID" 20 || fail "the program did not end"
echo "properties e2e passed; screenshots in $E2E_OUT"

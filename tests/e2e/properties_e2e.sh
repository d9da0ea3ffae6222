#!/usr/bin/env bash
# The item properties window and the user's picture and name. From the edit menu: a
# title edited and OK is saved, one closed with the close box is not; Type -> Group
# declined keeps the typed title (the window waits under the question), after Yes it is
# "New Group  (Empty)", saved before the window closes; the link list acts only on an
# entry chosen from its open list; a link pasted with quotes makes the item anew and a
# click starts it; a good picture becomes the custom icon and a corrupt .ico says
# "Change icon failed" and keeps it, and "Reset Default Icon" lets it go; "Add Shortcut"
# on a group, with a file chosen through Browse, adds a member with its picture. From the tray menu: a PNG becomes the
# centre's picture ("User Icon.ico", 128 x 128 PNG data) and the name typed is kept.
# Leaves properties-window.png and properties-user-picture.png.
source "$(dirname "$0")/lib.sh"

PROPS="Properties"
TYPE_GROUP=302 BROWSE=305 CHANGE_ICON=306 RESET_ICON=307 TITLE=309
files="$E2E_OUT/properties-files"
rm -rf "$files" && mkdir -p "$files"
convert -size 48x48 xc:'#00c000' "$files/good.png"
convert -size 200x150 xc:'#ff00ff' "$files/face.png"
echo "not a picture" >"$files/bad.ico"

icons() { ls "$ICON_DIR" | grep -v -i '\.cfg' | sort | paste -sd, -; }
# properties SLOT: the edit menu's "Properties" of the slot; waits for the window.
properties() {
  read -r x y <<<"$(slot "$1")"
  edit_command "$x" "$y" $VK_P
  vekctl wait-title "$PROPS" 10 || fail "Properties of slot $1 did not open"
}
close_properties() {
  vekctl dismiss-title "$PROPS"
  wait_closed "$PROPS"
}

reset_user_data
vekseed --item "5|Five|$marker_win" --item "6|Six|$marker_win" --item "7|Seven|C:\\gone\\old.exe" \
  --group "16|Tools|1|$marker_win|tool" ||
  fail "could not prepare the configuration"
start_dock

# A title edited and OK is saved; edited and closed with the close box it is not.
properties 5
screenshot properties-window >/dev/null
vekctl type-title "$PROPS" $TITLE "Renamed"
vekctl press-title "$PROPS" $IDOK
wait_closed "$PROPS"
[ "$(item 5)" = "1|Renamed|0" ] || fail "OK saved slot 5 as $(item 5)"
properties 5
vekctl type-title "$PROPS" $TITLE "Discarded"
close_properties
[ "$(item 5)" = "1|Renamed|0" ] || fail "the close box saved slot 5 as $(item 5)"

# Type -> Group declined with No leaves the title just typed; after Yes: an empty group,
# saved while the window is still open.
properties 6
vekctl type-title "$PROPS" $TITLE "Typed"
vekctl press-title "$PROPS" $TYPE_GROUP
# The window waits under its question, which it cannot cover.
poll 10 eval '! vekctl enabled-title "$PROPS" 0' || fail "Properties stayed enabled under its question"
message "VEK Desktop" "This operation will delete this shortcut, continue?" no
vekctl dialog-text "$PROPS" 5 | tr -d '\r' | grep -qx "Typed" || fail "declining the type change lost the typed title"
# The focus left the declined option: Space asks nothing again.
focus "$PROPS"
xdotool key space
! vekctl dialog-text "VEK Desktop" 2 >/dev/null || fail "Space after a declined type change asked again"
vekctl press-title "$PROPS" $TYPE_GROUP
message "VEK Desktop" "This operation will delete this shortcut, continue?" yes
new_group() { [ "$(item 6)" = "4|New Group  (Empty)|0" ]; }
poll 10 new_group || fail "Type -> Group saved slot 6 as $(item 6)"
close_properties
# Opened again, the group's window changes nothing by itself (its option buttons act
# only when clicked, not when they get the focus).
properties 6
close_properties
new_group || fail "opening the group's window changed it to $(item 6)"

# The link list acts on an entry chosen from the open list (Alt+Down, Down, Enter), not
# on the arrow key that looks through the closed box. The keyboard starts in Target;
# six Tabs reach the list.
properties 8
focus "$PROPS"
xdotool key --delay 150 Tab Tab Tab Tab Tab Tab Down
sleep 1
[ "$(item 8)" = "2|Blank Shortcut|0" ] || fail "Down on the closed link list made slot 8 $(item 8)"
xdotool key alt+Down
sleep 0.5
xdotool key Down Return
poll 10 eval '[ "$(item 8)" = "1|Check Email|0" ]' || fail "Enter in the open link list made slot 8 $(item 8)"
close_properties

# A link pasted with its quotes ("Copy as path") makes the item anew: a click starts it.
properties 7
vekctl type-title "$PROPS" 304 "\"$marker_win\""
vekctl press-title "$PROPS" $IDOK
wait_closed "$PROPS"
rm -f "$marker_txt"
read -r x y <<<"$(slot 7)"
click_until "$x" "$y" test -s "$marker_txt" || fail "a click on the item did not start the link typed in Properties"

# A good picture becomes the custom icon; a corrupt .ico is refused and that icon kept.
before=$(icons)
properties 5
vekctl press-title "$PROPS" $CHANGE_ICON
file_dialog "VEK Desktop - Change Icon" "$files/good.png"
new_icon() { [ "$(icons)" != "$before" ]; }
poll 10 new_icon || fail "the good picture made no icon file"
with_custom=$(icons)
vekctl press-title "$PROPS" $CHANGE_ICON
file_dialog "VEK Desktop - Change Icon" "$files/bad.ico"
message "VEK Desktop" "Change icon failed"
[ "$(icons)" = "$with_custom" ] || fail "the corrupt icon changed the icon files: $(icons), was $with_custom"
# "Reset Default Icon" lets the custom icon go: the icon files are as before it.
vekctl press-title "$PROPS" $RESET_ICON
back_to_default() { [ "$(icons)" = "$before" ]; }
poll 10 back_to_default || fail "Reset Default Icon left the icon files $(icons), not $before"
close_properties

# "Add Shortcut" on the group, Browse, a file chosen: a new member with its picture.
read -r x y <<<"$(slot 16)"
edit_command "$x" "$y" $VK_A
vekctl wait-title "Add Shortcut" 10 || fail "Add Shortcut did not open"
poll 10 vekctl press-title "Add Shortcut" $BROWSE || fail "could not press Browse"
file_dialog "VEK Desktop - Properties" "$VEK_EXE"
two_members() { [ "$(members 16 | wc -l)" = 2 ]; }
poll 10 two_members || fail "Browse added no member: $(members 16)"
vekctl press-title "Add Shortcut" $IDOK
wait_closed "Add Shortcut"
IFS='|' read -r _ link _ _ picture < <(members 16 | tail -1)
[ "$link" = "$(winpath "$VEK_EXE")" ] || fail "the new member links to $link"
[ -f "$ICON_DIR/$(basename "${picture//\\//}")" ] || fail "the new member has no picture: $picture"

# The user picture from a PNG: 128 x 128 PNG data in "User Icon.ico", shown in the centre;
# then the name asked for is kept. (A corrupt picture and Cancel at the name are
# UserIdentityTest's and InputBox's cases.)
user_icon="$ICON_DIR/User Icon.ico"
tray_command $VK_I
file_dialog "VEK Desktop - Change User Icon" "$files/face.png"
# A name with a character the code page lacks is refused with a word, and the box stays
# open for it to be typed again.
vekctl wait-title "Change User Name" 15 || fail "no input box \"Change User Name\""
LC_ALL=C.UTF-8 vekctl type-title "Change User Name" $INPUT_TEXT "Tester ✓"
vekctl press-title "Change User Name" $IDOK
message "VEK Desktop" "This text cannot be kept"
# The box holds no more of a name than the file keeps.
read -r left top right bottom <<<"$(vekctl rect-title "Change User Name" $INPUT_TEXT | tr -d '\r')"
click_at $(((left + right) / 2)) $(((top + bottom) / 2))
xdotool key ctrl+a type "$(printf 'x%.0s' {1..140})"
length=$(vekctl length-title "Change User Name" $INPUT_TEXT | tr -d '\r')
[ "$length" = 128 ] || fail "the name box holds $length characters"
answer_input "Change User Name" "Tester"
[ "$(head -c 4 "$user_icon" | tail -c 3)" = PNG ] || fail "\"User Icon.ico\" holds no PNG data"
[ "$(convert "png:$user_icon" -format '%w %h' info:)" = "128 128" ] || fail "\"User Icon.ico\" is not 128 x 128"
[ "$(item 0 | cut -d'|' -f2)" = "Tester" ] || fail "the name was saved as $(item 0)"
read -r cx cy <<<"$(slot 0)"
xdotool mousemove 5 5
magenta() {
  IFS=, read -r r g b <<<"$(pixel "$(screenshot properties-user-picture)" "$cx" "$cy")"
  [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -gt 200 ]
}
poll 10 magenta || fail "the centre shows $r,$g,$b, not the magenta picture"

stop_dock
echo "properties e2e passed; screenshots in $E2E_OUT"

#!/usr/bin/env bash
# The add-and-manage wizard, opened from the tray menu: drive C: and a folder of three
# programs chosen in its folder tree; "Add Shortcut" puts a program on the next free ring
# slot; "Add Group" makes a named group on the next; with the ring full "Add Group" says
# so and overwrites nothing; "Remove" asks and "No" keeps the entry; "Move Up" trades the
# slot with the one before it. Leaves wizard-*.png.
source "$(dirname "$0")/lib.sh"

WIZARD="VEK Desktop - Add & Manage Shortcuts"
SOURCE=502 TREE=503 FILES=505 ADD=510 ADD_GROUP=511 ITEMS=521 REMOVE=530 MOVE_UP=532
INPUT_TEXT=202 IDOK=1 VK_DOWN=40 VK_RETURN=13
program_folder=$(winpath "$(dirname "$VEK_EXE")")
marker_win=$(winpath "$MARKER_EXE")
item() { vekctl item "$1" "$program_folder" | tr -d '\r'; }
ring() { for s in $(seq 0 24); do item "$s"; done; }
entries() { vekctl entries-title "$WIZARD" "$1" | tr -d '\r'; }
choose() { vekctl choose-title "$WIZARD" "$@" || fail "could not choose $* in the wizard"; }
press() { vekctl press-title "$WIZARD" "$1" || fail "could not press button $1"; }
saved() { [ "$(item "$1")" = "$2" ]; }
listed() { [ "$(entries "$1" | tr -d '*' | paste -sd, -)" = "$2" ]; }
popup_open() { vekctl visible-any '#32768'; }

# Three programs in a folder of drive C: of the test prefix.
apps="$WINEPREFIX/drive_c/vekwiz"
rm -rf "$apps"
mkdir -p "$apps"
for name in alpha beta gamma; do cp "$MARKER_EXE" "$apps/$name.exe"; done
trap 'rm -rf "$apps"; cleanup_dock' EXIT

# Ring slots 4 and 7..24 taken: 5 and 6 are the free ones.
seed=(--item "4|Four|$marker_win")
for s in $(seq 7 24); do seed+=(--item "$s|Item $s|$marker_win"); done
reset_user_data
vekseed "${seed[@]}" || fail "could not prepare the configuration"
start_dock
xdotool mousemove 5 5
sleep 2

# The tray menu's third entry opens the wizard.
vekctl post VEKDesktopTray 2025 517
poll 10 popup_open || fail "the tray icon's right button opened no menu"
vekctl popup-keys $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
vekctl wait-title "$WIZARD" 10 || fail "the tray menu did not open the wizard"

# Drive C:, then the folder "vekwiz" typed into the folder tree.
c=$(entries $SOURCE | tr -d '*' | grep -nx 'C:\\' | cut -d: -f1)
[ -n "$c" ] || fail "drive C: is not among the sources: $(entries $SOURCE | paste -sd, -)"
choose $SOURCE $((c - 1))
has_vekwiz() { entries $FILES | grep -qx vekwiz; }
poll 10 has_vekwiz || fail "drive C: lists no folder vekwiz: $(entries $FILES | paste -sd, -)"
read -r left top _ _ <<<"$(vekctl rect-title "$WIZARD" $TREE | tr -d '\r')"
xdotool mousemove $((left + 30)) $((top + 9)) click 1
sleep 0.5
xdotool type v
poll 10 listed $FILES "alpha.exe,beta.exe,gamma.exe" || fail "the folder lists $(entries $FILES | paste -sd, -)"
screenshot wizard-folder >/dev/null

# Add Shortcut: alpha on slot 5, the first free one; the ring list shows it.
choose $FILES 0
press $ADD
poll 10 saved 5 "1|alpha|0" || fail "Add Shortcut saved slot 5 as $(item 5)"
[ "$(entries $ITEMS | sed -n 5p)" = alpha ] || fail "the ring list shows $(entries $ITEMS | sed -n 5p) for slot 5"
screenshot wizard-added >/dev/null

# Add Group: beta in a new group "Tools" on slot 6.
choose $FILES 1
press $ADD_GROUP
vekctl wait-title "Add Shortcut Group" 10 || fail "Add Group asked for no name"
vekctl type-title "Add Shortcut Group" $INPUT_TEXT Tools
vekctl press-title "Add Shortcut Group" $IDOK
poll 10 saved 6 "4|Tools|1" || fail "Add Group saved slot 6 as $(item 6)"

# The ring is full: Add Group says so and overwrites nothing.
before=$(ring)
choose $FILES 2
press $ADD_GROUP
text=$(vekctl dialog-text "VEK Desktop" 10 | tr -d '\r') || fail "Add Group on a full ring said nothing"
echo "$text" | grep -q "Desktop Group is full. Please remove a shortcut" || fail "the message reads: $text"
screenshot wizard-ring-full >/dev/null
vekctl answer "VEK Desktop" ok
sleep 1
! vekctl wait-title "Add Shortcut Group" 0 || fail "Add Group asked for a name on a full ring"
[ "$(ring)" = "$before" ] || fail "Add Group on a full ring changed the saved ring"

# Remove asks the delete question; No keeps slot 5.
choose $ITEMS 4
press $REMOVE
text=$(vekctl dialog-text "Delete Shortcut" 10 | tr -d '\r') || fail "Remove asked nothing"
echo "$text" | grep -q "Are you sure to delete the selected shortcut?" || fail "the question reads: $text"
vekctl answer "Delete Shortcut" no
sleep 1
[ "$(item 5)" = "1|alpha|0" ] || fail "No to Remove left slot 5 as $(item 5)"

# Move Up: slot 5 and slot 4 trade places; the moved entry stays chosen.
choose $ITEMS 4
press $MOVE_UP
poll 10 saved 4 "1|alpha|0" || fail "Move Up saved slot 4 as $(item 4)"
[ "$(item 5)" = "1|Four|0" ] || fail "Move Up saved slot 5 as $(item 5)"
[ "$(entries $ITEMS | sed -n 4p)" = "*alpha" ] || fail "the moved entry is not chosen: $(entries $ITEMS | sed -n 4p)"
screenshot wizard-moved >/dev/null

press $IDOK
gone() { ! vekctl wait-title "$WIZARD" 0; }
poll 10 gone || fail "OK did not close the wizard"
xdotool mousemove 5 5
sleep 1
screenshot wizard-ring-after >/dev/null
vekctl close VEKDesktopTray || fail "could not reach the tray owner"
wait_exit "$DOCK_PID" 20 || fail "the program did not end"
echo "wizard e2e passed; screenshots in $E2E_OUT"

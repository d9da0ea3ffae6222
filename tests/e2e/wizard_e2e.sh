#!/usr/bin/env bash
# The add-and-manage wizard, opened from the tray menu: drive C: and a folder of three
# programs chosen in its folder tree; Return in the file types box lists those types;
# "Add Shortcut" puts a program on the next free ring slot; "Add Group" makes a named
# group on the next, or nothing when its name is cancelled; "Remove" asks first; "Move
# Up" trades the slot with the one before it; a group chosen to manage lists its members. (A full ring and "No" to Remove: WizardTest's
# AddGroupTakesOnlyAFreeRingSlot and RemoveAsksTheDeleteQuestionAndNoKeepsEverything.)
# Leaves wizard-*.png.
source "$(dirname "$0")/lib.sh"

WIZARD="VEK Desktop - Add & Manage Shortcuts"
SOURCE=502 TARGET=520 TREE=503 PATTERN=504 FILES=505 FILE_ICON=506 ADD=510 ADD_GROUP=511 ITEMS=521 PICTURE=522 REMOVE=530
PROPERTIES=531 MOVE_UP=532
entries() { vekctl entries-title "$WIZARD" "$1" | tr -d '\r'; }
choose() { vekctl choose-title "$WIZARD" "$@" || fail "could not choose $* in the wizard"; }
press() { vekctl press-title "$WIZARD" "$1" || fail "could not press button $1"; }
saved() { [ "$(item "$1")" = "$2" ]; }
listed() { [ "$(entries "$1" | tr -d '*' | paste -sd, -)" = "$2" ]; }

# Three programs in a folder of drive C: of the test prefix.
apps="$WINEPREFIX/drive_c/vekwiz"
rm -rf "$apps"
mkdir -p "$apps"
for name in alpha beta gamma; do cp "$MARKER_EXE" "$apps/$name.exe"; done
at_exit 'rm -rf "$apps"'

# Ring slots 4 and 7..24 taken: 5 and 6 are the free ones.
seed=(--item "4|Four|$marker_win||0|Internet.png")
for s in $(seq 7 24); do seed+=(--item "$s|Item $s|$marker_win"); done
reset_user_data
vekseed "${seed[@]}" || fail "could not prepare the configuration"
start_dock

# The tray menu's third entry opens the wizard.
tray_command $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
vekctl wait-title "$WIZARD" 10 || fail "the tray menu did not open the wizard"

# Drive C:, then the folder "vekwiz" typed into the folder tree.
c=$(entries $SOURCE | tr -d '*' | grep -nx 'C:\\' | cut -d: -f1)
[ -n "$c" ] || fail "drive C: is not among the sources: $(entries $SOURCE | paste -sd, -)"
choose $SOURCE $((c - 1))
has_vekwiz() { entries $FILES | grep -qx vekwiz; }
poll 10 has_vekwiz || fail "drive C: lists no folder vekwiz: $(entries $FILES | paste -sd, -)"
read -r left top _ _ <<<"$(vekctl rect-title "$WIZARD" $TREE | tr -d '\r')"
click_at $((left + 30)) $((top + 9))
press_until "$WIZARD" v listed $FILES "alpha.exe,beta.exe,gamma.exe" || fail "the folder lists $(entries $FILES | paste -sd, -)"
screenshot wizard-folder >/dev/null

# Return in the file types box lists the typed types, and the wizard stays.
read -r pattern_left pattern_top _ _ <<<"$(vekctl rect-title "$WIZARD" $PATTERN | tr -d '\r')"
file_types() {
  click_at $((pattern_left + 20)) $((pattern_top + 8))
  xdotool key --delay 100 Home shift+End
  xdotool type --delay 60 "$1"
  xdotool key Return
  poll 10 listed $FILES "$2" || fail "the types $1 list $(entries $FILES | paste -sd, -)"
  vekctl wait-title "$WIZARD" 0 || fail "Return in the file types box closed the wizard"
}
file_types '*b*.exe' "beta.exe"
file_types '*.*' "alpha.exe,beta.exe,gamma.exe"

# Add Shortcut: alpha on slot 5, the first free one; the ring list shows it.
choose $FILES 0
press $ADD
poll 10 saved 5 "1|alpha|0" || fail "Add Shortcut saved slot 5 as $(item 5)"
[ "$(entries $ITEMS | sed -n 5p)" = alpha ] || fail "the ring list shows $(entries $ITEMS | sed -n 5p) for slot 5"
shot=$(screenshot wizard-added)
# The chosen file's icon shows beside the list (asked of the shell within a limit).
read -r l t r b <<<"$(vekctl rect-title "$WIZARD" $FILE_ICON | tr -d '\r')"
spread=$(convert "$shot" -crop $((r - l))x$((b - t))+$l+$t -format '%[fx:standard_deviation]' info:)
awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || fail "no icon beside the chosen file (spread $spread)"

# Add Group: Cancel in its name box adds nothing; then beta in a new group "Tools" on slot 6.
choose $FILES 1
before=$(item 6)
press $ADD_GROUP
answer_input "Add Shortcut Group" Ignored $IDCANCEL
sleep 1
[ "$(item 6)" = "$before" ] || fail "Cancel in the group's name box saved slot 6 as $(item 6)"
press $ADD_GROUP
answer_input "Add Shortcut Group" Tools
poll 10 saved 6 "4|Tools|1" || fail "Add Group saved slot 6 as $(item 6)"

# Slot 4's picture file is gone: its preview is its link's icon.
rm "$ICON_DIR/4.png" || fail "slot 4 has no picture file to take away"
choose $ITEMS 3
read -r pl pt _ _ <<<"$(vekctl rect-title "$WIZARD" $PICTURE | tr -d '\r')"
preview_drawn() {
  awk -v v="$(convert "$(screenshot wizard-preview)" -crop "32x32+$pl+$pt" -colorspace Gray -format '%[fx:standard_deviation]' info:)" 'BEGIN { exit !(v >= 0.02) }'
}
poll 10 preview_drawn || fail "the entry whose picture file is gone shows nothing"

# Remove asks the delete question (answered No).
choose $ITEMS 4
press $REMOVE
message "Delete Shortcut" "Are you sure to delete the selected shortcut?" no

# Move Up: slot 5 and slot 4 trade places; the moved entry stays chosen.
choose $ITEMS 4
press $MOVE_UP
poll 10 saved 4 "1|alpha|0" || fail "Move Up saved slot 4 as $(item 4)"
[ "$(item 5)" = "1|Four|0" ] || fail "Move Up saved slot 5 as $(item 5)"
[ "$(entries $ITEMS | sed -n 4p)" = "*alpha" ] || fail "the moved entry is not chosen: $(entries $ITEMS | sed -n 4p)"
screenshot wizard-moved >/dev/null

# Properties of the chosen entry opens over the wizard, owned by it.
press $PROPERTIES
vekctl wait-title "Properties" 10 || fail "the wizard's Properties did not open"
[ "$(vekctl owner-title "Properties" | tr -d '\r')" = "$WIZARD" ] ||
  fail "Properties is owned by \"$(vekctl owner-title "Properties" | tr -d '\r')\", not the wizard"
screenshot wizard-properties >/dev/null
vekctl dismiss-title "Properties"
wait_closed "Properties"

# Remove answered Yes leaves a blank position there.
choose $ITEMS 4
press $REMOVE
message "Delete Shortcut" "Are you sure to delete the selected shortcut?" yes
poll 10 saved 5 "2|Blank Shortcut|0" || fail "Remove saved slot 5 as $(item 5)"

# The group "Tools" chosen to manage: the list shows its member.
tools_at=$(entries $TARGET | grep -n "Tools" | head -1 | cut -d: -f1)
[ -n "$tools_at" ] || fail "the what-to-manage list offers no Tools: $(entries $TARGET | paste -sd, -)"
choose $TARGET $((tools_at - 1))
lists_beta() { [ "$(entries $ITEMS | tr -d '*' | paste -sd, -)" = beta ]; }
poll 10 lists_beta || fail "managing Tools lists $(entries $ITEMS | paste -sd, -)"

# A folder gone since the tree listed it cannot be read: the file list stays as it was.
choose $SOURCE $((c - 1))
poll 10 has_vekwiz || fail "drive C: lists no folder vekwiz again"
rm -rf "$apps"
click_at $((left + 30)) $((top + 9))
told_unreadable() { vekctl dialog-text "$WIZARD" 0 | grep -q 'vekwiz cannot be read'; }
press_until "$WIZARD" v told_unreadable || fail "the folder that is gone was not told"
has_vekwiz || fail "the folder that cannot be read emptied the file list: $(entries $FILES | paste -sd, -)"

press $IDOK
wait_closed "$WIZARD"
xdotool mousemove 5 5
settle wizard-ring-after >/dev/null
stop_dock
echo "wizard e2e passed; screenshots in $E2E_OUT"

#!/usr/bin/env bash
# The item edit popup menu: a right click on a ring slot opens it; "Move Up" trades the
# slot with the one before it, pictures and saved order included; "Delete" asks first and
# "Yes" leaves a "Blank Shortcut". From key mode, a group opened by its letter and a right
# click on a member: "Move Down" reorders that group, and only it. ("No" to Delete:
# EditMenuTest's EntriesCallTheWindowsInOrder.) Delete on a group asks its own question;
# Move Bottom takes a group and its members to the last slot.
# Leaves edit-before-move.png and edit-after-move.png.
source "$(dirname "$0")/lib.sh"

# The difference between box 1 of shot A and box 2 of shot B (both S×S, centred) → 0..1
same_picture() {  # same_picture A X1 Y1 B X2 Y2 S
  local s=$7
  convert "$1" -crop "${s}x${s}+$(($2 - s / 2))+$(($3 - s / 2))" +repage "$E2E_OUT/edit-crop-a.png"
  convert "$4" -crop "${s}x${s}+$(($5 - s / 2))+$(($6 - s / 2))" +repage "$E2E_OUT/edit-crop-b.png"
  compare -metric RMSE "$E2E_OUT/edit-crop-a.png" "$E2E_OUT/edit-crop-b.png" null: 2>&1 |
    sed -E 's/.*\(([0-9.e+-]+)\).*/\1/'
}
titles() { members "$1" | cut -d'|' -f1 | paste -sd, -; }
# Slots 4 and 5 show each other's former pictures.
traded() {
  local pair ax ay bx by d after
  after=$(screenshot edit-after-move)
  for pair in "$x4 $y4 $x5 $y5" "$x5 $y5 $x4 $y4"; do
    read -r ax ay bx by <<<"$pair"
    d=$(same_picture "$after" "$ax" "$ay" "$before" "$bx" "$by" 40)
    awk -v d="$d" 'BEGIN { exit !(d < 0.08) }' || return 1
  done
}

reset_user_data
vekseed --command "4|65" --item "5|Five|$marker_win" --group "16|Tools|3|$marker_win|tool" \
  --group "20|Games|3|$marker_win|game" || fail "could not prepare the configuration"
start_dock
read -r x4 y4 <<<"$(slot 4)"
read -r x5 y5 <<<"$(slot 5)"
xdotool mousemove 5 5
before=$(settle edit-before-move)
four_before=$(item 4)

# Move Up on slot 5: slots 4 and 5 trade places in the saved file and on the screen.
BUTTON=3 click_until "$x5" "$y5" popup_open || fail "a right click on slot 5 opened no edit menu"
screenshot edit-menu >/dev/null
vekctl popup-keys $VK_U
moved() { [ "$(item 4)" = "1|Five|0" ]; }
poll 10 moved || fail "Move Up did not save slot 5 as slot 4: $(item 4)"
# The pointer still rests on slot 5, which shows its new item magnified, not plain.
magnified() { awk -v d="$(same_picture "$(screenshot edit-hover-after-move)" "$x5" "$y5" "$before" "$x4" "$y4" 40)" 'BEGIN { exit !(d > 0.08) }'; }
poll 5 magnified || fail "slot 5 under the pointer shows its new item plain after the move"
[ "$(item 5)" = "$four_before" ] || fail "slot 5 is $(item 5), not the former slot 4 ($four_before)"
xdotool mousemove 5 5
poll 10 traded || fail "slots 4 and 5 do not show each other's pictures"

# Delete on slot 4 asks; Yes saves a blank position there.
edit_command "$x4" "$y4" $VK_D
message "Delete Shortcut" "Are you sure to delete the selected shortcut?" yes
blank() { [ "$(item 4)" = "2|Blank Shortcut|0" ]; }
poll 10 blank || fail "Yes left slot 4 as $(item 4)"
[ "$(item 5)" = "$four_before" ] || fail "deleting slot 4 changed slot 5 to $(item 5)"

# From key mode: the group of slot 16 opens by its letter "F"; a right click on its second
# member and Move Down reorder that group only.
games_before=$(titles 20)
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
press_until "VEK Desktop" f menu_open || fail "the letter F opened no group menu"
read -r ml mt _ _ <<<"$(vekctl menu 16 3 | tr -d '\r')"
BUTTON=3 click_until $((ml + 100)) $((mt + 10 + 38 + 19)) popup_open ||
  fail "a right click on the second member opened no edit menu"
# "Move Down" shares its letter with "Delete": clicked at its place, the fifth entry
# (entries are 16 px high, the separator after "Delete" 9 px).
read -r left top _ _ <<<"$(vekctl popup-rect | tr -d '\r')"
click_at $((left + 40)) $((top + 3 + 16 * 3 + 9 + 8))
poll 10 popup_closed || fail "the edit menu did not close"
reordered() { [ "$(titles 16)" = "Tools 1,Tools 3,Tools 2" ]; }
poll 10 reordered || fail "Move Down gave the group the order $(titles 16)"
[ "$(titles 20)" = "$games_before" ] || fail "another group changed: $(titles 20)"
menu_open || fail "the group menu closed under its edit menu"
screenshot edit-member-moved >/dev/null

# Delete on the group of slot 20 asks its own question: No keeps it, Yes leaves a blank
# position.
press_until "VEK Desktop Menu" Escape menu_closed || fail "Esc did not close the group menu"
read -r x20 y20 <<<"$(slot 20)"
group_before=$(item 20)
for answer in no yes; do
  edit_command "$x20" "$y20" $VK_D
  message "Delete Shortcut Group" "Are you sure to delete the selected group?" $answer
  [ $answer = no ] && { [ "$(item 20)" = "$group_before" ] || fail "No to deleting the group left $(item 20)"; }
done
group_gone() { [ "$(item 20)" = "2|Blank Shortcut|0" ]; }
poll 10 group_gone || fail "Yes left the group as $(item 20)"

# Move Bottom on the group of slot 16 puts it, members and all, in the last slot (24);
# the slots after it move one place back.
read -r x16 y16 <<<"$(slot 16)"
tools=$(item 16)
edit_command "$x16" "$y16" 66
at_bottom() { [ "$(item 24)" = "$tools" ]; }
poll 10 at_bottom || fail "Move Bottom left slot 24 as $(item 24), not $tools"
[ "$(titles 24)" = "Tools 1,Tools 3,Tools 2" ] || fail "the group's members did not move with it: $(titles 24)"
[ "$(item 16)" = "2|Blank Shortcut|0" ] || fail "slot 17 did not move back into slot 16: $(item 16)"

stop_dock
echo "edit menu e2e passed; screenshots in $E2E_OUT"

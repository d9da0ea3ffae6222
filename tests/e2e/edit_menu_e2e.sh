#!/usr/bin/env bash
# The item edit popup menu: a right click on a ring slot opens it; "Move Up" trades the
# slot with the one before it, pictures and saved order included; "Delete" asks first,
# "No" changes nothing and "Yes" leaves a "Blank Shortcut". From key mode, a group opened
# by its letter and a right click on a member: "Move Down" reorders that group, and only
# it. Leaves edit-before-move.png and edit-after-move.png.
source "$(dirname "$0")/lib.sh"

# The difference between box 1 of shot A and box 2 of shot B (both S×S, centred) → 0..1
same_picture() {  # same_picture A X1 Y1 B X2 Y2 S
  local s=$7
  convert "$1" -crop "${s}x${s}+$(($2 - s / 2))+$(($3 - s / 2))" +repage "$E2E_OUT/edit-crop-a.png"
  convert "$4" -crop "${s}x${s}+$(($5 - s / 2))+$(($6 - s / 2))" +repage "$E2E_OUT/edit-crop-b.png"
  compare -metric RMSE "$E2E_OUT/edit-crop-a.png" "$E2E_OUT/edit-crop-b.png" null: 2>&1 |
    sed -E 's/.*\(([0-9.e+-]+)\).*/\1/'
}
item() { vekctl item "$1" "$program_folder" | tr -d '\r'; }
members() { vekctl members "$1" "$program_folder" | tr -d '\r' | cut -d'|' -f1 | paste -sd, -; }
# right_click X Y: the edit menu opens there.
right_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.4
  xdotool click 3
  poll 10 popup_open || fail "a right click at ($1, $2) opened no edit menu"
  sleep 0.3
}
# choose N: a click on entry N of the open edit menu (0 "Add Shortcut", 1 "Delete",
# 3..6 the moves; entries are 16 px high and the separator after "Delete" 9 px).
choose() {
  local left top right bottom y
  read -r left top right bottom <<<"$(vekctl popup-rect | tr -d '\r')"
  y=$((top + 3 + 16 * $1 + 8))
  [ "$1" -ge 3 ] && y=$((y - 16 + 9))
  xdotool mousemove $((left + 40)) "$y"
  sleep 0.3
  xdotool click 1
  poll 10 popup_closed || fail "the edit menu did not close"
}

reset_user_data
vekseed --command "4|65" --item "5|Five|$marker_win" --group "16|Tools|3|$marker_win|tool" \
  --group "20|Games|3|$marker_win|game" || fail "could not prepare the configuration"
start_dock
read -r x4 y4 < <(vekctl slot 4 | tr -d '\r')
read -r x5 y5 < <(vekctl slot 5 | tr -d '\r')
read -r cx cy < <(vekctl slot 0 | tr -d '\r')
xdotool mousemove 5 5
sleep 2
before=$(settle edit-before-move)
four_before=$(item 4)
[ "$(item 5)" = "1|Five|0" ] || fail "the seeded slot 5 is $(item 5)"

# Move Up on slot 5: slots 4 and 5 trade places in the saved file and on the screen.
right_click "$x5" "$y5"
screenshot edit-menu >/dev/null
choose 3
moved() { [ "$(item 4)" = "1|Five|0" ]; }
poll 10 moved || fail "Move Up did not save slot 5 as slot 4: $(item 4)"
[ "$(item 5)" = "$four_before" ] || fail "slot 5 is $(item 5), not the former slot 4 ($four_before)"
xdotool mousemove 5 5
sleep 1
after=$(settle edit-after-move)
for pair in "$x4 $y4 $x5 $y5" "$x5 $y5 $x4 $y4"; do
  read -r ax ay bx by <<<"$pair"
  d=$(same_picture "$after" "$ax" "$ay" "$before" "$bx" "$by" 40)
  awk -v d="$d" 'BEGIN { exit !(d < 0.08) }' || fail "the picture at ($ax, $ay) is not the one from ($bx, $by): $d"
done

# Delete on slot 5, answered No: nothing changes. Yes: a blank position is saved.
right_click "$x5" "$y5"
choose 1
text=$(vekctl dialog-text "Delete Shortcut" 10 | tr -d '\r') || fail "Delete asked nothing"
echo "$text" | grep -q "Are you sure to delete the selected shortcut?" || fail "the question reads: $text"
vekctl answer "Delete Shortcut" no
sleep 1
[ "$(item 5)" = "$four_before" ] || fail "No changed slot 5 to $(item 5)"
right_click "$x5" "$y5"
choose 1
vekctl dialog-text "Delete Shortcut" 10 >/dev/null || fail "Delete asked nothing the second time"
vekctl answer "Delete Shortcut" yes
blank() { [ "$(item 5)" = "2|Blank Shortcut|0" ]; }
poll 10 blank || fail "Yes left slot 5 as $(item 5)"
[ "$(item 4)" = "1|Five|0" ] || fail "deleting slot 5 changed slot 4 to $(item 4)"

# From key mode: the group of slot 16 opens by its letter "F"; a right click on its second
# member and Move Down reorder that group only.
games_before=$(members 20)
dock_window=$(xdotool search --name '^VEK Desktop$' | tail -1)
xdotool windowfocus --sync "$dock_window" 2>/dev/null || true
vekctl post VEKDesktopTray 2025 514
sleep 1
xdotool windowfocus --sync "$dock_window" 2>/dev/null || true
xdotool key f
poll 10 menu_open || fail "the letter F opened no group menu"
sleep 0.5
read -r ml mt mw mh <<<"$(vekctl menu 16 3 | tr -d '\r')"
right_click $((ml + 100)) $((mt + 10 + 38 + 19))
choose 4
reordered() { [ "$(members 16)" = "Tools 1,Tools 3,Tools 2" ]; }
poll 10 reordered || fail "Move Down gave the group the order $(members 16)"
[ "$(members 20)" = "$games_before" ] || fail "another group changed: $(members 20)"
menu_open || fail "the group menu closed under its edit menu"
screenshot edit-member-moved >/dev/null

stop_dock
echo "edit menu e2e passed; screenshots in $E2E_OUT"

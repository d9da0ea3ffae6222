#!/usr/bin/env bash
# Group menus: a click on a group opens its menu beside its slot (to the left for a slot
# on the left half of the ring, to the right on the right half), a paged menu starts with
# "PgUp" grey, the wheel scrolls, a letter launches its member with its arguments, Esc
# and another window in front close the menu, and a member dragged out of the menu is
# deleted with its picture. Leaves menu-5.png and menu-40.png over a busy wallpaper.
source "$(dirname "$0")/lib.sh"

WALLPAPER_EXE="$(dirname "$VEKCTL")/wallpaper.exe"

# changed_box A B X Y W H [threshold]: changed, for the box whose top-left is (X, Y).
changed_box() { changed "$1" "$2" $(($3 + $5 / 2)) $(($4 + $6 / 2)) "$5" "$6" "${7:-0.05}"; }
# Pixels darker than LEVEL (0..100 %) in a W×H box whose top-left is (X, Y).
dark_pixels() {  # dark_pixels FILE X Y W H LEVEL
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -negate -threshold "$((100 - $6))%" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
marker_written() { [ -s "$marker_txt" ]; }
focus_menu() {
  local w
  w=$(xdotool search --name '^VEK Desktop Menu$' | tail -1)
  [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null || true
}
# open_menu SLOT: points at the slot, keeps the picture in $hovered, clicks, waits for the menu.
open_menu() {
  read -r sx sy <<<"$(vekctl slot "$1" | tr -d '\r')"
  xdotool mousemove "$sx" "$sy"
  sleep 0.4
  hovered=$(settle "menu-before-$1")
  xdotool click 1
  poll 10 menu_open || fail "a click on slot $1 opened no menu"
  sleep 0.5
}

reset_user_data
rm -f "$marker_txt"
vekseed --group "16|Tools|5|$marker_win|tool" --group "3|All Programs|40|$marker_win|prog" ||
  fail "could not prepare the configuration"
"$WINE" "$WALLPAPER_EXE" &
wallpaper_pid=$!
notepad_pid=""
end_notepad() {
  [ -n "$notepad_pid" ] || return 0
  vekctl close Notepad >/dev/null 2>&1 || true
  wait "$notepad_pid" 2>/dev/null || true
  notepad_pid=""
}
trap 'end_notepad; vekctl close VEKTestWallpaper >/dev/null 2>&1; wait $wallpaper_pid 2>/dev/null; cleanup_dock' EXIT
vekctl wait-window VEKTestWallpaper 20 || fail "the wallpaper window did not appear"
start_dock
sleep 1.5

# The 5-member group on the left half opens left of its icon.
open_menu 16
read -r ml mt mw mh <<<"$(vekctl menu 16 5 | tr -d '\r')"
five=$(settle menu-5)
changed_box "$five" "$hovered" $((ml + 30)) $((mt + 20)) 200 $((mh - 40)) || fail "no menu left of slot 16"
changed_box "$five" "$hovered" $((sx + 40)) $((mt + 20)) 200 $((mh - 40)) 0.01 && fail "the menu of slot 16 opened on its right"
# Esc closes it; the ring is as it was.
focus_menu
xdotool key Escape
poll 5 menu_closed || fail "Esc did not close the menu"
gone() { ! changed_box "$(screenshot menu-5-closed)" "$hovered" $((ml + 30)) $((mt + 20)) 200 $((mh - 40)) 0.01; }
poll 5 gone || fail "the menu's picture stayed on the screen after Esc"

# The 40-member All Programs group on the right half opens right of its icon, paged:
# "PgUp" grey on the first page, "PgDn" black.
open_menu 3
read -r ml mt mw mh <<<"$(vekctl menu 3 40 | tr -d '\r')"
forty=$(settle menu-40)
changed_box "$forty" "$hovered" $((ml + 30)) $((mt + 20)) 200 $((mh - 40)) || fail "no menu right of slot 3"
changed_box "$forty" "$hovered" $((sx - 300)) $((mt + 20)) 200 $((mh - 40)) 0.01 && fail "the menu of slot 3 opened on its left"
pgup_dark=$(dark_pixels "$forty" $((ml + 210)) $((mt + 10)) 40 25 25)
pgup_grey=$(dark_pixels "$forty" $((ml + 210)) $((mt + 10)) 40 25 60)
pgdn_dark=$(dark_pixels "$forty" $((ml + 210)) $((mt + mh - 35)) 40 25 25)
[ "$pgup_dark" -eq 0 ] && [ "$pgup_grey" -gt 5 ] || fail "PgUp is not grey on the first page ($pgup_dark dark, $pgup_grey grey)"
[ "$pgdn_dark" -gt 5 ] || fail "PgDn is not black ($pgdn_dark dark pixels)"

# The wheel moves the list on by one member: every row's caption changes.
xdotool mousemove $((ml + 130)) $((mt + 60))
sleep 0.4
before_wheel=$(screenshot menu-40-hover)
xdotool click 5
sleep 0.6
wheeled=$(screenshot menu-40-wheel)
changed_box "$wheeled" "$before_wheel" $((ml + 48)) $((mt + 40 + 38 * 5)) 180 38 0.02 || fail "the wheel did not scroll the menu"
grey_after=$(dark_pixels "$wheeled" $((ml + 210)) $((mt + 10)) 40 25 25)
[ "$grey_after" -gt 5 ] || fail "PgUp stayed grey after scrolling"

# A letter launches its member with its arguments and closes the menu: "2" is member 3.
focus_menu
xdotool key 2
poll 15 marker_written || fail "the letter did not launch its member"
grep -q "^arg=prog" "$marker_txt" && grep -q "^arg=3" "$marker_txt" || fail "wrong member or arguments: $(cat "$marker_txt")"
poll 5 menu_closed || fail "launching did not close the menu"

# Another window coming to the front closes the menu.
open_menu 16
"$WINE" notepad >/dev/null 2>&1 &
notepad_pid=$!
poll 10 menu_closed || fail "the menu stayed open behind another window"
end_notepad
sleep 0.5

# A member dragged 10 px out of the menu is deleted: the saved group shrinks and the
# member's picture file is gone.
[ -e "$ICON_DIR/129.png" ] || fail "the seeded member has no picture file"
open_menu 16
read -r ml mt mw mh <<<"$(vekctl menu 16 5 | tr -d '\r')"
px=$((ml + 13)) py=$((mt + 10 + 19))
xdotool mousemove "$px" "$py"
sleep 0.3
xdotool mousedown 1
for dx in 2 4 6 8 10; do xdotool mousemove $((px - dx)) "$py"; sleep 0.05; done
xdotool mouseup 1
saved_count() { [ "$(vekctl item 16 "$program_folder" | tr -d '\r' | cut -d'|' -f3)" = "4" ]; }
poll 10 saved_count || fail "the group still holds $(vekctl item 16 "$program_folder" | tr -d '\r')"
[ ! -e "$ICON_DIR/129.png" ] || fail "the deleted member's picture is still there"
screenshot menu-after-delete >/dev/null
echo "menu e2e passed"

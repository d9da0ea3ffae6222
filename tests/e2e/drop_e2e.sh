#!/usr/bin/env bash
# Dropping files on the dock from another program through OLE drag and drop: the
# "add" picture shows over an empty position while the drag is there, three files
# dropped on it become a new group named in the input box, one file dropped on a
# shortcut replaces it after the question, the source is told "link",
# never "move", a file dropped on the Recycle Bin goes to the trash after the
# question and the bin's picture turns full ("Recycle Bin Status" tells what it holds,
# and "Empty Recycle Bin" empties it again),
# and a file dropped on a full group is refused with a message.
source "$(dirname "$0")/lib.sh"

[ -n "$DRAGFILES_EXE" ] || fail "no drag helper"
files="$E2E_OUT/dropfiles"
signal="$E2E_OUT/drop-now"
rm -rf "$files" "$signal"
mkdir -p "$files"
for f in alpha beta gamma trash-me; do echo "$f" >"$files/$f.txt"; done
trash="${XDG_DATA_HOME:?}/Trash/files"
# The trash (the session's own, in the build folder) starts empty, so that the Recycle
# Bin shows its empty picture until the drop.
rm -rf "$XDG_DATA_HOME/Trash"

# mean_rgb FILE X Y → "R G B" of the 48 × 48 box centred on (X, Y)
mean_rgb() {
  convert "$1" -crop 48x48+$(($2 - 24))+$(($3 - 24)) +repage \
    -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]' info:
}

# drag_to SLOT PATH... : starts the drag beside the ring and carries it to SLOT; the
# helper's output goes to $E2E_OUT/drag.out.
drag_to() {
  local slot=$1
  shift
  local args=()
  for p in "$@"; do args+=("$(winpath "$p")"); done
  rm -f "$signal"
  point 20 20
  "$WINE" "$DRAGFILES_EXE" --drop-when "$(winpath "$signal")" "${args[@]}" >"$E2E_OUT/drag.out" 2>"$E2E_OUT/drag.err" &
  DRAG_PID=$!
  # The helper's drag loop runs once its window is up.
  sleep 1.5
  read -r tx ty <<<"$(slot "$slot")"
  for i in 1 2 3 4 5 6 7 8; do
    point $((20 + (tx - 20) * i / 8)) $((20 + (ty - 20) * i / 8))
    sleep 0.15
  done
}
drop_here() {
  touch "$signal"
  wait "$DRAG_PID" || true
  rm -f "$signal"
}

reset_user_data
vekseed --item "4|Marker|$(winpath "$MARKER_EXE")|" --group "9|Full|36|$(winpath "$MARKER_EXE")|n" ||
  fail "could not prepare the configuration"
start_dock
xdotool mousemove 20 20
read -r x8 y8 <<<"$(slot 8)"
plain=$(settle drop-plain)

# Over the empty position 8 the "add" picture shows at the pointer.
drag_to 8 "$files/alpha.txt" "$files/beta.txt" "$files/gamma.txt"
add_shown() {
  read -r r g b <<<"$(mean_rgb "$(screenshot drop-mid-drag)" "$x8" "$y8")"
  [ $((g - r)) -gt 20 ] && [ $((g - b)) -gt 10 ]
}
poll 10 add_shown || fail "no add picture over slot 8 during the drag (mean $r,$g,$b; before $(mean_rgb "$plain" "$x8" "$y8"))"
drop_here
grep -q "^dropped link" "$E2E_OUT/drag.out" || fail "the drop reported: $(cat "$E2E_OUT/drag.out")"

# The group's name is asked for in the input box.
vekctl wait-title "Add Shortcut Group" 15 || fail "no input box for the new group's name"
screenshot drop-input-box >/dev/null
# Closing the tray owner while the box is open only brings the box to the front: the
# program does not unload its windows under the waiting drop.
vekctl close VEKDesktopTray
sleep 1
kill -0 "$DOCK_PID" 2>/dev/null || fail "the program ended under the open input box"
vekctl wait-title "Add Shortcut Group" 0 || fail "the input box went away"
answer_input "Add Shortcut Group" "Letters"
saved_group() { [ "$(item 8)" = "4|Letters|3" ]; }
poll 15 saved_group || fail "slot 8 saved as $(item 8)"
dropped=$(members 8)
for f in alpha beta gamma; do
  grep -q "$f.txt" <<<"$dropped" || fail "$f.txt is not a member: $dropped"
done
settle drop-after-group >/dev/null

# A file dropped on the Recycle Bin goes to the trash once the question is answered Yes,
# and the Recycle Bin's picture turns to the full one.
read -r bx by <<<"$(slot 2)"
point 20 20
empty_bin=$(settle drop-bin-empty)
drag_to 2 "$files/trash-me.txt"
drop_here
vekctl wait-title "Delete File" 15 || fail "no Recycle Bin question"
vekctl press-title "Delete File" 6 || fail "could not answer Yes"
poll 15 test ! -e "$files/trash-me.txt" || fail "the dropped file is still in place"
in_trash() { grep -qs "trash-me" "$trash"/trash-me.txt*; }
poll 10 in_trash || fail "the dropped file is not in the trash (deleted for good?)"
point 20 20
bin_full() { changed "$(screenshot drop-bin-full)" "$empty_bin" "$bx" "$by" 40 40; }
poll 10 bin_full || fail "the Recycle Bin's picture did not turn full"
# The third entry of its menu (a right click), "Recycle Bin Status", tells what the bin
# holds and offers to empty it; No keeps it.
BUTTON=3 click_until "$bx" "$by" menu_open || fail "a right click on the Recycle Bin opened no menu"
press_until "VEK Desktop Menu" 2 vekctl wait-title "Recycle Bin" 0 || fail "the letter 2 showed no status"
message "Recycle Bin" "Bytes (1 Items) right now." no
in_trash || fail "No to emptying the bin emptied it"
# The first entry, "Empty Recycle Bin", empties it after the
# question, and the picture turns empty again.
BUTTON=3 click_until "$bx" "$by" menu_open || fail "a right click on the Recycle Bin opened no menu"
press_until "VEK Desktop Menu" 0 vekctl wait-title "Empty Recycle Bin" 0 || fail "the letter 0 did not empty the bin"
message "Empty Recycle Bin" "Are you sure you want to empty the Recycle Bin?" yes
poll 10 eval '! in_trash' || fail "the trash still holds the file"
point 20 20
poll 10 eval '! bin_full' || fail "the Recycle Bin's picture did not turn empty again"

# One file dropped on a shortcut replaces it once the question is answered Yes.
drag_to 4 "$files/beta.txt"
drop_here
message "Replace shortcut" "Are you sure to replace the selected shortcut?" yes
replaced() { [ "$(item 4)" = "1|beta.txt|0" ]; }
poll 15 replaced || fail "slot 4 after one dropped file: $(item 4)"

# A file dropped on a full group is not added, and the user is told why.
drag_to 9 "$files/alpha.txt"
drop_here
message "Add Shortcut" "This group is full. Please choose another group or create a new group!"
[ "$(item 9 | cut -d"|" -f3)" = 36 ] || fail "the full group changed: $(item 9)"

stop_dock
echo "drop e2e passed"

#!/usr/bin/env bash
# The settings dialog, opened from the tray menu and worked with the keyboard: the icon
# quantity from 24 to 12 repaints the ring with 12 slots at once and is saved by OK; the
# normal icon size moved by a key keeps the magnified size. "Backup All Shortcuts &
# Icons" writes the backup; an item deleted afterwards comes back with its picture by
# "Restore All Shortcuts & Icons"; a truncated backup is refused with the message and the
# ring stays as it is. Leaves settings-ring-12.png and settings-restored.png.
source "$(dirname "$0")/lib.sh"

SETTINGS="VEK Desktop - Settings"
IDOK=1 BACKUP_ALL=421 RESTORE_ALL=423 FILE_NAME=1148 VK_S=83
marker_win=$(winpath "$MARKER_EXE")
program_folder=$(winpath "$(dirname "$VEK_EXE")")
out=$(cd "$E2E_OUT" && pwd)
backup="$out/settings-icons.bak"
truncated="$out/settings-truncated.bak"
rm -f "$backup" "$truncated"

item() { vekctl item "$1" "$program_folder" | tr -d '\r'; }
saved() { od -An -t d4 -j "$1" -N 4 "$ICON_DIR/VEKCfg.cfg" | tr -d ' '; }  # the int32 at OFFSET
popup_open() { vekctl visible-any '#32768'; }
settings_gone() { ! vekctl wait-title "$SETTINGS" 0; }
# How much a S×S box at (X, Y) varies: about 0 where nothing is drawn.
spread() {
  convert "$1" -crop "$4x$4+$(($2 - $4 / 2))+$(($3 - $4 / 2))" -colorspace Gray -format '%[fx:standard_deviation]' info:
}
# The difference of two screenshots in a S×S box at (X, Y), 0..1.
change() {
  compare -metric RMSE "$1[$4x$4+$(($2 - $4 / 2))+$(($3 - $4 / 2))]" "$5[$4x$4+$(($2 - $4 / 2))+$(($3 - $4 / 2))]" null: 2>&1 |
    sed -E 's/.*\(([0-9.e+-]+)\).*/\1/'
}
below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }
open_settings() {
  vekctl post VEKDesktopTray 2025 517
  poll 10 popup_open || fail "the tray icon's right button opened no menu"
  vekctl popup-keys $VK_S
  vekctl wait-title "$SETTINGS" 10 >/dev/null || fail "the tray menu's Settings opened no dialog"
  sleep 0.5
  focus_settings
}
# Keys go to the X window that has the focus, which a repaint of the ring can take.
focus_settings() {
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$SETTINGS\$" | tail -1)" 2>/dev/null || true
}
# file_command BUTTON DIALOG_TITLE FILE: the button's file dialog is given FILE.
file_command() {
  vekctl press-title "$SETTINGS" "$1"
  vekctl wait-title "$2" 10 >/dev/null || fail "no file dialog \"$2\""
  vekctl type-title "$2" $FILE_NAME "$(winpath "$3")" || fail "could not name the file in \"$2\""
  vekctl press-title "$2" $IDOK
}
# message TEXT: the program's message box says TEXT; it is answered with OK.
message() {
  local text
  text=$(vekctl dialog-text "VEK Desktop" 20 | tr -d '\r') || fail "no message (expected \"$1\")"
  echo "$text" | grep -qF "$1" || fail "the message reads \"$text\", not \"$1\""
  vekctl answer "VEK Desktop" ok
  sleep 1
}
close_settings() {
  vekctl press-title "$SETTINGS" $IDOK
  poll 10 settings_gone || fail "OK did not close the settings"
}

reset_user_data
vekseed --item "5|Five|$marker_win||1|Internet.png" || fail "could not prepare the configuration"
start_dock
read -r x5 y5 < <(vekctl slot 5 12 | tr -d '\r')
read -r x20 y20 < <(vekctl slot 20 24 | tr -d '\r')
xdotool mousemove 5 5
sleep 2
ring24=$(screenshot settings-ring-24)
below "$(spread "$ring24" "$x20" "$y20" 40)" 0.02 && fail "slot 20 of the 24 slots shows nothing at the start"

# Keys only: Right shows the Appearance tab, Tab reaches the normal icon size and PageUp
# makes it 8 pixels smaller; Tab on to the icon quantity, and Up three times chooses
# "12 icons".
open_settings
xdotool key --delay 200 Right Tab Prior
sleep 1
focus_settings
xdotool key --delay 200 Tab Tab Tab Up Up Up
sleep 1.5
ring12=$(screenshot settings-ring-12)
below "$(spread "$ring12" "$x20" "$y20" 40)" 0.02 || fail "slot 20 is still drawn with 12 icons chosen"
below "$(spread "$ring12" "$x5" "$y5" 40)" 0.02 && fail "slot 5 of the 12 slots shows nothing"
focus_settings
xdotool key Return
poll 10 settings_gone || fail "Return did not close the settings"
[ "$(saved 16)" = 1 ] || fail "the saved icon quantity code is $(saved 16), not 1 (12 icons); normal $(saved 0), magnified $(saved 8)"
[ "$(saved 0)" = 40 ] || fail "the saved normal icon size is $(saved 0), not 40"
[ "$(saved 8)" = 64 ] || fail "the key changed the magnified icon size to $(saved 8)"

# The backup of the shortcuts and icons.
open_settings
file_command $BACKUP_ALL "VEK Desktop - Backup Shortcuts & Icons" "$backup"
message "Backup Shortcuts & Icons Successfully!"
[ "$(stat -c %s "$backup")" -gt $((1025 * 1297)) ] || fail "the backup file was not written"
close_settings
xdotool mousemove 5 5
sleep 1
with_five=$(screenshot settings-with-five)

# Slot 5 deleted from its edit menu, with its picture.
xdotool mousemove "$x5" "$y5"
sleep 0.4
xdotool click 3
poll 10 popup_open || fail "a right click on slot 5 opened no edit menu"
vekctl popup-keys 68  # "&Delete"
vekctl dialog-text "Delete Shortcut" 10 >/dev/null || fail "Delete asked nothing"
vekctl answer "Delete Shortcut" yes
blank() { [ "$(item 5)" = "2|Blank Shortcut|0" ]; }
poll 10 blank || fail "slot 5 was not deleted: $(item 5)"
[ -e "$ICON_DIR/5.png" ] && fail "the deleted item's picture is still there"

# The restore brings the item and its picture back.
open_settings
file_command $RESTORE_ALL "VEK Desktop - Restore Shortcuts & Icons" "$backup"
message "Restore Shortcuts & Icons Successfully!"
[ "$(item 5)" = "1|Five|0" ] || fail "the restore left slot 5 as $(item 5)"
[ -s "$ICON_DIR/5.png" ] || fail "the restore did not bring back the picture of slot 5"
close_settings
xdotool mousemove 5 5
sleep 1
restored=$(screenshot settings-restored)
below "$(change "$restored" "$x5" "$y5" 48 "$with_five")" 0.05 || fail "slot 5 does not show its picture again"

# A truncated backup is refused and changes nothing.
head -c 700000 "$backup" >"$truncated"
open_settings
file_command $RESTORE_ALL "VEK Desktop - Restore Shortcuts & Icons" "$truncated"
message "Restore all shortcuts & icons failed!"
close_settings
[ "$(item 5)" = "1|Five|0" ] || fail "the refused restore changed slot 5 to $(item 5)"
xdotool mousemove 5 5
sleep 1
refused=$(screenshot settings-refused)
below "$(change "$refused" "$x5" "$y5" 48 "$restored")" 0.02 || fail "the refused restore changed the ring"

vekctl close VEKDesktopTray
wait_exit "$DOCK_PID" 20 || fail "the program did not end"

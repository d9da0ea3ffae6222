#!/usr/bin/env bash
# The settings dialog, opened from the tray menu and worked with the keyboard: the normal
# icon size moved by a key repaints the ring and keeps the magnified size; the icon
# quantity from 24 to 12 repaints the ring with 12 slots at once; OK saves both. "Backup
# All Shortcuts & Icons" writes the backup; an item deleted afterwards comes back with its
# picture by "Restore All Shortcuts & Icons"; a restored configuration's minimised place
# counts at once, and a group's menu opened after it shows its member's own picture again.
# "Backup Configuration" copies the settings file, and asks before replacing a file.
# The two resets ask first and bring back the default settings, then the default shortcuts.
# (A truncated backup is refused:
# BackupCommandsTest's TruncatedShortcutsChangeNothing.) Leaves settings-ring-12.png and
# settings-restored.png.
source "$(dirname "$0")/lib.sh"

SETTINGS="VEK Desktop - Settings"
BACKUP_ALL=421 RESTORE_CONFIG=422 RESTORE_ALL=423
backup="$(cd "$E2E_OUT" && pwd)/settings-icons.bak"
rm -f "$backup"

saved() { od -An -t d4 -j "$1" -N 4 "$ICON_DIR/VEKCfg.cfg" | tr -d ' '; }  # the int32 at OFFSET
settings_gone() { ! vekctl wait-title "$SETTINGS" 0; }
# says TEXT: a message box titled "VEK Desktop" says TEXT (questions and their answers share
# that title, so the next box can stand in the place of the last).
says() { vekctl dialog-text "VEK Desktop" 0 2>/dev/null | tr -d '\r' | grep -qF -- "$1"; }
# How much a S×S box at (X, Y) varies: about 0 where nothing is drawn.
spread() {
  convert "$1" -crop "$4x$4+$(($2 - $4 / 2))+$(($3 - $4 / 2))" -colorspace Gray -format '%[fx:standard_deviation]' info:
}
drawn() { awk -v v="$(spread "$@")" 'BEGIN { exit !(v >= 0.02) }'; }
open_settings() {
  tray_command $VK_S
  vekctl wait-title "$SETTINGS" 10 || fail "the tray menu's Settings opened no dialog"
}
close_settings() {
  vekctl press-title "$SETTINGS" $IDOK
  poll 10 settings_gone || fail "OK did not close the settings"
}
# shot_at NAME: a screenshot with the pointer away from the ring, once it stopped changing.
shot_at() {
  xdotool mousemove 5 5
  settle "$1"
}

reset_user_data
vekseed --item "5|Five|$marker_win||1|Internet.png" --group "7|Tools|1|$marker_win|t" ||
  fail "could not prepare the configuration"
cp "$(dirname "$VEK_EXE")/SysIcons/Internet.png" "$ICON_DIR/129.png"  # the member's own picture
start_dock
read -r x5 y5 <<<"$(slot 5 12)"
read -r x20 y20 <<<"$(slot 20 24)"
read -r x5_24 y5_24 <<<"$(slot 5 24)"
ring24=$(shot_at settings-ring-24)
drawn "$ring24" "$x20" "$y20" 40 || fail "slot 20 of the 24 slots shows nothing at the start"

# Keys only: Right shows the Appearance tab, Tab reaches the normal icon size and PageUp
# makes it 8 pixels smaller, which the ring shows at once.
open_settings
focus "$SETTINGS"
xdotool key --delay 200 Right Tab Prior
smaller() { changed "$(screenshot settings-smaller)" "$ring24" "$x5_24" "$y5_24" 48 48 0.02; }
poll 10 smaller || fail "PageUp on the normal icon size did not repaint the ring"
# Tab on to the icon quantity, and Up three times chooses "12 icons". Keys go to the X
# window that has the focus, which the repaint of the ring can take: focus again.
focus "$SETTINGS"
xdotool key --delay 200 Tab Tab Tab Up Up Up
twelve() {
  ring12=$(screenshot settings-ring-12)
  ! drawn "$ring12" "$x20" "$y20" 40
}
poll 10 twelve || fail "slot 20 is still drawn with 12 icons chosen"
drawn "$ring12" "$x5" "$y5" 40 || fail "slot 5 of the 12 slots shows nothing"
press_until "$SETTINGS" Return settings_gone || fail "Return did not close the settings"
[ "$(saved 16)" = 1 ] || fail "the saved icon quantity code is $(saved 16), not 1 (12 icons)"
[ "$(saved 0)" = 40 ] || fail "the saved normal icon size is $(saved 0), not 40"
[ "$(saved 8)" = 64 ] || fail "the key changed the magnified icon size to $(saved 8)"

# The backup of the shortcuts and icons.
open_settings
vekctl press-title "$SETTINGS" $BACKUP_ALL
file_dialog "VEK Desktop - Backup Shortcuts & Icons" "$backup"
message "VEK Desktop" "Backup Shortcuts & Icons Successfully!"
[ "$(stat -c %s "$backup")" -gt $((1025 * 1297)) ] || fail "the backup file was not written"
# "Backup Configuration" writes a copy of the settings file; asked about a file that is
# there already, No leaves it.
cfg="$(cd "$E2E_OUT" && pwd)/settings-cfg.bak"
echo old >"$cfg"
vekctl press-title "$SETTINGS" 420
file_dialog "VEK Desktop - Backup Configuration" "$cfg"
message "VEK Desktop" "The target file already exists. Are you sure to replace?" no
[ "$(cat "$cfg")" = old ] || fail "No to replacing the file replaced it"
vekctl press-title "$SETTINGS" 420
file_dialog "VEK Desktop - Backup Configuration" "$cfg"
poll 20 says "already exists" || fail "no question about the file that is there"
vekctl answer "VEK Desktop" yes
poll 20 says "Backup Configuration File Successfully!" || fail "no done message for the configuration backup"
message "VEK Desktop" "Backup Configuration File Successfully!"
cmp -s "$cfg" "$ICON_DIR/VEKCfg.cfg" || fail "the configuration backup differs from the settings file"
close_settings
with_five=$(shot_at settings-with-five)

# Slot 5 deleted from its edit menu, with its picture.
edit_command "$x5" "$y5" $VK_D
message "Delete Shortcut" "Are you sure to delete the selected shortcut?" yes
blank() { [ "$(item 5)" = "2|Blank Shortcut|0" ]; }
poll 10 blank || fail "slot 5 was not deleted: $(item 5)"
[ -e "$ICON_DIR/5.png" ] && fail "the deleted item's picture is still there"

# The restore brings the item and its picture back, on the ring too.
open_settings
vekctl press-title "$SETTINGS" $RESTORE_ALL
file_dialog "VEK Desktop - Restore Shortcuts & Icons" "$backup"
message "VEK Desktop" "Restore Shortcuts & Icons Successfully!"
[ "$(item 5)" = "1|Five|0" ] || fail "the restore left slot 5 as $(item 5)"
[ -s "$ICON_DIR/5.png" ] || fail "the restore did not bring back the picture of slot 5"
close_settings
xdotool mousemove 5 5
shows_five() { ! changed "$(screenshot settings-restored)" "$with_five" "$x5" "$y5" 48 48; }
poll 10 shows_five || fail "slot 5 does not show its picture again"

# The group's menu, open before the restore below lets every picture go, shows its
# member's own picture again when it opens after it.
read -r x7 y7 <<<"$(slot 7 12)"
click_until "$x7" "$y7" menu_open || fail "the group opened no menu"
menu_before=$(settle settings-menu-before)
press_until "VEK Desktop Menu" Escape menu_closed || fail "Esc did not close the menu"

# The saved configuration, its minimised place made "Top" (last byte 1), restored.
top="$(cd "$E2E_OUT" && pwd)/settings-top.bak" && cp "$ICON_DIR/VEKCfg.cfg" "$top"
printf '\001' | dd of="$top" bs=1 seek=561 conv=notrunc status=none
open_settings && vekctl press-title "$SETTINGS" $RESTORE_CONFIG
file_dialog "VEK Desktop - Restore Configuration" "$top"
message "VEK Desktop" "Restore Configuration Successfully!"
close_settings
click_until "$x7" "$y7" menu_open || fail "the group opened no menu after the restore"
menu_after=$(settle settings-menu-after)
changed "$menu_before" "$menu_after" $((x7 - 150)) "$y7" 500 80 0.01 &&
  fail "the menu after the restore does not show what it showed before"
press_until "VEK Desktop Menu" Escape menu_closed || fail "Esc did not close the menu"
read -r cx cy <<<"$(slot 0)"
at_top() { local s; s=$(screenshot settings-minimised-top); drawn "$s" "$cx" 78 60 && ! drawn "$s" "$cx" "$cy" 60; }
click_until "$cx" "$cy" at_top || fail "the centre click did not minimise the dock to the restored place"

# The two resets, each after its warning: the settings go back to their defaults (24
# icons) and the shortcuts stay; No keeps the shortcuts, Yes brings the default ones back
# and the user's pictures go.
reset_with() {  # reset_with BUTTON QUESTION DONE
  open_settings
  vekctl press-title "$SETTINGS" "$1"
  poll 20 says "$2" || fail "no question \"$2\""
  vekctl answer "VEK Desktop" yes
  poll 20 says "$3" || fail "no \"$3\" after the reset"
  message "VEK Desktop" "$3"
  close_settings
}
reset_with 424 "resetting all default program settings?" "Reset all default program settings successfully!"
[ "$(saved 16)" = 4 ] || fail "the reset saved the icon quantity code $(saved 16), not 4 (24 icons)"
[ "$(item 7 | cut -d'|' -f2)" = Tools ] || fail "resetting the settings changed the shortcuts: $(item 7)"
open_settings
vekctl press-title "$SETTINGS" 425
message "VEK Desktop" "Proceed anyway with resetting all default shortcuts and icons?" no
[ "$(item 5)" = "1|Five|0" ] || fail "No to the reset changed slot 5 to $(item 5)"
close_settings
reset_with 425 "resetting all default shortcuts and icons?" "Reset all default shortcuts & icons successfully!"
[ "$(item 5 | cut -d'|' -f1-2)" = "4|Accessories Group" ] || fail "the reset left slot 5 as $(item 5)"
[ -e "$ICON_DIR/129.png" ] && fail "the reset left the member's picture"

stop_dock
echo "settings e2e passed"

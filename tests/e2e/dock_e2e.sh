#!/usr/bin/env bash
# The dock as a user sees it: the centre picture inside its ring image and a plate at
# every ring position; the pointer on a slot magnifies it and repeats it in the centre
# with its caption; the pointer on the centre magnifies the centre's own picture inside its
# ring; Alt+Space dims the screen and shows the slot letters, Esc or a press on the dimmed
# screen ends it, and so does another program coming to the front; with letters turned off
# in Settings it shows none; messages from other programs change nothing.
source "$(dirname "$0")/lib.sh"

# Number of almost white pixels in a W×H box whose top-left is (X, Y).
white_pixels() {  # white_pixels FILE X Y W H
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 88% \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
brightness() {  # brightness FILE X Y → 0..255 grey level of one pixel
  convert "$1" -format "%[fx:int(255*p{$2,$3}.intensity+0.5)]" info:
}

reset_user_data
xdotool mousemove 5 5  # away from the ring: the first picture is the plain ring
background=$(screenshot before-dock)
start_dock
read -r cx cy <<<"$(slot 0)"
# Wait until the ring is painted: the centre stops looking like the background.
painted() { changed "$(screenshot dock-plain)" "$background" "$cx" "$cy" 40 40; }
poll 20 painted || fail "the dock never painted its centre"
plain="$E2E_OUT/dock-plain.png"

# The centre picture, and the ring image's band 70 px out from the centre.
changed "$plain" "$background" "$cx" "$cy" 60 60 || fail "no centre picture"
for dx in -71 71; do
  changed "$plain" "$background" $((cx + dx)) "$cy" 4 20 || fail "no ring image at $dx px from the centre"
done
# A plate at each of the 24 positions, and nothing half-way between two of them.
for n in $(seq 1 24); do
  read -r x y <<<"$(slot "$n")"
  changed "$plain" "$background" "$x" "$y" 40 40 || fail "nothing drawn at ring position $n ($x, $y)"
done
gap_x=$(awk -v cx="$cx" 'BEGIN { printf "%d", cx + 300 * cos(7.5 * 3.1415926 / 180) }')
gap_y=$(awk -v cy="$cy" 'BEGIN { printf "%d", cy + 300 * sin(7.5 * 3.1415926 / 180) }')
changed "$plain" "$background" "$gap_x" "$gap_y" 8 8 0.01 && fail "something is drawn between ring positions 1 and 2"

# The pointer on slot 5: magnified, repeated in the centre without the ring image, with
# its caption below.
read -r x5 y5 <<<"$(slot 5)"
xdotool mousemove "$x5" "$y5"
hovered() {
  local shot
  shot=$(screenshot dock-hover)
  changed "$shot" "$plain" $((cx - 71)) "$cy" 4 20
}
poll 10 hovered || fail "hovering slot 5 changed nothing in the centre"
hover="$E2E_OUT/dock-hover.png"
# 28 px from the slot's centre lies outside the 48-pixel box, inside the 64-pixel one.
changed "$hover" "$plain" $((x5 - 28)) "$y5" 4 4 || fail "slot 5 is not drawn magnified"
changed "$hover" "$plain" "$cx" "$cy" 100 100 || fail "the centre does not show the hovered slot"
caption=$(white_pixels "$hover" $((cx - 150)) $((cy + 86)) 300 24)
[ "$caption" -gt 40 ] || fail "no caption under the centre ($caption white pixels)"
changed "$hover" "$plain" "$cx" $((cy + 98)) 300 24 || fail "the caption is the plain ring's"
# The other slots stay as they were.
read -r x12 y12 <<<"$(slot 12)"
changed "$hover" "$plain" "$x12" "$y12" 40 40 0.01 && fail "slot 12 changed when slot 5 was hovered"

# The pointer on the centre: its own picture magnified inside its ring; the corners of
# the ring's square box, outside the ring, stay as the plain ring left them.
xdotool mousemove "$cx" "$cy"
centre_hovered() {  # the ring image is back around a centre that differs from the plain one
  local shot
  shot=$(screenshot dock-hover-centre)
  changed "$shot" "$plain" "$cx" "$cy" 60 60 && ! changed "$shot" "$plain" $((cx - 71)) "$cy" 4 20
}
poll 10 centre_hovered || fail "hovering the centre did not magnify its picture"
centre="$E2E_OUT/dock-hover-centre.png"
for corner in "-70 -70" "70 -70" "-70 70" "70 70"; do
  read -r dx dy <<<"$corner"
  changed "$centre" "$plain" $((cx + dx)) $((cy + dy)) 12 12 0.01 &&
    fail "a square corner shows at ($dx, $dy) from the hovered centre"
done
changed "$centre" "$plain" "$cx" $((cy + 98)) 300 24 0.01 && fail "the hovered centre lost its caption"

# Messages that any other program can post to the dock do not drive it.
before=$(brightness "$background" 10 10)
vekctl post-private VEKDesktopDock || fail "could not reach the dock"
sleep 1
[ "$(brightness "$(screenshot dock-after-messages)" 10 10)" -ge $((before - 8)) ] ||
  fail "a message from another program switched key mode on"

# Key mode from the keyboard: Alt+Space dims the whole screen and shows letters beside
# the slots; Esc ends it.
dimmed() { [ "$(brightness "$(screenshot dock-keymode)" 10 10)" -lt $((before / 2)) ]; }
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space did not dim the screen"
keymode="$E2E_OUT/dock-keymode.png"
# Slot 1's letter "0" stands 348 px right of the centre.
letters=$(white_pixels "$keymode" $((cx + 338)) $((cy - 14)) 20 24)
[ "$letters" -gt 8 ] || fail "no letter beside slot 1 ($letters white pixels)"
undimmed() { [ "$(brightness "$(screenshot dock-after-keymode)" 10 10)" -ge $((before - 8)) ]; }
press_until "VEK Desktop" Escape undimmed || fail "Esc did not clear the backdrop"
# A press on the dimmed screen away from the ring leaves key mode too, and the dock keeps
# the keyboard: Alt+Space and Esc work after it.
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space did not dim the screen again"
xdotool mousemove 10 10 click 1
poll 10 undimmed || fail "a press on the dimmed screen did not leave key mode"
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space after the press did not dim the screen"
press_until "VEK Desktop" Escape undimmed || fail "Esc after the press did not clear the backdrop"
# Another program coming to the front ends key mode.
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space did not dim the screen for the other program"
"$WINE" notepad >/dev/null 2>&1 &
at_exit "vekctl close Notepad; wait $!"
poll 15 undimmed || fail "key mode stayed on behind another program"
vekctl close Notepad
vekctl wait-gone Notepad 10 || fail "Notepad did not close"
# "Do not display shortcut letters" in Settings: key mode dims without letters.
tray_command $VK_S
vekctl wait-title "VEK Desktop - Settings" 10 || fail "the tray menu's Settings opened no dialog"
vekctl press-title "VEK Desktop - Settings" 413
poll 5 vekctl checked-title "VEK Desktop - Settings" 413 || fail "the letters box did not tick"
vekctl press-title "VEK Desktop - Settings" $IDOK
wait_closed "VEK Desktop - Settings"
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space did not dim the screen without letters"
letters=$(white_pixels "$keymode" $((cx + 338)) $((cy - 14)) 20 24)
[ "$letters" -le 2 ] || fail "a letter beside slot 1 with letters turned off ($letters white pixels)"
press_until "VEK Desktop" Escape undimmed || fail "Esc did not clear the backdrop without letters"

stop_dock

# A long title stays in two lines clear of the icons beside them (at 30 degrees, 260 px
# out, less 24 + 8): two slots with one picture differ only in the caption below the centre.
vekseed --item "4|Microsoft Office Professional Plus Document Inspector and Repair Tool 2016|$marker_win" \
  --item "5|Short|$marker_win" || fail "could not prepare the configuration"
start_dock
for n in 4 5; do
  read -r x y <<<"$(slot "$n")"
  point "$x" "$y"
  settle "dock-caption-$n" >/dev/null
done
read -r left top width height <<<"$(convert "$E2E_OUT/dock-caption-4.png" "$E2E_OUT/dock-caption-5.png" \
  -crop "1920x70+0+$((cy + 80))" +repage -compose difference -composite -colorspace Gray -threshold 20% \
  -format '%@' info: | tr 'x+' '  ' | awk '{ print $3, $4, $1, $2 }')"
[ "$left" -ge $((cx - 228)) ] && [ $((left + width)) -le $((cx + 228)) ] && [ "$height" -gt 30 ] ||
  fail "the long caption is $width x $height px from $left, not two lines inside the ring"
stop_dock
echo "dock e2e passed; screenshots in $E2E_OUT"

#!/usr/bin/env bash
# The tray icon and the global hotkeys: Alt+Space brings the dock up in key mode and a
# second press hides it; Ctrl+Tab minimises it; Win+S is held by the program while it
# runs and let go at exit. The tray icon's left button (posted as the shell would) calls
# the dock up in key mode, its right button opens the tray menu, whose "Exit" ends the
# program; the shell's "TaskbarCreated" re-adds the icon. A hotkey another program holds
# is named in one message at start. Leaves tray-keymode.png and hotkeys-missing.png.
source "$(dirname "$0")/lib.sh"

WALLPAPER_EXE="$(dirname "$VEKCTL")/wallpaper.exe"
VK_DOWN=40 VK_RETURN=13 VK_ESCAPE=27 MOD_WIN=8 VK_S=83

# Mean grey level of a whole screenshot, 0..255.
mean_level() { convert "$1" -colorspace Gray -format '%[fx:int(255*mean+0.5)]' info:; }
# Hotkeys fire while a Wine window has the X focus: the dock's own window.
focus_wine() {
  local w
  w=$(xdotool search --onlyvisible --name '^VEK Desktop$' | tail -1)
  [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null || true
}
# A hotkey reaches Wine only while one of its windows has the X focus, and the dock's X
# window is made anew when its layered window changes size: a key press that found no
# focused Wine window never arrived, so it is pressed again (at most three times) until
# what it does shows. Alt+Space toggles, so a press that did arrive must have all the time
# a loaded machine needs to show its effect before the key is pressed again.
press_hotkey() {  # press_hotkey KEYS CHECK
  local attempt
  for attempt in 1 2 3; do
    focus_wine
    xdotool key "$1"
    poll 12 "$2" && return 0
  done
  return 1
}

reset_user_data
"$WINE" "$WALLPAPER_EXE" &
wallpaper_pid=$!
holder_pid=""
end_helpers() {
  [ -n "$holder_pid" ] && { vekctl close VEKTestHotkeyHolder >/dev/null 2>&1 || true; wait "$holder_pid" 2>/dev/null || true; }
  vekctl close VEKTestWallpaper >/dev/null 2>&1 || true
  wait "$wallpaper_pid" 2>/dev/null || true
}
trap 'end_helpers; cleanup_dock' EXIT
vekctl wait-window VEKTestWallpaper 20 || fail "the wallpaper window did not appear"
xdotool mousemove 5 5
sleep 1
background=$(screenshot tray-background)
base=$(mean_level "$background")
start_dock
read -r x5 y5 < <(vekctl slot 5 | tr -d '\r')
ring_shown() { changed "$(screenshot tray-ring)" "$background" "$x5" "$y5" 40 40; }
ring_gone() { ! changed "$(screenshot tray-ring)" "$background" "$x5" "$y5" 40 40 0.02; }
dimmed() { [ "$(mean_level "$(screenshot tray-dim)")" -lt $((base / 2)) ]; }
undimmed() { [ "$(mean_level "$(screenshot tray-dim)")" -gt $((base * 3 / 4)) ]; }
poll 20 ring_shown || fail "the dock never painted its ring"
sleep 1

# Win+S belongs to the program now.
vekctl hotkey-free $MOD_WIN $VK_S && fail "Win+S was not registered"

# Alt+Space: key mode. Again: hidden.
press_hotkey alt+space dimmed || fail "Alt+Space did not bring the dock up in key mode"
cp "$E2E_OUT/tray-dim.png" "$E2E_OUT/hotkey-keymode.png"
sleep 0.5
press_hotkey alt+space undimmed || fail "the second Alt+Space did not end key mode"
poll 10 ring_gone || fail "the second Alt+Space did not hide the dock"
hidden=$(screenshot hotkey-hidden)

# Ctrl+Tab minimises the dock: no ring, no backdrop, only the centre at its place.
press_hotkey alt+space dimmed || fail "Alt+Space did not bring the hidden dock back"
sleep 0.5
press_hotkey ctrl+Tab undimmed || fail "Ctrl+Tab left the screen dimmed"
poll 10 ring_gone || fail "Ctrl+Tab did not take the ring away"
minimised=$(screenshot hotkey-minimised)
[ "$(compare -metric AE "$hidden" "$minimised" null: 2>&1 | cut -d' ' -f1)" -gt 500 ] ||
  fail "the minimised dock shows nothing"

# The tray icon's left button: key mode.
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
poll 10 dimmed || fail "the tray icon's left button did not bring up key mode"
cp "$E2E_OUT/tray-dim.png" "$E2E_OUT/tray-keymode.png"
# Its right button: the tray menu; Escape closes it.
vekctl post VEKDesktopTray 2025 517
poll 10 popup_open || fail "the tray icon's right button opened no menu"
screenshot tray-menu >/dev/null
vekctl popup-keys $VK_ESCAPE
poll 10 popup_closed || fail "Escape did not close the tray menu"
# The shell's taskbar made anew: the icon is added again, the program runs on.
vekctl broadcast TaskbarCreated || fail "could not broadcast TaskbarCreated"
sleep 1
kill -0 "$DOCK_PID" 2>/dev/null || fail "the program ended after TaskbarCreated"
vekctl post VEKDesktopTray 2025 517
poll 10 popup_open || fail "the tray menu did not open after TaskbarCreated"
# "Exit", below four entries (and a separator).
vekctl popup-keys $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
wait_exit "$DOCK_PID" 20 || fail "the tray menu's Exit did not end the program"
vekctl hotkey-free $MOD_WIN $VK_S || fail "Win+S was still held after the program ended"

# Another program holds Win+S: the program starts, says so once, and runs on.
"$WINE" "$VEKCTL" hold-hotkey $MOD_WIN $VK_S >/dev/null &
holder_pid=$!
poll 10 bash -c "! '$WINE' '$VEKCTL' hotkey-free $MOD_WIN $VK_S" || fail "the helper could not take Win+S"
start_dock
text=$(vekctl dialog-text "VEK Desktop" 20 | tr -d '\r') || fail "no message about the missing hotkey"
echo "$text" | grep -q "Win+S" || fail "the message does not name Win+S: $text"
echo "$text" | grep -q "Alt+Space" && fail "the message names Alt+Space, which registered: $text"
screenshot hotkeys-missing >/dev/null
vekctl answer "VEK Desktop" ok
sleep 1
kill -0 "$DOCK_PID" 2>/dev/null || fail "the program ended after the message"
stop_dock
# Win+S stays the other program's: the program let go only of what it registered.
vekctl hotkey-free $MOD_WIN $VK_S && fail "the program's exit released the other program's Win+S"
echo "tray e2e passed; screenshots in $E2E_OUT"

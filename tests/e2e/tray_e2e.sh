#!/usr/bin/env bash
# The tray icon and the global hotkeys: Alt+Space brings the dock up in key mode and a
# second press hides it; Ctrl+Tab minimises it; Win+S is held by the program while it
# runs and let go at exit. (Shift+Tab: the search box's test.) A second start of the program shows the minimised dock again.
# The tray icon's left button (posted as the shell would) calls the dock up in key mode;
# its right button opens the tray menu, whose "Exit" ends the program; the shell's
# "TaskbarCreated" re-adds the icon. A hotkey another program holds is named in one
# message at start. Leaves tray-keymode.png and hotkeys-missing.png.
source "$(dirname "$0")/lib.sh"

MOD_WIN=8

# Mean grey level of a whole screenshot, 0..255.
mean_level() { convert "$1" -colorspace Gray -format '%[fx:int(255*mean+0.5)]' info:; }
hotkey() { press_until "VEK Desktop" "$@"; }  # hotkey KEYS CHECK...

reset_user_data
start_wallpaper
xdotool mousemove 5 5
background=$(settle tray-background)
base=$(mean_level "$background")
start_dock
read -r x5 y5 <<<"$(slot 5)"
ring_shown() { changed "$(screenshot tray-ring)" "$background" "$x5" "$y5" 40 40; }
ring_gone() { ! changed "$(screenshot tray-ring)" "$background" "$x5" "$y5" 40 40 0.02; }
dimmed() { [ "$(mean_level "$(screenshot tray-dim)")" -lt $((base / 2)) ]; }
undimmed() { [ "$(mean_level "$(screenshot tray-dim)")" -gt $((base * 3 / 4)) ]; }
poll 20 ring_shown || fail "the dock never painted its ring"

# Win+S belongs to the program now.
vekctl hotkey-free $MOD_WIN $VK_S && fail "Win+S was not registered"

# Alt+Space: key mode. Again: hidden.
hotkey alt+space dimmed || fail "Alt+Space did not bring the dock up in key mode"
cp "$E2E_OUT/tray-dim.png" "$E2E_OUT/hotkey-keymode.png"
hotkey alt+space undimmed || fail "the second Alt+Space did not end key mode"
poll 10 ring_gone || fail "the second Alt+Space did not hide the dock"
hidden=$(screenshot hotkey-hidden)

# Ctrl+Tab minimises the dock: no ring, no backdrop, only the centre at its place.
hotkey alt+space dimmed || fail "Alt+Space did not bring the hidden dock back"
hotkey ctrl+Tab undimmed || fail "Ctrl+Tab left the screen dimmed"
poll 10 ring_gone || fail "Ctrl+Tab did not take the ring away"
minimised=$(screenshot hotkey-minimised)
[ "$(compare -metric AE "$hidden" "$minimised" null: 2>&1 | cut -d' ' -f1)" -gt 500 ] ||
  fail "the minimised dock shows nothing"

# A second start ends at once, silently; the running copy shows its minimised dock again.
"$WINE" "$VEK_EXE" >"$E2E_OUT/second-start.log" 2>&1 &
wait_exit $! 20 || fail "the second start did not end"
poll 10 ring_shown && undimmed && [ "$(vekctl count '#32770' | tr -d '\r')" = 0 ] ||
  fail "a second start did not show the minimised dock alone, without key mode or a message"
# Shown beneath another program's window, the ring comes in front of it at a second start.
"$WINE" notepad >/dev/null 2>&1 &
at_exit "vekctl close Notepad; wait $!"
poll 15 eval '! vekctl topmost VEKDesktopDock' || fail "the ring stayed in front of another program"
"$WINE" "$VEK_EXE" >"$E2E_OUT/second-start.log" 2>&1 &
wait_exit $! 20 || fail "the second start did not end"
poll 10 vekctl topmost VEKDesktopDock && undimmed || fail "a second start left the ring beneath another program"
vekctl close Notepad
vekctl wait-gone Notepad 10 || fail "Notepad did not close"

# The tray icon's left button: key mode, on the release, not the press.
vekctl post VEKDesktopTray 2025 513 || fail "could not reach the tray owner"
sleep 1
! dimmed || fail "the tray icon's left button acted on the press"
vekctl post VEKDesktopTray 2025 514 || fail "could not reach the tray owner"
poll 10 dimmed || fail "the tray icon's left button did not bring up key mode"
cp "$E2E_OUT/tray-dim.png" "$E2E_OUT/tray-keymode.png"
# Its right button: the tray menu; Escape closes it.
open_tray_menu
screenshot tray-menu >/dev/null
vekctl popup-keys $VK_ESCAPE
poll 10 popup_closed || fail "Escape did not close the tray menu"
# The shell's taskbar made anew: the icon is added again, the program runs on.
vekctl broadcast TaskbarCreated || fail "could not broadcast TaskbarCreated"
# "Exit", below four entries (and a separator).
tray_command $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_DOWN $VK_RETURN
wait_exit "$DOCK_PID" 20 || fail "the tray menu's Exit did not end the program"
vekctl hotkey-free $MOD_WIN $VK_S || fail "Win+S was still held after the program ended"

# Another program holds Win+S: the program starts, says so, and runs on; the next start
# with Win+S still held says nothing again.
"$WINE" "$VEKCTL" hold-hotkey $MOD_WIN $VK_S >/dev/null &
at_exit "vekctl close VEKTestHotkeyHolder; wait $!"
poll 30 bash -c "! '$WINE' '$VEKCTL' hotkey-free $MOD_WIN $VK_S" || fail "the helper could not take Win+S"
# The message comes over getting started, which waits under it until it is answered.
KEEP_GETTING_STARTED=1 start_dock
text=$(vekctl dialog-text "VEK Desktop" 20 | tr -d '\r') || fail "no message about the missing hotkey"
grep -q "Alt+Space" <<<"$text" && fail "the message names Alt+Space, which registered: $text"
screenshot hotkeys-missing >/dev/null
message "VEK Desktop" "Win+S"
close_getting_started
stop_dock
start_dock
! vekctl dialog-text "VEK Desktop" 5 >/dev/null || fail "the same missing hotkey was told of again"
stop_dock
# Win+S stays the other program's: the program let go only of what it registered.
vekctl hotkey-free $MOD_WIN $VK_S && fail "the program's exit released the other program's Win+S"
echo "tray e2e passed; screenshots in $E2E_OUT"

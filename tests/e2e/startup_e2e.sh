#!/usr/bin/env bash
# The program starts under Wine with its three windows, creates its per-user folders,
# refuses a second instance without any window, and runs its exit sequence when the tray
# owner is closed or the Windows session ends.
source "$(dirname "$0")/lib.sh"

reset_user_data
start_dock
vekctl wait-window VEKDesktopTray 10 || fail "no tray owner window"
vekctl wait-window VEKDesktopMenu 10 || fail "no group menu window"
[ -d "$ICON_DIR" ] || fail "the per-user icon folder was not created"

# A second start ends at once and adds no window.
start=$SECONDS
"$WINE" "$VEK_EXE" >/dev/null 2>&1 || fail "the second instance reported an error"
[ $((SECONDS - start)) -le 10 ] || fail "the second instance did not end at once"
[ "$(vekctl count VEKDesktopDock | tr -d '\r')" = 1 ] || fail "a second dock window appeared"
kill -0 "$DOCK_PID" || fail "the first instance ended"

# Closing the tray owner runs the exit sequence and ends the process cleanly.
stop_dock
vekctl wait-gone VEKDesktopDock 5 || fail "the dock window outlived the exit"

# The end of the Windows session runs it too.
start_dock
vekctl end-session VEKDesktopTray || fail "could not send the session end"
wait_exit "$DOCK_PID" 20 || fail "the program did not end with the session"
# A copy of the program without its pictures folder says so at start, and runs on.
lone="$E2E_OUT/lone"
rm -rf "$lone" && mkdir -p "$lone" && cp "$VEK_EXE" "$lone/"
"$WINE" "$lone/$(basename "$VEK_EXE")" >/dev/null 2>&1 &
DOCK_PID=$!
message "VEK Desktop" "The folder of the program's own pictures is missing"
vekctl wait-window VEKDesktopTray 30 || fail "the copy without its pictures did not start"
stop_dock
echo "startup e2e passed"

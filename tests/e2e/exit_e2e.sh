#!/usr/bin/env bash
# The built-in "Exit" command on a ring slot: a click ends the program cleanly (its
# windows go, the process ends without a fault) after saving the configuration. Closing
# the dock's window from another program does the same, and a start meanwhile runs once
# the exit is done.
source "$(dirname "$0")/lib.sh"

reset_user_data
vekseed --command "5|71" || fail "could not prepare the configuration"
start_dock
read -r x5 y5 <<<"$(slot 5)"
[ "$(item 5 | cut -d'|' -f2)" = Exit ] ||
  fail "slot 5 does not hold the Exit command"
# The exit writes both files again.
rm -f "$ICON_DIR/VEKCfg.cfg" "$ICON_DIR/VEKMenu.cfg"
point "$x5" "$y5"
settle exit-hover >/dev/null
xdotool click 1
wait_exit "$DOCK_PID" 20 || fail "the Exit command did not end the program"
vekctl wait-gone VEKDesktopDock 5 || fail "the dock window stayed"
log="$E2E_OUT/dock-$$.log"
if grep -Eqi "unhandled exception|page fault|backtrace" "$log"; then
  fail "the program faulted on its way out: $(head -5 "$log")"
fi
[ -s "$ICON_DIR/VEKCfg.cfg" ] && [ -s "$ICON_DIR/VEKMenu.cfg" ] || fail "the exit did not save the configuration"
[ "$(item 5 | cut -d'|' -f2)" = Exit ] || fail "the Exit command left its slot"

# Another program closing the dock's window (an installer, a script) ends it the same way.
start_dock
rm -f "$ICON_DIR/VEKCfg.cfg" "$ICON_DIR/VEKMenu.cfg"
vekctl close VEKDesktopDock || fail "could not reach the dock's window"
wait_exit "$DOCK_PID" 20 || fail "the program went on running after its window was closed"
vekctl wait-gone VEKDesktopDock 5 || fail "the dock window stayed after it was closed"
grep -Eqi "unhandled exception|page fault|backtrace" "$log" && fail "the program faulted when its window was closed"
[ -s "$ICON_DIR/VEKCfg.cfg" ] && [ -s "$ICON_DIR/VEKMenu.cfg" ] || fail "closing the window did not save the configuration"
# A start while the program is on its way out is not lost: it waits for the exit, then runs.
start_dock
vekctl close VEKDesktopDock || fail "could not reach the dock's window"
"$WINE" "$VEK_EXE" >"$E2E_OUT/dock-$$-again.log" 2>&1 &
again=$!
wait_exit "$DOCK_PID" 20 || fail "the program went on running after its window was closed"
DOCK_PID=$again
vekctl wait-window VEKDesktopTray 30 || fail "a start during the exit was lost"
stop_dock
echo "exit e2e passed"

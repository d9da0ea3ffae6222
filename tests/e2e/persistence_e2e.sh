#!/usr/bin/env bash
# The program keeps its state across starts: the exit writes both configuration files,
# start-up records the installation in the registry, a search box's place near the corner
# survives a start, a "FirstRun" value of "0" makes the next start begin clean (files and
# pictures deleted, the value set to "1"), an exit after the per-user folder was removed
# writes it again, and a per-user folder out of reach at start is never written over.
source "$(dirname "$0")/lib.sh"

reg_value() {  # reg_value NAME → the value's data under the program's key
  "$WINE" reg query 'HKCU\SOFTWARE\VEK Desktop\System' /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

reset_user_data
"$WINE" reg delete 'HKCU\SOFTWARE\VEK Desktop\System' /f >/dev/null 2>&1 || true
start_dock
stop_dock

[ "$(stat -c %s "$ICON_DIR/VEKCfg.cfg")" = 562 ] || fail "VEKCfg.cfg missing or not 562 bytes"
[ "$(stat -c %s "$ICON_DIR/VEKMenu.cfg")" = 1338885 ] || fail "VEKMenu.cfg missing or not 1338885 bytes"
case "$(reg_value APP_PATH)" in
  *VekDesktop.exe) ;;
  *) fail "APP_PATH not recorded: '$(reg_value APP_PATH)'" ;;
esac
[ "$(reg_value APP_VER)" = "1.6.68" ] || fail "APP_VER is '$(reg_value APP_VER)'"
[ "$(reg_value APP_BUILD)" = "68" ] || fail "APP_BUILD is '$(reg_value APP_BUILD)'"

# A second start reads the files back and writes them again unchanged.
cp "$ICON_DIR/VEKMenu.cfg" "$E2E_OUT/menu-first.cfg"
start_dock
stop_dock
cmp -s "$ICON_DIR/VEKMenu.cfg" "$E2E_OUT/menu-first.cfg" || fail "the menu file changed across a start"

# A search box placed 5 twips below the corner keeps its place: only (0, 0) means never placed.
printf '\0\0\0\0\5\0\0\0' | dd of="$ICON_DIR/VEKCfg.cfg" bs=1 seek=542 conv=notrunc status=none
start_dock
stop_dock
[ "$(od -An -t d4 -j 542 -N 8 "$ICON_DIR/VEKCfg.cfg" | xargs)" = "0 5" ] || fail "the search box lost its place"

# FirstRun "0": a clean start.
touch "$ICON_DIR/77.png"
"$WINE" reg add 'HKCU\SOFTWARE\VEK Desktop\System' /v FirstRun /d 0 /f >/dev/null 2>&1
start_dock
[ ! -e "$ICON_DIR/77.png" ] || fail "the icon folder's pictures survived a clean first start"
[ "$(reg_value FirstRun)" = 1 ] || fail "FirstRun was not set to 1"
# Folders cleaned away while the program runs are made again by the exit's save.
rm -rf "$USER_DIR"
stop_dock
[ -s "$ICON_DIR/VEKCfg.cfg" ] && [ -s "$ICON_DIR/VEKMenu.cfg" ] || fail "the exit lost the configuration"

# A per-user folder out of reach at start (a file stands in its place): the user is told,
# autostart (turned off) stays off, an installer's clean-start request waits for a start
# that can act on it, and once the folder is back the exit leaves the files in it as
# they were.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
program_key='HKCU\SOFTWARE\VEK Desktop\System'
"$WINE" reg delete "$run_key" /v "VEK Desktop" /f >/dev/null 2>&1 || true
"$WINE" reg add "$program_key" /v FirstRun /d 0 /f >/dev/null || fail "could not ask for a clean start"
at_exit "'$WINE' reg delete '$program_key' /v FirstRun /f >/dev/null 2>&1" 
rm -rf "$E2E_OUT/user-kept" && cp -r "$USER_DIR" "$E2E_OUT/user-kept"
rm -rf "$USER_DIR" && touch "$USER_DIR"
"$WINE" "$VEK_EXE" >"$E2E_OUT/dock-$$.log" 2>&1 &
DOCK_PID=$!
message "VEK Desktop" "cannot be reached, so VEK Desktop starts with its default shortcuts"
vekctl wait-window VEKDesktopDock 30 || fail "the dock did not appear after the warning"
close_getting_started
! "$WINE" reg query "$run_key" /v "VEK Desktop" >/dev/null 2>&1 ||
  fail "a start with the per-user folder out of reach turned autostart on"
"$WINE" reg query "$program_key" /v FirstRun | tr -d '\r' | grep -q 'REG_SZ[[:space:]]*0$' ||
  fail "a start with the per-user folder out of reach used up the clean-start request"
"$WINE" reg delete "$program_key" /v FirstRun /f >/dev/null 2>&1
rm -f "$USER_DIR" && cp -r "$E2E_OUT/user-kept" "$USER_DIR"
stop_dock
diff -r "$E2E_OUT/user-kept/VekIcons" "$ICON_DIR" >&2 || fail "the exit wrote over the files of a folder out of reach at start"
echo "persistence e2e passed"

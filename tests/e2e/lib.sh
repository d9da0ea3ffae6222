# Shared steps of the end-to-end tests. Sourced by each test script, which runs inside a
# harness session (DISPLAY and WINEPREFIX set) and gets the program and the helper as
# arguments: TEST.sh VEKDESKTOP_EXE VEKCTL_EXE
set -euo pipefail

VEK_EXE=$1
VEKCTL=$2
VEKSEED=${3:-}
MARKER_EXE=${4:-}
MKLINK_EXE=${5:-}
DRAGFILES_EXE=${6:-}
WINE=/usr/lib/wine/wine64
E2E_OUT=${VEK_E2E_OUT:-$(dirname "$VEK_EXE")/e2e-screenshots}
mkdir -p "$E2E_OUT"
USER_ROOT="$WINEPREFIX/drive_c/users/$(id -un)"
USER_DIR="$USER_ROOT/AppData/Roaming/Kestrovan"
ICON_DIR="$USER_DIR/VekIcons"
DOCK_PID=""

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

vekctl() { "$WINE" "$VEKCTL" "$@"; }
vekseed() { "$WINE" "$VEKSEED" "$(winpath "$(dirname "$VEK_EXE")")" "$@"; }

# The Windows path of a file under the build folder (drive Z: is the Linux root).
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
program_folder=$(winpath "$(dirname "$VEK_EXE")")
# The marker program writes down its arguments in marker.txt beside it.
marker_txt="$(dirname "${MARKER_EXE:-.}")/marker.txt"
marker_win=$(winpath "${MARKER_EXE:-}")

# Starts the program in the background; its Wine process id is in DOCK_PID.
start_dock() {
  "$WINE" "$VEK_EXE" >"$E2E_OUT/dock-$$.log" 2>&1 &
  DOCK_PID=$!
  vekctl wait-window VEKDesktopDock 30 || fail "the dock window did not appear"
  [ -n "${KEEP_GETTING_STARTED:-}" ] || close_getting_started
}

GETTING_STARTED="VEK Desktop Getting Started"
# The getting-started window opens at every start until the user turns it off; tests of
# other things close it, as a user would.
close_getting_started() {
  # Not shown at all once the saved setting turned it off.
  [ "$(vekctl started "$(winpath "$(dirname "$VEK_EXE")")" 2>/dev/null | tr -d '\r')" = -1 ] && return 0
  vekctl wait-title "$GETTING_STARTED" 15 || return 0
  vekctl dismiss-title "$GETTING_STARTED" || true
  local deadline=$((SECONDS + 10))
  while vekctl wait-title "$GETTING_STARTED" 0 >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && fail "the getting-started window did not close"
    sleep 0.1
  done
}

# Waits for the program's process to end; fails after SECONDS.
wait_exit() {
  local pid=$1 limit=${2:-20}
  local deadline=$((SECONDS + limit))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
  wait "$pid" 2>/dev/null || true
}

# Ends a program left running by a failed step, so the next test starts clean.
cleanup_dock() {
  if [ -n "$DOCK_PID" ] && kill -0 "$DOCK_PID" 2>/dev/null; then
    vekctl close VEKDesktopTray >/dev/null 2>&1 || true
    wait_exit "$DOCK_PID" 10 || kill "$DOCK_PID" 2>/dev/null || true
  fi
}
trap cleanup_dock EXIT

# Ends the program through its tray owner, as the tray menu's "Exit" does.
stop_dock() {
  vekctl close VEKDesktopTray || fail "could not reach the tray owner"
  wait_exit "$DOCK_PID" 20 || fail "the program did not end"
}

# Ends the program, puts system command COMMAND on ring slot SLOT and starts it again.
restart_with_command() {  # restart_with_command SLOT COMMAND
  stop_dock
  vekseed --command "$1|$2" || fail "could not put command $2 on ring slot $1"
  start_dock
  sleep 1
}

reset_user_data() { rm -rf "$USER_DIR"; }

# The marker program becomes the https handler until the test ends, when the handler
# before it comes back.
https_key='HKLM\Software\Classes\https\shell\open\command'
set_https_handler() { "$WINE" reg add "$https_key" /ve /d "$1" /f >/dev/null 2>&1; }
use_marker_for_https() {
  former_https=$("$WINE" reg query "$https_key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
  trap restore_https EXIT
  set_https_handler "\"$marker_win\" \"%1\""
}
restore_https() {
  if [ -n "$former_https" ]; then
    set_https_handler "$former_https"
  else
    "$WINE" reg delete "$https_key" /f >/dev/null 2>&1
  fi
  cleanup_dock
}

screenshot() {  # screenshot NAME → path of the PNG
  local file="$E2E_OUT/$1.png"
  import -display "$DISPLAY" -window root "$file"
  echo "$file"
}

# pixel FILE X Y → "R,G,B" (0..255)
pixel() {
  convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# Polls a command until it succeeds or SECONDS pass.
poll() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# How much two screenshots differ in a W×H box centred on (X, Y): 0 (same) to 1.
change() {  # change A B X Y W H
  local box="$5x$6+$(($3 - $5 / 2))+$(($4 - $6 / 2))"
  compare -metric RMSE "$1[$box]" "$2[$box]" null: 2>&1 | sed -E 's/.*\(([0-9.e+-]+)\).*/\1/'
}
# True when the box differs by more than a threshold (default 0.05).
changed() {  # changed A B X Y W H [threshold]
  awk -v v="$(change "$1" "$2" "$3" "$4" "$5" "$6")" -v t="${7:-0.05}" 'BEGIN { exit !(v > t) }'
}

# settle NAME: a screenshot once the screen has stopped changing; prints its path.
settle() {
  local a b deadline=$((SECONDS + 8))
  a=$(screenshot "$1")
  while [ $SECONDS -lt $deadline ]; do
    sleep 0.3
    cp "$a" "$E2E_OUT/$1-previous.png"
    b=$(screenshot "$1")
    [ "$(compare -metric AE "$E2E_OUT/$1-previous.png" "$b" null: 2>&1 | cut -d' ' -f1)" = "0" ] && break
  done
  rm -f "$E2E_OUT/$1-previous.png"
  echo "$b"
}

title_gone() { ! vekctl wait-title "$1" 0; }
popup_open() { vekctl visible-any '#32768'; }
popup_closed() { ! vekctl visible-any '#32768'; }
menu_open() { vekctl visible VEKDesktopMenu; }
menu_closed() { ! vekctl visible VEKDesktopMenu; }

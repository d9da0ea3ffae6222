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

TEST_NAME=$(basename "$0" _e2e.sh)
# A failed step leaves what the screen showed then: NAME-failed.png.
fail() {
  import -display "$DISPLAY" -window root "$E2E_OUT/$TEST_NAME-failed.png" >/dev/null 2>&1 || true
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
# quick_clicks_start X Y COUNT: COUNT quick clicks there (2 a double click, 3 a triple);
# once the marker program has written (within 10 s) and 2 s more have passed, prints how
# many times it started (0 if never).
quick_clicks_start() {
  local log
  log="$(dirname "$MARKER_EXE")/marker.log"
  rm -f "$marker_txt" "$log"
  point "$1" "$2"
  # Apart from any click before them by more than the double-click time.
  sleep 0.6
  xdotool click --repeat "$3" --delay 80 1
  poll 10 test -s "$marker_txt" && sleep 2
  if [ -e "$log" ]; then wc -l <"$log"; else echo 0; fi
}

# Starts the program in the background; its Wine process id is in DOCK_PID.
start_dock() {
  "$WINE" "$VEK_EXE" >"$E2E_OUT/dock-$$.log" 2>&1 &
  DOCK_PID=$!
  vekctl wait-window VEKDesktopDock 30 || fail "the dock window did not appear"
  # Wine maps the dock's X window at its first paint, and a click before then is lost.
  poll 20 xdotool search --onlyvisible --name '^VEK Desktop$' || fail "the dock never showed"
  [ -n "${KEEP_GETTING_STARTED:-}" ] || close_getting_started
}

GETTING_STARTED="VEK Desktop Getting Started"
# The getting-started window opens at every start until the user turns it off; tests of
# other things close it, as a user would.
close_getting_started() {
  # Not shown at all once the saved setting turned it off.
  [ "$(vekctl started "$program_folder" 2>/dev/null | tr -d '\r')" = -1 ] && return 0
  vekctl wait-title "$GETTING_STARTED" 15 || return 0
  vekctl dismiss-title "$GETTING_STARTED" || true
  wait_closed "$GETTING_STARTED"
}

# Waits for the program's process to end; fails after SECONDS.
wait_exit() {  # wait_exit PID [SECONDS]
  poll "${2:-20}" eval "! kill -0 $1" || return 1
  wait "$1" 2>/dev/null || true
}

# Ends a program left running by a failed step, so the next test starts clean.
cleanup_dock() {
  if [ -n "$DOCK_PID" ] && kill -0 "$DOCK_PID" 2>/dev/null; then
    vekctl close VEKDesktopTray >/dev/null 2>&1 || true
    wait_exit "$DOCK_PID" 10 || kill "$DOCK_PID" 2>/dev/null || true
  fi
}
# Steps a script adds with at_exit run when it ends, however it ends, before the program
# left running is closed.
EXIT_STEPS=()
at_exit() { EXIT_STEPS+=("$1"); }
run_exit_steps() {
  local step
  for step in "${EXIT_STEPS[@]}"; do eval "$step" >/dev/null 2>&1 || true; done
  cleanup_dock
}
trap run_exit_steps EXIT

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
}

reset_user_data() { rm -rf "$USER_DIR"; }

# The marker program becomes the https handler until the test ends, when the handler
# before it comes back.
https_key='HKLM\Software\Classes\https\shell\open\command'
https_handler() { "$WINE" reg query "$https_key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
# The handler is read back: a search must not go on while the old one is still in place.
set_https_handler() {
  local attempt
  for attempt in 1 2 3; do
    "$WINE" reg add "$https_key" /ve /d "$1" /f >/dev/null 2>&1 && [ "$(https_handler)" = "$1" ] && return 0
    echo "note: the https handler was not in place after attempt $attempt" >&2
  done
  fail "could not make $1 the https handler"
}
use_marker_for_https() {
  former_https=$(https_handler)
  at_exit restore_https
  set_https_handler "\"$marker_win\" \"%1\""
}
restore_https() {
  if [ -n "$former_https" ]; then
    "$WINE" reg add "$https_key" /ve /d "$former_https" /f >/dev/null 2>&1
  else
    "$WINE" reg delete "$https_key" /f >/dev/null 2>&1
  fi
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
box_gone() { ! vekctl dialog-text "$1" 0 >/dev/null 2>&1; }
# wait_closed TITLE: the window with the title goes within 10 s.
wait_closed() { poll 10 title_gone "$1" || fail "\"$1\" did not close"; }

# What the program saved, read from its menu file: item INDEX → "kind|title|count";
# members GROUP → "title|link|target|arguments|picture", a line each.
item() { vekctl item "$1" "$program_folder" | tr -d '\r'; }
members() { vekctl members "$1" "$program_folder" | tr -d '\r'; }
# slot N [QUANTITY] → "x y", the screen centre of ring slot N.
slot() { vekctl slot "$@" | tr -d '\r'; }

# The busy stand-in wallpaper beneath the dock, closed when the script ends.
start_wallpaper() {
  "$WINE" "$(dirname "$VEKCTL")/wallpaper.exe" &
  local pid=$!
  at_exit "vekctl close VEKTestWallpaper; wait $pid"
  vekctl wait-window VEKTestWallpaper 20 || fail "the wallpaper window did not appear"
}

# point X Y: the pointer moves there; returns once the X server has moved it. (xdotool's
# own --sync waits many seconds when the pointer is already there.)
point() {
  [ "$(xdotool getmouselocation --shell | head -2 | paste -sd' ' -)" = "X=$1 Y=$2" ] ||
    xdotool mousemove --sync "$1" "$2"
}
# click_at X Y [BUTTON]: the pointer goes there (the program sees it move first), then clicks.
click_at() {
  point "$1" "$2"
  xdotool click "${3:-1}"
}

# click_until X Y CHECK...: a click there, and again (at most three times) until CHECK
# holds: a click while Wine makes the dock's X window anew can be lost.
click_until() {  # BUTTON: the button, 1 unless set
  local x=$1 y=$2 attempt
  shift 2
  for attempt in 1 2 3; do
    click_at "$x" "$y" "${BUTTON:-1}"
    poll 10 "$@" && return 0
    echo "note: nothing came of click $attempt at ($x, $y)" >&2
  done
  return 1
}

# Gives the X keyboard focus to the visible Wine window with the title. Its X window is
# looked up each time: Wine makes it anew when a layered window changes size.
focus() {
  local w
  w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)
  [ -n "$w" ] && xdotool windowfocus --sync "$w" 2>/dev/null || true
}
# press_until WINDOW_TITLE KEYS CHECK...: keys reach Wine only while one of its windows has
# the X focus (there is no window manager), and a window made anew can lose it between
# the focus and the press. So the window is focused, the keys pressed, and CHECK polled
# for what they do; pressed again (at most three times) when nothing came of them. Each
# wait gives a loaded machine all the time it needs, so a toggle that did arrive shows
# its effect before the keys are pressed again.
press_until() {
  local title=$1 keys=$2 attempt
  shift 2
  for attempt in 1 2 3; do
    focus "$title"
    # shellcheck disable=SC2086 # KEYS is a list of key names
    xdotool key --delay 100 $keys
    poll 12 "$@" && return 0
    echo "note: nothing came of pressing $keys ($attempt)" >&2
  done
  return 1
}

# The tray icon's right button (posted as the shell does): the tray menu opens.
open_tray_menu() {
  vekctl post VEKDesktopTray 2025 517 || fail "could not reach the tray owner"
  poll 10 popup_open || fail "the tray icon's right button opened no menu"
}
# tray_command VK... : the tray menu's entry chosen with these keys.
tray_command() {
  open_tray_menu
  vekctl popup-keys "$@"
}
# edit_command X Y VK...: a right click there opens the edit menu; the keys choose an entry.
edit_command() {
  local x=$1 y=$2
  shift 2
  BUTTON=3 click_until "$x" "$y" popup_open || fail "a right click at ($x, $y) opened no edit menu"
  vekctl popup-keys "$@"
  poll 10 popup_closed || fail "the edit menu did not close"
}
VK_RETURN=13 VK_ESCAPE=27 VK_DOWN=40 VK_A=65 VK_D=68 VK_I=73 VK_P=80 VK_S=83 VK_U=85
IDOK=1 IDCANCEL=2 INPUT_TEXT=202

# message TITLE TEXT [yes|no|ok]: a message box with the title says TEXT; it is answered.
message() {
  local text
  text=$(vekctl dialog-text "$1" 20 | tr -d '\r') || fail "no message box \"$1\" (expected \"$2\")"
  grep -qF -- "$2" <<<"$text" || fail "the message reads \"$text\", not \"$2\""
  vekctl answer "$1" "${3:-ok}" || fail "could not answer \"$1\""
  poll 10 box_gone "$1" || fail "the message box \"$1\" did not close"
}
# file_dialog TITLE FILE: the open or save dialog with the title is given FILE, then OK.
file_dialog() {
  vekctl wait-title "$1" 15 || fail "no file dialog \"$1\""
  # The file name box (1148) exists a moment after the dialog's title.
  poll 10 vekctl type-title "$1" 1148 "$(winpath "$2")" || fail "could not name the file in \"$1\""
  vekctl press-title "$1" $IDOK || fail "could not press OK in \"$1\""
}
# answer_input TITLE TEXT [BUTTON]: the input box with the title gets TEXT and OK (or BUTTON).
answer_input() {
  vekctl wait-title "$1" 15 || fail "no input box \"$1\""
  vekctl type-title "$1" $INPUT_TEXT "$2" || fail "could not type into \"$1\""
  vekctl press-title "$1" "${3:-$IDOK}" || fail "could not answer \"$1\""
  wait_closed "$1"
}

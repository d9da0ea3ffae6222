#!/usr/bin/env bash
# The small windows: a first start shows getting started, the keyboard on "Next >>",
# which reopens on the page where it was closed and stays closed once "Don't show again" is checked; F1 on the dock
# opens it on the first page again; the About box's web link opens the web address with
# the http handler of the prefix. (Which buttons each page enables: GettingStartedPages.)
KEEP_GETTING_STARTED=1
source "$(dirname "$0")/lib.sh"

LAST=213 NEXT=214 DONT_SHOW=212
started_setting() { vekctl started "$program_folder" | tr -d '\r'; }
wait_started() { vekctl wait-title "$GETTING_STARTED" 20 || fail "getting started did not open ($1)"; }
close_started() {
  vekctl dismiss-title "$GETTING_STARTED"
  wait_closed "$GETTING_STARTED"
}

# A first start ticks "Load at system startup" in Settings and writes the autostart value.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
"$WINE" reg delete "$run_key" /v "VEK Desktop" /f >/dev/null 2>&1 || true
reset_user_data
start_dock
wait_started "first start"
screenshot getting-started-page0 >/dev/null
# The keyboard starts on "Next >>": Space goes on to page 1 and ticks nothing.
focus "$GETTING_STARTED"
xdotool key space
poll 5 vekctl enabled-title "$GETTING_STARTED" $LAST || fail "Space did not go on to the next page"
vekctl checked-title "$GETTING_STARTED" $DONT_SHOW && fail "Space ticked \"Don't show again\""
tray_command $VK_S
poll 10 vekctl checked-title "VEK Desktop - Settings" 411 || fail "\"Load at system startup\" is not ticked"
"$WINE" reg query "$run_key" /v "VEK Desktop" | grep -qi 'VekDesktop.exe' || fail "no autostart value"
vekctl press-title "VEK Desktop - Settings" $IDOK
wait_closed "VEK Desktop - Settings"
for _ in 1 2; do vekctl press-title "$GETTING_STARTED" $NEXT; done
close_started
[ "$(started_setting)" = 3 ] || fail "closing on page 3 saved page $(started_setting)"
stop_dock

# The next start reopens on page 3, not the first; "Don't show again" keeps it closed.
start_dock
wait_started "second start"
vekctl enabled-title "$GETTING_STARTED" $LAST || fail "did not reopen on page 3"
screenshot getting-started-page3 >/dev/null
vekctl press-title "$GETTING_STARTED" $DONT_SHOW
poll 5 vekctl checked-title "$GETTING_STARTED" $DONT_SHOW || fail "the check box did not check"
close_started
[ "$(started_setting)" = -1 ] || fail "\"Don't show again\" saved $(started_setting)"
stop_dock
start_dock
! vekctl wait-title "$GETTING_STARTED" 3 || fail "getting started opened though it was turned off"

# F1 on the dock opens it on the first page.
read -r cx cy <<<"$(slot 0)"
point "$cx" "$cy"
press_until "VEK Desktop" F1 vekctl wait-title "$GETTING_STARTED" 0 || fail "F1 did not open getting started"
! vekctl enabled-title "$GETTING_STARTED" $LAST || fail "F1 did not open the first page"
# Enter pages on to the last page, where it closes the window.
focus "$GETTING_STARTED"
for _ in 1 2 3 4 5; do xdotool key Return; sleep 0.3; done
poll 5 eval '! vekctl enabled-title "$GETTING_STARTED" $NEXT' || fail "Enter did not page on to the last page"
xdotool key Return
poll 5 title_gone "$GETTING_STARTED" || fail "Enter on the last page did not close getting started"

# About: the web link opens its address with the prefix's http handler, here the marker
# program, which writes down what it was given.
use_marker_for_https
restart_with_command 4 68  # About
rm -f "$marker_txt"
read -r x4 y4 <<<"$(slot 4)"
click_until "$x4" "$y4" vekctl wait-title "About VEK Desktop" 0 || fail "the About box did not open"
screenshot about >/dev/null
# While it is open, a click on the dock only brings it to the front: no second box.
click_at "$x4" "$y4"
sleep 0.5
[ "$(vekctl count '#32770' | tr -d '\r')" -le 1 ] || fail "a second modal window opened over the About box"
read -r left top right bottom <<<"$(vekctl rect-title "About VEK Desktop" 223 | tr -d '\r')"
# The link is underlined only while the pointer is over it; Return (OK) closes the box.
mid=$(((top + bottom) / 2)) link_box=("$(((left + right) / 2))" "$mid" "$((right - left))" "$((bottom - top))")
point $((left - 8)) "$mid"
plain=$(settle about-plain)
point $((left + 120)) "$mid"
underlined() { changed "$(screenshot about-hover)" "$plain" "${link_box[@]}" 0.01; }
poll 5 underlined || fail "the web link is not underlined under the pointer"
point $((left - 8)) "$mid"
poll 5 eval '! underlined' || fail "the web link stays underlined with the pointer off it"
click_at $((left + 120)) "$mid"
poll 15 test -s "$marker_txt" || fail "the web link did not open the http handler"
grep -q "kestrovan.com" "$marker_txt" || fail "the handler got: $(cat "$marker_txt")"
# The started handler took the foreground, as a browser would; once it has ended, the
# user clicks the box (above the link) to come back to it before pressing Return.
command -v pgrep >/dev/null || fail "pgrep is missing: tools/setup.sh installs procps"
poll 15 eval '! pgrep -x marker.exe >/dev/null' || fail "the http handler did not end"
click_at $((left + 120)) $((top - 25))
press_until "About VEK Desktop" Return title_gone "About VEK Desktop" || fail "Return did not close the About box"
echo "dialogs e2e passed"

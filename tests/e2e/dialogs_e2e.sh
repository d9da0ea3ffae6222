#!/usr/bin/env bash
# The small windows: a first start shows getting started on its first page, which
# reopens where it was closed and stays closed once "Don't show again" is checked, F1
# on the dock opens it on the first page again; the About box's web link opens the web
# address with the http handler of the prefix.
KEEP_GETTING_STARTED=1
source "$(dirname "$0")/lib.sh"

LAST=213
NEXT=214
DONT_SHOW=212
started_setting() { vekctl started "$program_folder" | tr -d '\r'; }

reset_user_data
start_dock
vekctl wait-title "$GETTING_STARTED" 20 || fail "getting started did not open on the first start"
sleep 0.5
screenshot getting-started-page0 >/dev/null
! vekctl enabled-title "$GETTING_STARTED" $LAST || fail "\"<< Last\" is enabled on the first page"
for _ in 1 2 3; do
  vekctl press-title "$GETTING_STARTED" $NEXT
  sleep 0.3
done
vekctl enabled-title "$GETTING_STARTED" $LAST || fail "\"<< Last\" stays disabled after Next"
vekctl dismiss-title "$GETTING_STARTED"
poll 10 title_gone "$GETTING_STARTED" || fail "getting started did not close"
[ "$(started_setting)" = 3 ] || fail "closing on page 3 saved page $(started_setting)"
stop_dock

# The next start reopens on page 3; two more pages reach the last, where Next is off.
start_dock
vekctl wait-title "$GETTING_STARTED" 20 || fail "getting started did not reopen"
vekctl enabled-title "$GETTING_STARTED" $LAST || fail "did not reopen on page 3"
vekctl press-title "$GETTING_STARTED" $NEXT
sleep 0.3
vekctl enabled-title "$GETTING_STARTED" $NEXT || fail "page 4 has Next disabled: not reopened on page 3"
vekctl press-title "$GETTING_STARTED" $NEXT
sleep 0.3
! vekctl enabled-title "$GETTING_STARTED" $NEXT || fail "\"Next >>\" is enabled on the last page"
screenshot getting-started-last >/dev/null
# "Don't show again" keeps it closed at the next start.
vekctl press-title "$GETTING_STARTED" $DONT_SHOW
sleep 0.3
vekctl checked-title "$GETTING_STARTED" $DONT_SHOW || fail "the check box did not check"
vekctl dismiss-title "$GETTING_STARTED"
poll 10 title_gone "$GETTING_STARTED" || fail "getting started did not close"
[ "$(started_setting)" = -1 ] || fail "\"Don't show again\" saved $(started_setting)"
stop_dock

start_dock
sleep 4
title_gone "$GETTING_STARTED" || fail "getting started opened though it was turned off"

# F1 on the dock opens it on the first page.
read -r cx cy <<<"$(vekctl slot 0 | tr -d '\r')"
xdotool mousemove "$cx" "$cy"
sleep 0.5
dock=$(xdotool search --name '^VEK Desktop$' | head -1)
xdotool windowfocus --sync "$dock" 2>/dev/null || true
xdotool key F1
vekctl wait-title "$GETTING_STARTED" 10 || fail "F1 did not open getting started"
! vekctl enabled-title "$GETTING_STARTED" $LAST || fail "F1 did not open the first page"
vekctl dismiss-title "$GETTING_STARTED"
poll 10 title_gone "$GETTING_STARTED" || fail "getting started did not close"

# About: the web link opens its address with the prefix's http handler, here the marker
# program, which writes down what it was given.
rm -f "$marker_txt"
use_marker_for_https
restart_with_command 4 68  # About
read -r x4 y4 <<<"$(vekctl slot 4 | tr -d '\r')"
xdotool mousemove "$x4" "$y4"
sleep 0.4
xdotool click 1
vekctl wait-title "About VEK Desktop" 10 || fail "the About box did not open"
sleep 0.5
screenshot about >/dev/null
# While it is open, a click on the dock only brings it to the front: no second box.
xdotool mousemove "$x4" "$y4" click 1
sleep 0.5
[ "$(vekctl count '#32770' | tr -d '\r')" -le 1 ] || fail "a second modal window opened over the About box"
read -r left top right bottom <<<"$(vekctl rect-title "About VEK Desktop" 223 | tr -d '\r')"
xdotool mousemove $((left + 120)) $(((top + bottom) / 2)) click 1
poll 15 test -s "$marker_txt" || fail "the web link did not open the http handler"
grep -q "kestrovan.com" "$marker_txt" || fail "the handler got: $(cat "$marker_txt")"
vekctl dismiss-title "About VEK Desktop"
poll 10 title_gone "About VEK Desktop" || fail "the About box did not close"
echo "dialogs e2e passed"

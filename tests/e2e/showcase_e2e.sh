#!/usr/bin/env bash
# The dock over a busy wallpaper, as a user first sees it: the default ring, a hovered
# group with its caption, and key mode. Leaves showcase-*.png for review and checks that
# the ring's soft edges blend with what lies beneath (true per-pixel alpha).
source "$(dirname "$0")/lib.sh"

reset_user_data
start_wallpaper
xdotool mousemove 5 5
bare=$(settle showcase-wallpaper)

start_dock
read -r x5 y5 <<<"$(slot 5)"
painted() { changed "$(screenshot showcase-ring)" "$bare" "$x5" "$y5" 40 40; }
poll 20 painted || fail "the dock never painted its ring"
plain=$(settle showcase-ring)
point "$x5" "$y5"
settle showcase-hover >/dev/null
dimmed() { [ "$(pixel "$(screenshot showcase-keymode)" 5 5)" != "$(pixel "$bare" 5 5)" ]; }
press_until "VEK Desktop" alt+space dimmed || fail "Alt+Space did not dim the screen"
settle showcase-keymode >/dev/null
xdotool key Escape

# Away from the ring the wallpaper shows unchanged; the translucent plate under a blank
# position blends with it (neither the bare wallpaper nor an opaque fill).
[ "$(pixel "$plain" 5 5)" = "$(pixel "$bare" 5 5)" ] || fail "the dock covers the wallpaper away from the ring"
echo "showcase e2e passed"

#!/usr/bin/env bash
# Times the real program under Wine: a first start on a fresh profile with 1,000 files on
# the desktop (the All Programs group filled as far as the pool allows) until the ring is
# painted, then a second start that reads the saved menu back. Prints both figures.
#   tools/bench/first_start.sh [BUILD_DIR]      (default build/win; run tools/build.sh win first)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/win}" && pwd)
exec "$top/tools/harness/with-session.sh" "$build" bash -c '
set -euo pipefail
WINE=/usr/lib/wine/wine64
exe="$VEK_BUILD_DIR/src/app/VekDesktop.exe"
ctl="$VEK_BUILD_DIR/tests/e2e/vekctl.exe"
user_root="$WINEPREFIX/drive_c/users/$(id -un)"
desktop="$user_root/Desktop"
mkdir -p "$desktop"
# The harness makes the desktop a folder of the prefix; never write 1,000 files elsewhere.
case "$(readlink -f "$desktop")" in
  "$(readlink -f "$WINEPREFIX")"/*) ;;
  *) echo "first_start: the desktop leads outside the build folder" >&2; exit 1 ;;
esac
rm -rf "$user_root/AppData/Roaming/Kestrovan" "$desktop"/vek-bench-*
for i in $(seq -w 1 1000); do printf "file %s" "$i" >"$desktop/vek-bench-$i.txt"; done
read -r cx cy < <("$WINE" "$ctl" slot 0 | tr -d "\r")
painted() {  # the centre pixel is no longer the background
  [ "$(import -display "$DISPLAY" -window root -crop 1x1+$cx+$cy +repage -format "%[fx:int(255*r)]" info:)" != 128 ]
}
run_once() {
  local start end
  start=$(date +%s.%N)
  "$WINE" "$exe" >/dev/null 2>&1 &
  local pid=$!
  until painted; do sleep 0.05; done
  end=$(date +%s.%N)
  "$WINE" "$ctl" close VEKDesktopTray
  wait $pid || true
  awk -v a="$start" -v b="$end" "BEGIN { print b - a }"
}
first=$(run_once)
second=$(run_once)
members=$("$WINE" "$ctl" item 3 "$(echo "Z:$VEK_BUILD_DIR/src/app" | sed "s|/|\\\\|g")" | tr -d "\r")
rm -f "$desktop"/vek-bench-*
printf "first start with 1000 desktop files, to a painted ring: %.2f s\n" "$first"
printf "second start, reading the saved menu back:             %.2f s\n" "$second"
echo "All Programs group (kind|title|members): $members"
'

#!/usr/bin/env bash
# Installs what is missing, builds VekDesktop.exe and starts the dock under Wine: on the
# current X display when there is one (the dock keeps running), otherwise in a private
# Xvfb, where it takes a screenshot, says where it is, and ends the dock again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck disable=SC1091
source "$top/tools/harness/fixed-layout.sh"
cd "$top"
[ "$(id -u)" = 0 ] && tools/setup.sh
tools/build.sh win
build="$top/build/win"
exe="$build/src/app/VekDesktop.exe"
shot="$build/dock-screenshot.png"
ctl="$build/tests/e2e/vekctl.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="$build/wineprefix-desktop" WINEARCH=win64 WINEDEBUG=fixme-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 "$exe" &
  pid=$!
  /usr/lib/wine/wine64 "$ctl" wait-window VEKDesktopDock 60 || true
  sleep 1
  import -window root "$shot" && echo "run-dock: the dock runs on $DISPLAY; screenshot: $shot"
  wait $pid
else
  tools/harness/session.sh start "$build"
  trap 'tools/harness/session.sh stop "$build"' EXIT
  # shellcheck disable=SC1091
  source "$build/harness/session.env"
  /usr/lib/wine/wine64 "$exe" &
  pid=$!
  /usr/lib/wine/wine64 "$ctl" wait-window VEKDesktopDock 60 || { echo "run-dock: no dock window" >&2; exit 1; }
  sleep 2
  import -display "$DISPLAY" -window root "$shot"
  echo "run-dock: no X display here, so the dock ran in a private Xvfb; screenshot: $shot"
  /usr/lib/wine/wine64 "$ctl" close VEKDesktopTray || true
  wait $pid || true
fi

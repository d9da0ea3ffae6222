#!/usr/bin/env bash
# The Wine + Xvfb session that the Windows tests and the dock run in.
#
#   session.sh start BUILD_DIR   starts Xvfb on a free display with a compositing
#                                manager, a persistent wineserver for the build folder's
#                                Wine prefix (prepared once per build folder), and writes
#                                BUILD_DIR/harness/session.env (source it)
#   session.sh stop BUILD_DIR    stops exactly the processes that start started
#
# Only processes recorded by PID (and the wineserver of this prefix) are ever stopped.
set -euo pipefail

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

cmd=${1:-}
build=$(cd "${2:?usage: session.sh start|stop BUILD_DIR}" && pwd)
state="$build/harness"
envfile="$state/session.env"

wine_env() {
  export WINEPREFIX="$build/wineprefix" WINEARCH=win64
  export WINEDEBUG=${VEK_WINEDEBUG:-fixme-all,err-ole,err-winediag}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  export XDG_DATA_HOME="$build/xdg"
}

free_display() {
  for n in $(seq 90 250); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

wait_for() {  # wait_for SECONDS COMMAND...
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# Wine links the profile's Desktop, Documents, Pictures, Music, Videos, Downloads and
# Templates into the home folder. Whatever a test or benchmark puts there would land
# outside the build folder, so every such link becomes a plain folder of the prefix. Runs
# at every start, so an already prepared prefix is mended too.
own_shell_folders() {
  local users="$WINEPREFIX/drive_c/users" prefix link
  [ -d "$users" ] || return 0
  prefix=$(readlink -f "$WINEPREFIX")
  while IFS= read -r -d '' link; do
    case "$(readlink -f "$link" || true)" in
      "$prefix"/*) ;;
      *)
        rm -f "$link"
        mkdir -p "$link" ;;
    esac
  done < <(find "$users" -mindepth 2 -maxdepth 3 -type l -print0)
}

prepare_prefix() {
  local marker="$WINEPREFIX/.vek-prepared"
  [ -f "$marker" ] && return 0
  echo "harness: preparing the Wine prefix in $WINEPREFIX (once per build folder)" >&2
  mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME"
  "$WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
  "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  for font in Arial Verdana 'Microsoft Sans Serif' Tahoma 'Segoe UI'; do
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d 'Liberation Sans' /f >/dev/null 2>&1
  done
  touch "$marker"
}

start() {
  mkdir -p "$state"
  if [ -f "$envfile" ]; then
    echo "harness: a session is already recorded in $envfile; stopping it first" >&2
    stop
  fi
  wine_env
  local n
  n=$(free_display) || { echo "harness: no free X display" >&2; exit 1; }
  # VEK_SCREEN sets another screen size (the hover benchmark runs at 3840x2160 too).
  Xvfb ":$n" -screen 0 "${VEK_SCREEN:-1920x1080x24}" -nolisten tcp -ac >"$state/xvfb.log" 2>&1 &
  local xvfb_pid=$!
  echo "XVFB_PID=$xvfb_pid" >"$envfile"
  export DISPLAY=":$n"
  if ! wait_for 15 xdpyinfo -display "$DISPLAY"; then
    echo "harness: Xvfb did not come up on :$n" >&2
    stop
    exit 1
  fi
  # True per-pixel alpha in screenshots needs a compositing manager.
  xcompmgr -d "$DISPLAY" >"$state/xcompmgr.log" 2>&1 &
  echo "XCOMPMGR_PID=$!" >>"$envfile"
  xsetroot -display "$DISPLAY" -solid '#2f4f6f' >/dev/null 2>&1 || true
  mkdir -p "$WINEPREFIX"
  # A persistent server before any Wine program: each test process then starts fast.
  "$WINESERVER" -p
  echo "WINESERVER_STARTED=1" >>"$envfile"
  prepare_prefix
  own_shell_folders
  # The first Wine program of a session starts the session's services and the desktop
  # process, which inherit its output: start them here with no pipe attached, so that
  # CTest never waits on a pipe that a background service holds open.
  "$WINE" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
  {
    echo "export DISPLAY=$DISPLAY"
    echo "export WINEPREFIX=$WINEPREFIX WINEARCH=$WINEARCH WINEDEBUG=$WINEDEBUG"
    echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES' XDG_DATA_HOME=$XDG_DATA_HOME"
    echo "export VEK_BUILD_DIR=$build"
  } >>"$envfile"
  echo "harness: session on $DISPLAY, prefix $WINEPREFIX" >&2
}

stop() {
  [ -f "$envfile" ] || return 0
  local XVFB_PID="" XCOMPMGR_PID="" WINESERVER_STARTED=""
  # shellcheck disable=SC1090
  eval "$(grep -E '^(XVFB_PID|XCOMPMGR_PID|WINESERVER_STARTED)=' "$envfile")"
  wine_env
  if [ -n "$WINESERVER_STARTED" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  for pid in $XCOMPMGR_PID $XVFB_PID; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in $XCOMPMGR_PID $XVFB_PID; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" >/dev/null 2>&1 || true
  done
  rm -f "$envfile"
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: session.sh start|stop BUILD_DIR" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Times the real program under Wine from launch to a painted ring, beside a baseline from
# the same run: a minimal program that shows one screen-sized layered window, timed from
# launch to its first painted pixel. Four cases: an empty desktop and 1,000 files on the
# desktop (the All Programs group filled as far as the pool allows), each with a first
# start on a fresh profile and a second start that reads the saved menu back. Then the
# memory (resident set) a second after start with 1,000 items, against the minimal
# window's. Each figure is the median of ROUNDS runs (default 3); every file it writes
# stays in the build folder's Wine prefix.
#   tools/bench/first_start.sh [BUILD_DIR] [ROUNDS]   (default build/win; run tools/build.sh win first)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/win}" && pwd)
export VEK_BENCH_ROUNDS="${2:-3}" VEK_TOOLS_DIR="$top/tools/bench"
exec "$top/tools/harness/with-session.sh" "$build" bash -c '
set -euo pipefail
WINE=/usr/lib/wine/wine64
exe="$VEK_BUILD_DIR/src/app/VekDesktop.exe"
minimal="$VEK_BUILD_DIR/tools/bench/win/minimal_window.exe"
ctl="$VEK_BUILD_DIR/tests/e2e/vekctl.exe"
user_root="$WINEPREFIX/drive_c/users/$(id -un)"
desktop="$user_root/Desktop"
mkdir -p "$desktop"
# The harness makes the desktop a folder of the prefix; never write 1,000 files elsewhere.
case "$(readlink -f "$desktop")" in
  "$(readlink -f "$WINEPREFIX")"/*) ;;
  *) echo "first_start: the desktop leads outside the build folder" >&2; exit 1 ;;
esac
read -r cx cy < <("$WINE" "$ctl" slot 0 | tr -d "\r")
# The centre pixel is read straight from the X server every 5 ms by one watcher started
# with the program, so the polling costs the same few milliseconds on both sides.
watch="python3 $VEK_TOOLS_DIR/pixel_watch.py $cx $cy"
rss_kb() { awk "/^VmRSS/ { print \$2 }" "/proc/$1/status" 2>/dev/null || echo 0; }
# run_once EXE CLASS [MEMORY_FILE]: seconds from launch to painted; the resident set a
# second later goes to MEMORY_FILE.
run_once() {
  local start end pid
  start=$(date +%s.%N)
  "$WINE" "$1" >/dev/null 2>&1 &
  pid=$!
  end=$($watch 128 60) || { echo "first_start: $1 never painted" >&2; exit 1; }
  if [ -n "${3:-}" ]; then sleep 1; rss_kb $pid >"$3"; fi
  # The program makes its tray owner once the ring is painted.
  "$WINE" "$ctl" wait-window "$2" 30 >/dev/null || true
  "$WINE" "$ctl" close "$2" >/dev/null || true
  wait $pid || true
  $watch -128 5 >/dev/null || true
  awk -v a="$start" -v b="$end" "BEGIN { print b - a }"
}
median() { sort -n | awk "{ v[NR] = \$1 } END { print v[int((NR + 1) / 2)] }"; }
fresh_profile() { rm -rf "$user_root/AppData/Roaming/Kestrovan"; }
mem="$VEK_BUILD_DIR/first_start.rss"
declare -A result
for desk in empty 1000; do
  rm -f "$desktop"/vek-bench-*
  if [ $desk = 1000 ]; then
    for i in $(seq -w 1 1000); do printf "file %s" "$i" >"$desktop/vek-bench-$i.txt"; done
  fi
  for start in first second; do
    base=(); prog=()
    for r in $(seq 1 "$VEK_BENCH_ROUNDS"); do
      # Baseline and program take turns, so neither gets a quieter moment of the machine.
      base+=("$(run_once "$minimal" VekBenchMinimal)")
      [ $start = first ] && fresh_profile
      [ $start = second ] && [ ! -e "$user_root/AppData/Roaming/Kestrovan" ] && run_once "$exe" VEKDesktopTray >/dev/null
      prog+=("$(run_once "$exe" VEKDesktopTray)")
    done
    result[$desk,$start,base]=$(printf "%s\n" "${base[@]}" | median)
    result[$desk,$start,prog]=$(printf "%s\n" "${prog[@]}" | median)
  done
done
members=$("$WINE" "$ctl" item 3 "$(echo "Z:$VEK_BUILD_DIR/src/app" | sed "s|/|\\\\|g")" | tr -d "\r" | cut -c1-80)
run_once "$minimal" VekBenchMinimal "$mem.minimal" >/dev/null
run_once "$exe" VEKDesktopTray "$mem.program" >/dev/null
rm -f "$desktop"/vek-bench-*
echo "start to a painted ring, median of $VEK_BENCH_ROUNDS, baseline = minimal screen-sized layered window (same run)"
printf "  %-34s %9s %9s %9s\n" case baseline program beyond
for desk in empty 1000; do
  for start in first second; do
    b=${result[$desk,$start,base]} p=${result[$desk,$start,prog]}
    printf "  %-34s %8.2fs %8.2fs %+8.2fs\n" "$desk desktop, $start start" "$b" "$p" "$(awk -v a="$b" -v b="$p" "BEGIN { print b - a }")"
  done
done
mb() { awk -v k="$(cat "$1")" "BEGIN { printf \"%.0f\", k / 1024 }"; }
echo "resident memory a second after start with 1000 desktop files: minimal window $(mb "$mem.minimal") MB, program $(mb "$mem.program") MB, beyond $(( $(mb "$mem.program") - $(mb "$mem.minimal") )) MB"
echo "All Programs group (kind|title|members): $members"
rm -f "$mem.minimal" "$mem.program"
'

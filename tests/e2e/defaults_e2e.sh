#!/usr/bin/env bash
# A first start on a fresh profile fills ring slots 3..9 with the default items (All
# Programs from the desktop folders, System Folders & Drives, Accessories with the
# programs this system has, the Office group, Internet, Check Email, Search Internet),
# shows them with their pictures and captions, and writes them to the menu file.
source "$(dirname "$0")/lib.sh"

reset_user_data
"$WINE" reg delete 'HKCU\SOFTWARE\VEK Desktop\System' /f >/dev/null 2>&1 || true
desktop="$USER_ROOT/Desktop"
mkdir -p "$desktop"
rm -f "$desktop"/vek-e2e-*.txt
printf 'notes' >"$desktop/vek-e2e-notes.txt"
mv "$USER_ROOT/Videos" "$USER_ROOT/Videos.away" && at_exit 'mv "$USER_ROOT/Videos.away" "$USER_ROOT/Videos"'

start_dock
read -r x5 y5 <<<"$(slot 5)"
point "$x5" "$y5"
settle defaults-first-start >/dev/null
stop_dock
rm -f "$desktop"/vek-e2e-*.txt

expect() {  # expect INDEX KIND TITLE-PATTERN
  local got
  got=$(item "$1")
  case "$got" in
    "$2|"$3"|"*) ;;
    *) fail "item $1 is '$got', expected kind $2 and title $3" ;;
  esac
}
expect 3 6 "All Programs Group"
[ "$(item 3 | cut -d'|' -f3)" -ge 1 ] || fail "All Programs took nothing from the desktop"
expect 4 4 "System Folders & Drives Group"
[ "$(item 4 | cut -d'|' -f3)" -ge 3 ] || fail "System Folders & Drives is nearly empty: $(item 4)"
members 4 | grep -qF '|\|' && fail "a folder the shell lacks became a member: $(members 4)"
expect 5 4 "Accessories Group"
[ "$(item 5 | cut -d'|' -f3)" -ge 2 ] || fail "no accessories found: $(item 5)"
expect 6 4 "Microsoft Office Suite Group*"
expect 7 1 "Internet"
expect 8 1 "Check Email"
expect 9 1 "Search Internet"
expect 1 10 "My Computer"
expect 10 2 "Blank Shortcut"
echo "defaults e2e passed"

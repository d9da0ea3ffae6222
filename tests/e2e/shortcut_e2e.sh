#!/usr/bin/env bash
# Shortcut files as a new user has them. Real .lnk files made through the shell's link
# interface, and Internet shortcuts, lie on the desktop; the first start makes them All
# Programs members with their target, arguments and picture (one whose name the code page
# cannot hold by its short name, one whose arguments the file cannot hold as the shortcut
# itself), and a click on the shortcut starts its program with its arguments in its
# working folder.
source "$(dirname "$0")/lib.sh"

desktop="$USER_ROOT/Desktop"
work="$E2E_OUT/shortcut-work"
work_win=$(winpath "$work")
link_win='C:\users\'"$(id -un)"'\Desktop\VekE2E Marker.lnk'
art="$(dirname "$0")/../../resources"

# Everything this test writes stays inside the build folder: the desktop is a folder of
# the prefix, not a link into the home folder.
case "$(readlink -f "$desktop")" in
  "$(readlink -f "$WINEPREFIX")"/*) ;;
  *) fail "the prefix's desktop leads outside the build folder: $(readlink -f "$desktop")" ;;
esac

tick_folder="$WINEPREFIX/drive_c/VekE2E ✓"
remove_made() { rm -rf "$desktop"/VekE2E* "$tick_folder"; }
at_exit remove_made

# The Linux path of a Windows path on drive C: of the prefix.
linux_path() { echo "$WINEPREFIX/drive_c/$(echo "${1#[Cc]:\\}" | sed 's|\\|/|g')"; }
# The distance (0 same .. 1 opposite) of two pictures, both flattened on white at 48x48.
picture_distance() {
  local a="$E2E_OUT/shortcut-a.png" b="$E2E_OUT/shortcut-b.png"
  convert "$1" -resize 48x48! -background white -alpha remove -alpha off "$a"
  convert "$2" -resize 48x48! -background white -alpha remove -alpha off "$b"
  compare -metric RMSE "$a" "$b" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true
}
near() { awk -v d="$1" -v limit="$2" 'BEGIN { exit !(d < limit) }'; }

reset_user_data
remove_made
mkdir -p "$desktop" "$work"
"$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E Marker.lnk" "$marker_win" 'alpha "two words"' \
  "$work_win" "$(winpath "$VEK_EXE")" 0 || fail "could not make the shortcut file"
# A target whose name the code page cannot hold, which Wine's link file keeps whole only
# in its item list.
mkdir -p "$tick_folder"
LC_ALL=C.UTF-8 "$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E Tick.lnk" 'C:\VekE2E ✓\marker.exe' "" "" "" 0 &&
  cp "$MARKER_EXE" "$tick_folder/marker.exe" || fail "could not make the shortcut to a folder named with ✓"
# A shortcut whose own name the code page cannot hold.
LC_ALL=C.UTF-8 "$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E ✓ Named.lnk" "$marker_win" named "" "" 0 ||
  fail "could not make the shortcut named with ✓"
# A web app's shortcut, whose arguments are longer than the file's field.
long_arguments="--app-id=$(printf 'a%.0s' $(seq 1 150))"
"$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E Long.lnk" "$marker_win" "$long_arguments" "" "" 0 ||
  fail "could not make the shortcut with long arguments"
# A shortcut to itself, which the shell would follow for ever.
"$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E Self.lnk" "$(winpath "$desktop")\\VekE2E Self.lnk" "" "" "" 0 ||
  fail "could not make the shortcut to itself"
# A shortcut to This PC: an item-ID list and no path.
"$WINE" "$MKLINK_EXE" "$(winpath "$desktop")\\VekE2E This PC.lnk" '::{20D04FE0-3AEA-1069-A2D8-08002B30309D}' "" "" "" 0 ||
  fail "could not make the shortcut to This PC"
printf '[InternetShortcut]\r\nURL=https://example.org/\r\nIconFile=C:\\windows\\system32\\shell32.dll\r\nIconIndex=13\r\n' \
  >"$desktop/VekE2E Site.url"
printf '[InternetShortcut]\r\nURL=https://example.org/plain\r\n' >"$desktop/VekE2E Plain.url"

# The first start builds All Programs from the desktop; the exit saves it.
start_dock
sleep 1
stop_dock
members=$(members 3)
grep -q '^VekE2E Marker|' <<<"$members" && grep -q '^VekE2E Site.url|' <<<"$members" &&
  grep -q '^VekE2E Plain.url|' <<<"$members" || fail "All Programs lacks the desktop's shortcuts: $members"
member() { grep "^$1|" <<<"$members"; }

IFS='|' read -r _ link target arguments picture <<<"$(member "VekE2E Marker")"
[ "${link^^}" = "${link_win^^}" ] || fail "member link: $link"
[ "${target^^}" = "${marker_win^^}" ] || fail "member target: $target (wanted $marker_win)"
[ "$arguments" = 'alpha "two words"' ] || fail "member arguments: $arguments"
case "$picture" in *\\VekIcons\\*) ;; *) fail "member picture: $picture" ;; esac
picture_file=$(linux_path "$picture")
[ -s "$picture_file" ] || fail "member picture file missing: $picture_file"
own=$(picture_distance "$picture_file" "$art/app/VekDesktop.png")
problem=$(picture_distance "$picture_file" "$art/SysIcons/Problem.png")
echo "shortcut picture: distance $own to the program icon, $problem to the Problem picture"
near "$own" 0.1 || fail "the shortcut's picture is not its icon location's ($own)"
near "$own" "$problem" || fail "the shortcut's picture is nearer the Problem picture"

# Arguments the file cannot keep are not cut: the item names the shortcut, which keeps them.
IFS='|' read -r _ link target arguments _ <<<"$(member "VekE2E Long")"
[ "$target" = "$link" ] && [ -z "$arguments" ] || fail "the web app's shortcut became $target $arguments"

# Its target is never stored with "?" for the character: the item names the shortcut.
IFS='|' read -r _ link target _ _ <<<"$(member "VekE2E Tick")"
[ "$target" = "$link" ] || fail "the shortcut to a folder named with ✓ has the target $target"

# One whose own name the code page cannot hold is stored by its short name, never with "?".
IFS='|' read -r _ named_link _ _ picture <<<"$(member "VekE2E ? Named")"
case "$named_link" in "" | *\?*) fail "the shortcut named with ✓ was stored as '$named_link'" ;; esac
# Its program has no icon of its own: it shows the shell's picture of it, not the Problem one.
case "$picture" in *\\VekIcons\\*) ;; *) fail "the shortcut to a program without an icon got $picture" ;; esac

# The shortcut to This PC opens through the shortcut itself and shows the shell's picture of it.
IFS='|' read -r _ link target _ picture <<<"$(member "VekE2E This PC")"
case "$target" in "$link" | ::*) ;; *) fail "the shortcut to This PC has the target '$target'" ;; esac
case "$picture" in *\\VekIcons\\*) ;; *) fail "the shortcut to This PC got $picture" ;; esac

IFS='|' read -r _ _ target _ picture <<<"$(member "VekE2E Site.url")"
[ "$target" = "https://example.org/" ] || fail "Internet shortcut target: $target"
case "$picture" in *\\VekIcons\\*) ;; *) fail "Internet shortcut with an icon file got $picture" ;; esac
[ -s "$(linux_path "$picture")" ] || fail "Internet shortcut picture missing: $picture"
IFS='|' read -r _ _ _ _ picture <<<"$(member "VekE2E Plain.url")"
case "$picture" in *\\SysIcons\\Internet.png) ;; *) fail "plain Internet shortcut got $picture" ;; esac

# A click on the shortcut on the ring, as the first start made it (its program as the
# target, its arguments), starts the program with those arguments in its working folder.
vekseed --item "4|Marker link|$link_win|alpha \"two words\"|0||$marker_win" --item "5|Tick link|${link_win/Marker/Tick}" \
  --item "6|Self link|${link_win/Marker/Self}" --item "7|VekE2E ? Named|$named_link" ||
  fail "could not prepare the configuration"
rm -f "$marker_txt"
start_dock
read -r x4 y4 <<<"$(slot 4)"
point "$x4" "$y4"
settle shortcut-hover >/dev/null
xdotool click 1
poll 15 test -s "$marker_txt" || fail "the click did not start the shortcut's program"
grep -qx "arg=alpha" "$marker_txt" && grep -qx "arg=two words" "$marker_txt" ||
  fail "arguments lost: $(cat "$marker_txt")"
grep -qix "folder=${work_win//\\/\\\\}" "$marker_txt" || fail "working folder: $(cat "$marker_txt")"
# The shortcut to the folder named with ✓ starts its program too (which writes beside itself).
read -r x5 y5 <<<"$(slot 5)"
click_until "$x5" "$y5" test -s "$tick_folder/marker.txt" || fail "the shortcut to a folder named with ✓ did not start"
# The one kept by its short name starts its program.
rm -f "$marker_txt"
read -r x7 y7 <<<"$(slot 7)"
click_until "$x7" "$y7" test -s "$marker_txt" || fail "the shortcut named with ✓ did not start"
grep -qx "arg=named" "$marker_txt" || fail "the shortcut named with ✓ started with: $(cat "$marker_txt")"
# Its title, which the file keeps as "VekE2E ? Named", is its long name again.
edit_command "$x7" "$y7" $VK_P
vekctl dialog-text "Properties" 10 | tr -d '\r' | grep -qx "VekE2E ✓ Named" ||
  fail "the shortcut kept by its short name is titled: $(vekctl dialog-text "Properties" 1 | tr '\n' '|')"
vekctl dismiss-title "Properties" && wait_closed "Properties"
# The shortcut to itself is a broken shortcut: the dock says so and goes on answering.
read -r x6 y6 <<<"$(slot 6)"
click_until "$x6" "$y6" vekctl wait-title "Problem with Shortcut" 3 || fail "the shortcut to itself showed no message"
message "Problem with Shortcut" "VekE2E Self.lnk' that this shortcut refers to has been changed or removed"
stop_dock
echo "shortcut e2e passed"

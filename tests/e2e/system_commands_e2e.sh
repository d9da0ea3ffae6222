#!/usr/bin/env bash
# Built-in commands on ring slots: the user picture command refuses a small file that
# claims a vast picture at once (not after decoding gigabytes), keeps the old picture and
# the name (Cancel); a right click on the centre opens its command menu; while the
# shell's Run dialog is open, dock clicks open nothing more.
source "$(dirname "$0")/lib.sh"

vast="$E2E_OUT/vast.png"
# 20000 x 20000 white in 1.6 MB: after a full flush every row compresses alike.
python3 -c 'import struct, sys, zlib
w = 20000; row = b"\0" + b"\xff" * w * 4; c = zlib.compressobj(9)
rows = (c.compress(row) + c.flush(3)) + (c.compress(row) + c.flush(3)) * (w - 1) + c.flush()
part = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + part(b"IHDR", struct.pack(">IIBBBBB", w, w, 8, 6, 0, 0, 0))
                              + part(b"IDAT", rows) + part(b"IEND", b""))' "$vast"

reset_user_data
vekseed --command "4|66" --command "5|93" --command "6|103" || fail "could not prepare the configuration"
start_dock
name=$(item 0 | cut -d'|' -f2)
read -r x4 y4 <<<"$(slot 4)"
read -r x5 y5 <<<"$(slot 5)"
read -r x6 y6 <<<"$(slot 6)"

click_until "$x4" "$y4" vekctl wait-title "VEK Desktop - Change User Icon" 0 || fail "no file dialog for the user picture"
file_dialog "VEK Desktop - Change User Icon" "$vast"
failed_box() { vekctl dialog-text "VEK Desktop" 0 2>/dev/null | grep -q "Change icon failed"; }
poll 20 failed_box || fail "no \"Change icon failed\" for the vast picture"
vekctl answer "VEK Desktop" ok
answer_input "Change User Name" "Someone" $IDCANCEL
[ ! -e "$ICON_DIR/User Icon.ico" ] || fail "a user picture was written from the vast file"

# A right click on the centre opens its command menu; its third entry opens Settings.
read -r cx cy <<<"$(slot 0)"
BUTTON=3 click_until "$cx" "$cy" menu_open || fail "a right click on the centre opened no menu"
screenshot centre-menu >/dev/null
press_until "VEK Desktop Menu" 2 vekctl wait-title "VEK Desktop - Settings" 0 || fail "the centre menu's third entry opened no Settings"
vekctl press-title "VEK Desktop - Settings" $IDOK
wait_closed "VEK Desktop - Settings"

click_until "$x5" "$y5" vekctl wait-title "Run" 0 || fail "the Run command opened no Run dialog"
dialogs() { vekctl count '#32770' | tr -d '\r'; }
for at in "$x5 $y5" "$x6 $y6"; do
  click_at $at
  sleep 2
  [ "$(dialogs)" = 1 ] || fail "a click at $at opened more over the Run dialog: $(dialogs) dialogs"
done
vekctl press-title "Run" $IDCANCEL || fail "could not cancel the Run dialog"
wait_closed "Run"
stop_dock
[ "$(item 0 | cut -d'|' -f2)" = "$name" ] || fail "Cancel changed the name to $(item 0)"
echo "system commands e2e passed"

#!/usr/bin/env bash
# The built-in "Modify User Name & User Icon" on a ring slot, given a small file that
# claims a vast picture (20000 x 20000 pixels, 1.6 MB of compressed white): the program
# refuses it at once with its message instead of decoding gigabytes, keeps the old
# picture, and goes on to the name question, where Cancel keeps the name. (The file's
# checksum does not matter: it is refused before anything reads that far.)
source "$(dirname "$0")/lib.sh"

vast="$E2E_OUT/vast.png"
# Every row compresses alike after a full flush, so one row's bytes stand for all.
python3 -c 'import struct, sys, zlib
w = 20000; row = b"\0" + b"\xff" * w * 4; c = zlib.compressobj(9)
rows = (c.compress(row) + c.flush(3)) + (c.compress(row) + c.flush(3)) * (w - 1) + c.flush()
part = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + part(b"IHDR", struct.pack(">IIBBBBB", w, w, 8, 6, 0, 0, 0))
                              + part(b"IDAT", rows) + part(b"IEND", b""))' "$vast"

reset_user_data
vekseed --command "4|66" || fail "could not prepare the configuration"
start_dock
name=$(item 0 | cut -d'|' -f2)
read -r x y <<<"$(slot 4)"
click_until "$x" "$y" vekctl wait-title "VEK Desktop - Change User Icon" 0 || fail "the command opened no file dialog"
file_dialog "VEK Desktop - Change User Icon" "$vast"
failed_box() { vekctl dialog-text "VEK Desktop" 0 2>/dev/null | grep -q "Change icon failed"; }
poll 20 failed_box || fail "no \"Change icon failed\" for the vast picture"
vekctl answer "VEK Desktop" ok
answer_input "Change User Name" "Someone" $IDCANCEL
[ ! -e "$ICON_DIR/User Icon.ico" ] || fail "a user picture was written from the vast file"
stop_dock
[ "$(item 0 | cut -d'|' -f2)" = "$name" ] || fail "Cancel changed the name to $(item 0)"
echo "user picture e2e passed"

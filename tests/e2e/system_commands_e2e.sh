#!/usr/bin/env bash
# The shell's Run dialog, opened by the built-in "Run" command, is modal like the
# program's own windows: while it is open, a click on the dock (on the same command, or
# on one that would ask a question) brings it to the front and opens nothing more.
source "$(dirname "$0")/lib.sh"

reset_user_data
vekseed --command "4|93" --command "5|103" || fail "could not prepare the configuration"
start_dock
read -r x4 y4 <<<"$(slot 4)"
read -r x5 y5 <<<"$(slot 5)"
click_until "$x4" "$y4" vekctl wait-title "Run" 0 || fail "the Run command opened no Run dialog"
dialogs() { vekctl count '#32770' | tr -d '\r'; }
for at in "$x4 $y4" "$x5 $y5"; do
  click_at $at
  sleep 2
  [ "$(dialogs)" = 1 ] || fail "a click at $at opened more over the Run dialog: $(dialogs) dialogs"
done
vekctl press-title "Run" $IDCANCEL || fail "could not cancel the Run dialog"
wait_closed "Run"
stop_dock
echo "system commands e2e passed"

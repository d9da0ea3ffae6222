#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the current harness session (CTest
# uses this as the cross-compiling emulator). Passes the program's exit code through.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no harness session (run the tests through tools/harness/with-session.sh)" >&2
  exit 125
fi
exec /usr/lib/wine/wine64 "$@"

#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test layer: the check that no
# include runs up a layer, native unit tests, Win32 tests and end-to-end tests under Wine
# in a private Xvfb, and the fuzzers for a bounded time. Exits non-zero when any layer fails.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
[ "$(id -u)" = 0 ] && tools/setup.sh
tools/build.sh || { echo "run-tests: the build failed" >&2; exit 1; }

status=0
run_layer() {  # run_layer NAME COMMAND...
  echo "=== $1 ==="
  if "${@:2}"; then echo "=== $1: passed ==="; else echo "=== $1: FAILED ===" >&2; status=1; fi
}
run_layer "layer check" tools/check-layers.py
run_layer "native unit tests" ctest --test-dir build/native --output-on-failure -j2
run_layer "Win32 and end-to-end tests under Wine" \
  tools/harness/with-session.sh build/win ctest --test-dir build/win --output-on-failure
if [ -d build/fuzz ] && ctest --test-dir build/fuzz -N 2>/dev/null | grep -q "Total Tests: [1-9]"; then
  run_layer "fuzzers" ctest --test-dir build/fuzz --output-on-failure
fi
exit $status

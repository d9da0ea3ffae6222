#!/usr/bin/env bash
# Runs a command inside a Wine + Xvfb session for a build folder and stops the session
# afterwards, also when the command fails:  with-session.sh BUILD_DIR COMMAND...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck disable=SC1091
source "$here/fixed-layout.sh"
build=${1:?usage: with-session.sh BUILD_DIR COMMAND...}
shift
"$here/session.sh" start "$build"
trap '"$here/session.sh" stop "$build"' EXIT
# shellcheck disable=SC1090,SC1091
source "$build/harness/session.env"
"$@"

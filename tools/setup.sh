#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the dock need (run as root on
# Debian 12). Installs only what is missing, so a second run costs nothing.
set -euo pipefail
packages=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  mingw-w64 wine64
  xvfb xcompmgr xdotool x11-utils x11-xserver-utils imagemagick
  fonts-liberation fonts-wine fonts-dejavu-core
  librsvg2-bin python3 procps
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

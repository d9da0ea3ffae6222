#!/usr/bin/env bash
# Configures and builds the native tree (portable core, unit tests, benchmarks), the
# Windows tree (VekDesktop.exe and its Wine tests, cross-built with mingw-w64) and,
# when clang is there, the fuzzers:  build.sh [native|win|fuzz]...
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VEK_JOBS:-2}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(native win fuzz)
for t in "${targets[@]}"; do
  case "$t" in
    native)
      cmake -S "$top" -B "$top/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
      cmake --build "$top/build/native" -j"$jobs" ;;
    win)
      cmake -S "$top" -B "$top/build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
      cmake --build "$top/build/win" -j"$jobs" ;;
    fuzz)
      if command -v clang++ >/dev/null; then
        CC=clang CXX=clang++ cmake -S "$top" -B "$top/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DVEK_FUZZ=ON -DBUILD_TESTING=OFF -DVEK_BENCH=OFF >/dev/null
        cmake --build "$top/build/fuzz" -j"$jobs"
      fi ;;
    *) echo "build.sh: unknown tree $t" >&2; exit 2 ;;
  esac
done

#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DKVORO_BUILD_TESTS=OFF >/dev/null
cmake --build build/windows --target kvoro
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine build/windows/kvoro.exe

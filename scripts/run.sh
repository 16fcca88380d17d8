#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine on the user's display.
set -euo pipefail
# Wine shows the window on an X display; without one the program could only
# fail to create its window, silently.
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: Kvoro needs a graphical display, and DISPLAY is not set." >&2
    echo "Start it from a desktop session, or on a virtual display with: xvfb-run scripts/run.sh" >&2
    exit 1
fi
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DKVORO_BUILD_TESTS=OFF >/dev/null
cmake --build build/windows --target kvoro
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine build/windows/kvoro.exe

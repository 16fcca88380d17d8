#!/usr/bin/env bash
# Builds everything and runs every test: the native tree (rules, layout
# arithmetic, asset checks) and the Windows tree under Wine, on an Xvfb display
# of its own. Exits non-zero when a test fails or none ran.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test || exit 1
jobs=$(nproc)
status=0

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
cmake --build build/native -j "$jobs" || exit 1
ctest --test-dir build/native --output-on-failure --no-tests=error -j "$jobs" || status=1

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake || exit 1
cmake --build build/windows -j "$jobs" || exit 1
# The release (Release program and installer) that the installer tests install.
cmake --build build/windows -j "$jobs" --target release || exit 1

display=99
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X${display}" ] && break
  sleep 0.1
done

DISPLAY=":${display}" ctest --test-dir build/windows --output-on-failure --no-tests=error -j 2 ||
  status=1
exit "$status"

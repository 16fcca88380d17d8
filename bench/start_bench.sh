#!/usr/bin/env bash
# Start-up benchmark: how long kvoro.exe takes from process start until its New
# Game dialog is visible, against a bare program that shows one empty window,
# under Wine on an Xvfb display of its own, both measured in the same run.
# Not a test: it prints figures and fails only when something does not start.
# bench/start_bench.sh [runs] [build folder]   (defaults: 15, build/windows)
set -euo pipefail
# The measurement runs on an Xvfb display of its own.
if [ -z "${KVORO_BENCH_DISPLAY:-}" ]; then
  KVORO_BENCH_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$(realpath "$0")" "$@"
fi
cd "$(dirname "$0")/.."
runs=${1:-15}
tree=${2:-build/windows}
[ -f "$tree/build.ninja" ] ||
  cmake -S . -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$tree" --target kvoro bare_window start_bench

# The tree's own prefix, as the tests leave it: made once, and without a
# window manager Wine must not wait for one to take the windows.
run="$tree/wine-run.sh"
"$run" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null
# The first start of each fills the caches; it is not counted.
"$run" "$tree/bench/win/start_bench.exe" 1 "$tree/kvoro.exe" "$tree/bench/win/bare_window.exe" >/dev/null
"$run" "$tree/bench/win/start_bench.exe" "$runs" "$tree/kvoro.exe" "$tree/bench/win/bare_window.exe"

#!/usr/bin/env bash
# Installs what Kvoro needs from Debian's packages, and nothing when it is all
# there. "run" is enough to build and start the game; "test" adds the test
# tools, the independent readers the asset checks use and the installer maker.
set -euo pipefail

run_packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
              wine wine64 fp-utils fonts-liberation)
test_packages=(googletest libgtest-dev libbenchmark-dev xvfb xauth ffmpeg sox icoutils libchm-bin
               wixl msitools liblnk-utils)

wanted=("${run_packages[@]}")
[ "${1:-test}" = run ] || wanted+=("${test_packages[@]}")

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the release under Wine as a player would, in the tree's own prefix:
# a quiet install, the program started from its shortcut's target, the
# installed-programs entry, the same installer again and a newer one (one entry
# each time), and the uninstall, which must leave the settings key alone.
# install_test.sh <wine-run> <wixl> <wxs> <msi> <release dir> <icon> <version> <vendor> <installed_check.exe>
set -uo pipefail
run=$1 wixl=$2 wxs=$3 msi=$4 release_dir=$5 icon=$6 version=$7 vendor=$8 check=$9
# Wine must not put menu entries for the shortcut into the user's own desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
settings="HKCU\\Software\\$vendor\\Kvoro"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
windows_path() { echo "Z:${1//\//\\}"; }
msiexec() { "$run" msiexec "$1" "$(windows_path "$2")" /qn >/dev/null; }
# The installed-programs entries named Kvoro, one version a line. Wine lists a
# per-user product under HKLM; Windows may use either root.
entries() {
  for root in HKLM HKCU; do
    "$run" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
  done | tr -d '\r' | awk 'function flush() { if (name == "Kvoro") print version; name = version = "" }
                           /^HKEY/ { flush() } $1 == "DisplayName" { name = $3 }
                           $1 == "DisplayVersion" { version = $3 } END { flush() }'
}
expect_entries() { [ "$(entries | tr '\n' ' ')" = "$1" ] || fail "$2: entries '$(entries | tr '\n' ' ')', expected '$1'"; }

msiexec /i "$msi" || fail "msiexec /i $msi"
expect_entries "$version " "installed"
"$run" "$check" installed || fail "the installed program"

msiexec /i "$msi" || fail "the same installer again"
expect_entries "$version " "the same installer again"

# A newer version of the same program, from the same installer source.
newer=${version%.*}.$((${version##*.} + 1))
(cd "$release_dir" && "$wixl" -a x64 -D Version="$newer" -D Vendor="$vendor" -D ExeFile=kvoro.exe \
   -D IconFile="$(realpath --relative-to=. "$icon")" -o "$work/newer.msi" "$wxs") || fail "wixl $newer"
msiexec /i "$work/newer.msi" || fail "installing $newer"
expect_entries "$newer " "after the upgrade to $newer"

# The settings key holds the player's settings and highscores; a value of the
# test's own stands for them.
"$run" reg add "$settings" /v InstallTest /t REG_DWORD /d 7 /f >/dev/null
msiexec /x "$work/newer.msi" || fail "msiexec /x"
expect_entries "" "after the uninstall"
"$run" "$check" removed || fail "what the uninstall left"
"$run" reg query "$settings" /v InstallTest | grep -q 0x7 || fail "the settings key did not survive the uninstall"
"$run" reg delete "$settings" /v InstallTest /f >/dev/null
exit $((failures > 0))

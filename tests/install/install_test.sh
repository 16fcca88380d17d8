#!/usr/bin/env bash
# Installs the release under Wine as a player would, in the tree's own prefix:
# a quiet install; the Start menu shortcut, its icon and the installed-programs
# entry with its version and icon, read with independent readers (lnkinfo,
# icotool); the program started from where the shortcut points, until its New
# Game dialog shows; the same installer again and a newer one (one entry each
# time); the uninstall, which must leave the settings key alone.
# install_test.sh <wine-run> <wixl> <wxs> <msi> <release dir> <icon> <version> <vendor>
#                 <start_bench.exe> <bare_window.exe> <window_picture.exe>
# Leaves installed_programs.png, the installed-programs list after the install.
set -uo pipefail
run=$1 wixl=$2 wxs=$3 msi=$4 release_dir=$5 icon=$6 version=$7 vendor=$8 start_bench=$9 bare=${10} picture=${11}
# Wine must not put menu entries for the shortcut into the user's own desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
in_wine() { "$run" "$@" | tr -d '\r'; }
unix_path() { in_wine winepath -u "$1"; }
msiexec() { "$run" msiexec "$1" "Z:${2//\//\\}" /qn >/dev/null; }
# The installed-programs entries named Kvoro, one version a line. Wine lists a
# per-user product under HKLM; Windows may use either root.
entries() {
  for root in HKLM HKCU; do
    in_wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
  done | awk 'function flush() { if (name == "Kvoro") print version; name = version = "" }
              /^HKEY/ { flush() } $1 == "DisplayName" { name = $3 }
              $1 == "DisplayVersion" { version = $3 } END { flush() }' | tr '\n' ' '
}
expect_entries() { [ "$(entries)" = "$1" ] || fail "$2: entries '$(entries)', expected '$1'"; }
has_icon() { [ -n "$1" ] && icotool -l "$(unix_path "$1")" 2>/dev/null | grep -q width; }

program="$(in_wine cmd /c echo %LOCALAPPDATA%)\\Programs\\Kvoro\\kvoro.exe"
link=$(unix_path "$(in_wine cmd /c echo %APPDATA%)\\Microsoft\\Windows\\Start Menu\\Programs\\Kvoro.lnk")
link_field() { lnkinfo "$link" 2>/dev/null | sed -n "s/^[[:space:]]*$1[[:space:]]*: //p"; }

msiexec /i "$msi" || fail "msiexec /i $msi"
expect_entries "$version " "installed"
target=$(link_field "Local path")
[ "${target,,}" = "${program,,}" ] || fail "the shortcut points at '$target', not at '$program'"
has_icon "$(link_field "Icon location")" || fail "the shortcut has no icon"
has_icon "$(in_wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s /v ProductIcon |
            sed -n 's/.*ProductIcon[[:space:]]*REG_SZ[[:space:]]*//p')" ||
  fail "the installed-programs entry has no icon"
# The start-up timer's launcher starts the program and waits for its New Game
# dialog (and for the bare window it compares with).
in_wine "$start_bench" 1 "$target" "$bare" || fail "the installed program did not show its New Game dialog"
# Wine's installed-programs list (appwiz.cpl) with the entry, kept for a person to look at.
"$run" control appwiz.cpl >/dev/null 2>&1 &
panel=$!
shown="Z:$(pwd | tr / '\\')\\installed_programs.png"
in_wine "$picture" "Add/Remove Programs" "$shown" || { fail "the installed-programs list did not show"; kill $panel; }
wait $panel

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
settings="HKCU\\Software\\$vendor\\Kvoro"
in_wine reg add "$settings" /v InstallTest /t REG_DWORD /d 7 /f >/dev/null
msiexec /x "$work/newer.msi" || fail "msiexec /x"
expect_entries "" "after the uninstall"
[ ! -e "$link" ] || fail "the shortcut is still there"
[ ! -e "$(unix_path "$program")" ] || fail "the program is still there"
in_wine reg query "$settings" /v InstallTest | grep -q 0x7 || fail "the settings key did not survive the uninstall"
in_wine reg delete "$settings" /v InstallTest /f >/dev/null
exit $((failures > 0))

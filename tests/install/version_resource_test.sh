#!/usr/bin/env bash
# Reads the version resource of the released kvoro.exe with icoutils' wrestool,
# independently of Windows, and compares it with the build's version: the fixed
# numbers and the texts the file's properties show.
# version_resource_test.sh <kvoro.exe> <version> <vendor>
set -euo pipefail
exe=$1 version=$2 vendor=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
raw=$work/version.res
wrestool -x --raw --type=16 "$exe" >"$raw"
status=0

# VS_FIXEDFILEINFO is dword-aligned and starts with the signature 0xFEEF04BD,
# then the structure's version, the file version and the product version
# (each a high and a low dword of two 16-bit fields).
mapfile -t words < <(od -An -tx4 -v -w4 "$raw" | tr -d ' ')
at=-1
for i in "${!words[@]}"; do [ "${words[i]}" = feef04bd ] && { at=$i; break; }; done
[ "$at" -ge 0 ] || { echo "FAIL: no fixed version information"; exit 1; }
dotted() { echo "$((16#${1:0:4})).$((16#${1:4:4})).$((16#${2:0:4})).$((16#${2:4:4}))"; }
for field in "file $((at + 2))" "product $((at + 4))"; do
  set -- $field
  got=$(dotted "${words[$2]}" "${words[$2 + 1]}")
  [ "$got" = "$version.0" ] || { echo "FAIL: $1 version $got, expected $version.0"; status=1; }
done

# The string table: each name is followed by its value.
strings -el "$raw" >"$work/strings.txt"
for pair in "FileVersion=$version" "ProductVersion=$version" "ProductName=Kvoro" \
            "FileDescription=Kvoro dice game" "OriginalFilename=kvoro.exe" "CompanyName=$vendor"; do
  got=$(grep -x -A1 -- "${pair%%=*}" "$work/strings.txt" | sed -n 2p)
  [ "$got" = "${pair#*=}" ] || { echo "FAIL: ${pair%%=*} is '$got', expected '${pair#*=}'"; status=1; }
done
exit "$status"

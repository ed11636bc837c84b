#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests tools/lib/release-zip, the step that makes the release zips reproducible, in a second: the same files
# copied elsewhere at another time, under another umask, time zone and working folder give the same bytes, with
# exactly the expected entries, times and modes; bad calls fail and leave an existing zip as it was.
#   tests/packaging/release_zip_test.sh       (ctest runs it in the windows preset)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tests/packaging/signing-bed
source "$here/signing-bed"
BED=$(mktemp -d)
trap 'rm -rf -- "$BED"' EXIT
zip_tool=$root/tools/lib/release-zip
"$root/tools/lib/ensure-packages" unzip
export SOURCE_DATE_EPOCH=1700000000

mkdir "$BED/one" "$BED/two" "$BED/out"
printf 'MZ module\n' >"$BED/one/BrindtSysQuery.dll"
printf 'MZ control\n' >"$BED/one/BrindtSysInfo.ocx"
printf 'text\r\n' >"$BED/one/INSTALL.txt"
cp "$BED"/one/* "$BED/two/"
chmod 600 "$BED/two/INSTALL.txt"
touch -d '2001-02-03 04:05:06' "$BED/two"/*

ok "zips three files" "$zip_tool" "$BED/out/BrindtSysInfo-1.2.3.4-x64.zip" "$BED"/one/*
mv "$BED/out/BrindtSysInfo-1.2.3.4-x64.zip" "$BED/first.zip"
again() {
  (cd "$BED/two" && umask 077 && TZ=America/New_York "$zip_tool" ../out/BrindtSysInfo-1.2.3.4-x64.zip \
    INSTALL.txt BrindtSysQuery.dll BrindtSysInfo.ocx)
}
ok "zips them again from elsewhere, in another order, umask and time zone" again
ok "both zips are the same bytes" cmp "$BED/first.zip" "$BED/out/BrindtSysInfo-1.2.3.4-x64.zip"

# One folder, sorted entries, each a plain file of mode 644 with the epoch's time (2023-11-14 22:13:20 UTC).
expected=$(printf '%s\n' "-rw-r--r-- 20231114.221320 BrindtSysInfo-1.2.3.4-x64/BrindtSysInfo.ocx" \
  "-rw-r--r-- 20231114.221320 BrindtSysInfo-1.2.3.4-x64/BrindtSysQuery.dll" \
  "-rw-r--r-- 20231114.221320 BrindtSysInfo-1.2.3.4-x64/INSTALL.txt")
entries() { TZ=UTC zipinfo -T "$BED/first.zip" | awk 'NF == 8 {print $1, $7, $8}'; }
ok "the entries, their modes and times" diff <(echo "$expected") <(entries)
extra_fields() { zipinfo -v "$BED/first.zip" | grep -E 'length of extra field: +[1-9]'; }
ok "no extra fields" not extra_fields

# refused WHAT PATTERN ARGS...: release-zip fails saying PATTERN, and the zip made before is unchanged.
refused() {
  local pattern=$1 out
  shift
  cp "$BED/first.zip" "$BED/out/kept.zip"
  if out=$("$zip_tool" "$BED/out/kept.zip" "$@" 2>&1); then
    echo "release-zip succeeded"
    return 1
  fi
  echo "$out"
  grep -q "$pattern" <<<"$out" && cmp "$BED/first.zip" "$BED/out/kept.zip" && [ "$(ls -A "$BED/out")" = "$(
    printf 'BrindtSysInfo-1.2.3.4-x64.zip\nkept.zip')" ]
}
ok "a missing file" refused 'no such file' "$BED/one/INSTALL.txt" "$BED/one/missing.dll"
ok "two files of one name" refused 'two files are named INSTALL.txt' "$BED/one/INSTALL.txt" "$BED/two/INSTALL.txt"
SOURCE_DATE_EPOCH=yesterday ok "no epoch" refused 'SOURCE_DATE_EPOCH' "$BED/one/INSTALL.txt"

finish release_zip_test

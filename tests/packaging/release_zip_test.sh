#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests tools/lib/release-zip in a second: the same files, copied elsewhere at another time and zipped in another
# order, umask, time zone and working folder, give the same bytes, with exactly the expected entries, times and
# modes and no extra fields.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/bed.sh"
new_bed "${TMPDIR:-/tmp}"
zip_tool=$here/../../tools/lib/release-zip zip=BrindtSysInfo-1.2.3.4-x64.zip
"$here/../../tools/lib/ensure-packages" unzip
export SOURCE_DATE_EPOCH=1700000000  # 2023-11-14 22:13:20 UTC
mkdir "$BED/one" "$BED/two"
printf 'MZ module\n' >"$BED/one/BrindtSysQuery.dll"
printf 'text\r\n' >"$BED/one/INSTALL.txt"
cp "$BED"/one/* "$BED/two/"
chmod 600 "$BED/two/INSTALL.txt"
touch -d '2001-02-03 04:05:06' "$BED/two"/*
ok "zips two files" "$zip_tool" "$BED/one/$zip" "$BED"/one/*
again() (cd "$BED/two" && umask 077 && TZ=America/New_York "$zip_tool" "$zip" INSTALL.txt BrindtSysQuery.dll)
ok "zips them again from elsewhere, in another order, umask and time zone" again
ok "both zips are the same bytes" cmp "$BED/one/$zip" "$BED/two/$zip"
ok "one folder, sorted entries of mode 644 with the epoch's time" diff - <(TZ=UTC zipinfo -T "$BED/one/$zip" |
  awk 'NF == 8 {print $1, $7, $8}') <<'END'
-rw-r--r-- 20231114.221320 BrindtSysInfo-1.2.3.4-x64/BrindtSysQuery.dll
-rw-r--r-- 20231114.221320 BrindtSysInfo-1.2.3.4-x64/INSTALL.txt
END
ok "no extra fields" not grep -E 'length of extra field: +[1-9]' <(zipinfo -v "$BED/one/$zip")
finish release_zip_test

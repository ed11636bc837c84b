#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that a release is reproducible: runs tools/package twice, unsigned, each time building in a temporary
# folder of another name and length, and compares the two release folders file by file (cmp), showing the first
# difference; a zip that differs is opened and its first differing entry shown. The modules' PE time stamps must
# be the commit's. MSIs are compared and their difference reported, but do not fail the check (see the README).
#   tests/packaging/reproducible.sh [WORK_DIR]   (default: a new folder under TMPDIR, removed at the end)
# Builds both bitnesses twice from scratch: many CPU-minutes. Run by hand, not by ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
case "${1:-}" in
  -h | --help) sed -n '3,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
esac
if [ -n "${1:-}" ]; then
  work=$(mkdir -p "$1" && cd "$1" && pwd)
else
  work=$(mktemp -d)
  trap 'rm -rf -- "$work"' EXIT
fi
"$root/tools/lib/ensure-packages" unzip

a=$work/a/dist
b=$work/b/dist
mkdir -p "$work/a/tmp" "$work/b/a-longer-folder-name/tmp"
for run in "$work/a/tmp:$a" "$work/b/a-longer-folder-name/tmp:$b"; do
  TMPDIR=${run%%:*} BSI_SIGN_PFX='' BSI_SIGN_PASSWORD_FILE='' "$root/tools/package" --out "${run#*:}"
done

failures=0
fail() { echo "DIFFERENT: $*"; failures=$((failures + 1)); }
if [ "$(ls "$a")" != "$(ls "$b")" ]; then
  fail "the two folders hold other files:"
  diff <(ls "$a") <(ls "$b") || true
fi
for file in "$a"/*; do
  name=$(basename "$file")
  [ -f "$b/$name" ] || continue
  if cmp -s "$file" "$b/$name"; then
    echo "identical: $name"
    continue
  fi
  case "$name" in
    *.zip)
      fail "$name: $(cmp "$file" "$b/$name" || true)"
      rm -rf "$work/x" "$work/y"
      unzip -q "$file" -d "$work/x" && unzip -q "$b/$name" -d "$work/y"
      (cd "$work/x" && find . -type f | sort) | while read -r entry; do
        cmp "$work/x/$entry" "$work/y/$entry" && continue
        echo "    first differing entry: $entry"
        break
      done
      ;;
    *.msi)
      echo "differ (not failing): $name: $(cmp "$file" "$b/$name" || true)"
      if command -v msiinfo >/dev/null; then
        diff <(msiinfo suminfo "$file") <(msiinfo suminfo "$b/$name") | sed 's/^/    /' || true
      fi
      ;;
    SHA256SUMS)
      if diff <(grep -v '\.msi$' "$file") <(grep -v '\.msi$' "$b/$name") >/dev/null; then
        echo "differ (not failing): SHA256SUMS, in the MSIs' lines only"
      else
        fail "SHA256SUMS: $(cmp "$file" "$b/$name" || true)"
      fi
      ;;
    *) fail "$name: $(cmp "$file" "$b/$name" || true)" ;;
  esac
done

# The modules carry the commit's time, not the build's: ld took it from SOURCE_DATE_EPOCH. The COFF header's
# TimeDateStamp lies 8 bytes after the PE signature, whose offset is at 0x3c.
epoch=$(git -C "$root" log -1 --format=%ct)
rm -rf "$work/x"
for zip in "$a"/*.zip; do unzip -q "$zip" -d "$work/x"; done
while read -r module; do
  pe=$(od -An -tu4 -j60 -N4 "$module")
  got=$(od -An -tu4 -j$((pe + 8)) -N4 "$module")
  [ "${got// /}" = "$epoch" ] || fail "${module#"$work"/x/}: PE time stamp ${got// /}, not the commit's $epoch"
done < <(find "$work/x" -name '*.ocx' -o -name '*.dll' -o -name '*.exe')

echo "reproducible: $failures difference(s) that count"
[ "$failures" -eq 0 ]

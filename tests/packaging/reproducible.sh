#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that a release is reproducible: tools/package twice on the commit HEAD names when it starts, unsigned,
# building in temporary folders of other names and lengths; every file of the two release folders (MSIs, zips,
# SHA256SUMS) must be the same bytes, and the modules' PE time stamps the commit's. A zip that differs shows its
# first differing entry.
#   tests/packaging/reproducible.sh [WORK_DIR]   (default: a new folder under TMPDIR, removed at the end)
# Builds both bitnesses twice from scratch: many CPU-minutes. Run by hand, not by ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-}
[ -n "$work" ] || { work=$(mktemp -d) && trap 'rm -rf -- "$work"' EXIT; }
"$root/tools/lib/ensure-packages" unzip
commit=$(git -C "$root" rev-parse HEAD) a=$work/a/dist b=$work/b/dist failures=0
mkdir -p "$work/a/tmp" "$work/b/a-longer-folder-name/tmp"
for run in "$work/a/tmp:$a" "$work/b/a-longer-folder-name/tmp:$b"; do
  TMPDIR=${run%%:*} BSI_SIGN_PFX='' BSI_SIGN_PASSWORD_FILE='' "$root/tools/package" --commit "$commit" --out "${run#*:}"
done
fail() { echo "DIFFERENT: $*"; failures=$((failures + 1)); }
diff <(ls "$a") <(ls "$b") || fail "the two folders hold other files"
for file in "$a"/*; do
  name=$(basename "$file")
  cmp -s "$file" "$b/$name" && echo "identical: $name" && continue
  fail "$name: $(cmp "$file" "$b/$name")"
  [[ $name != *.msi ]] || diff <(msiinfo suminfo "$file") <(msiinfo suminfo "$b/$name") || true
  [[ $name != *.zip ]] || { rm -rf "$work/x" "$work/y" && unzip -q "$file" -d "$work/x" &&
    unzip -q "$b/$name" -d "$work/y" && diff -rq "$work/x" "$work/y"; } || true
done
# ld took the modules' COFF TimeDateStamp (8 bytes after the PE signature, whose offset is at 0x3c) from
# SOURCE_DATE_EPOCH, the commit's time.
epoch=$(git -C "$root" log -1 --format=%ct "$commit")
rm -rf "$work/x" && for zip in "$a"/*.zip; do unzip -q "$zip" -d "$work/x"; done
for module in "$work"/x/*/*.{ocx,dll,exe}; do
  stamp=$(od -An -tu4 -j$(($(od -An -tu4 -j60 -N4 "$module") + 8)) -N4 "$module" | tr -d ' ')
  [ "$stamp" = "$epoch" ] || fail "${module#"$work"/x/}: PE time stamp $stamp, not the commit's $epoch"
done
echo "reproducible.sh: $failures difference(s)"
[ "$failures" -eq 0 ]

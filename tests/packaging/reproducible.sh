#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that a release is reproducible: runs tools/package twice on the commit HEAD names when it starts (so
# committing meanwhile changes nothing), unsigned, building in temporary folders of other names and lengths, and
# compares the two release folders file by file (cmp), showing the first difference and, in a zip, the first
# entry that differs. The modules' PE time stamps must be the commit's. MSIs (and their
# lines in SHA256SUMS) are compared and reported but do not fail the check: wixl stamps them (see the README).
#   tests/packaging/reproducible.sh [WORK_DIR]   (default: a new folder under TMPDIR, removed at the end)
# Builds both bitnesses twice from scratch: many CPU-minutes. Run by hand, not by ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
case "${1:-}" in
  -h | --help) sed -n '3,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
esac
work=${1:-}
[ -n "$work" ] || { work=$(mktemp -d) && trap 'rm -rf -- "$work"' EXIT; }
"$root/tools/lib/ensure-packages" unzip
commit=$(git -C "$root" rev-parse HEAD)
a=$work/a/dist b=$work/b/dist
mkdir -p "$work/a/tmp" "$work/b/a-longer-folder-name/tmp"
for run in "$work/a/tmp:$a" "$work/b/a-longer-folder-name/tmp:$b"; do
  TMPDIR=${run%%:*} BSI_SIGN_PFX='' BSI_SIGN_PASSWORD_FILE='' "$root/tools/package" --commit "$commit" --out "${run#*:}"
done

failures=0
fail() { echo "DIFFERENT: $*"; failures=$((failures + 1)); }
diff <(ls "$a") <(ls "$b") || fail "the two folders hold other files"
for file in "$a"/*; do
  name=$(basename "$file") other=$b/$(basename "$file")
  if cmp -s "$file" "$other"; then
    echo "identical: $name"
  elif [[ $name == *.msi ]]; then
    echo "differ (not failing): $name: $(cmp "$file" "$other")"
    ! command -v msiinfo >/dev/null || diff <(msiinfo suminfo "$file") <(msiinfo suminfo "$other") | sed 's/^/    /'
  elif [ "$name" = SHA256SUMS ] && cmp -s <(grep -v '\.msi$' "$file") <(grep -v '\.msi$' "$other"); then
    echo "differ (not failing): SHA256SUMS, in the MSIs' lines only"
  else
    fail "$name: $(cmp "$file" "$other")"
    if [[ $name == *.zip ]]; then
      rm -rf "$work/x" "$work/y" && unzip -q "$file" -d "$work/x" && unzip -q "$other" -d "$work/y"
      for entry in $(cd "$work/x" && find . -type f -printf "%P\n" | sort); do
        cmp "$work/x/$entry" "$work/y/$entry" || break
      done
    fi
  fi
done

# ld took the modules' COFF TimeDateStamp (8 bytes after the PE signature, whose offset is at 0x3c) from
# SOURCE_DATE_EPOCH, the commit's time.
epoch=$(git -C "$root" log -1 --format=%ct "$commit")
rm -rf "$work/x" && for zip in "$a"/*.zip; do unzip -q "$zip" -d "$work/x"; done
for module in "$work"/x/*/*.{ocx,dll,exe}; do
  stamp=$(od -An -tu4 -j$(($(od -An -tu4 -j60 -N4 "$module") + 8)) -N4 "$module" | tr -d ' ')
  [ "$stamp" = "$epoch" ] || fail "${module#"$work"/x/}: PE time stamp $stamp, not the commit's $epoch"
done
echo "reproducible.sh: $failures difference(s) that count"
[ "$failures" -eq 0 ]

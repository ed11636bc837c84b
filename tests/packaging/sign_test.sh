#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests tools/sign on copies of both bitnesses' modules with a throwaway PKI and time-stamping server (bed.sh):
# signatures and time stamps verify, tampering is seen, every failure leaves the files as they were, and the
# signed modules still register and run under Wine.
#   tests/packaging/sign_test.sh [X64_BIN_DIR [X86_BIN_DIR]]   (default: build/windows/bin, build/windows-x86/bin)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
x64=${1:-$root/build/windows/bin} x86=${2:-$root/build/windows-x86/bin}
source "$here/bed.sh"
modules=(BrindtSysInfo.ocx BrindtSysQuery.dll)
built windows "$x64" "${modules[@]}" ocx_control_test.exe
built windows-x86 "$x86" "${modules[@]}"
new_bed "$(dirname "$x64")"
signing_bed
export BSI_SIGN_PFX=$BED_PFX BSI_SIGN_PASSWORD_FILE=$BED_PASSWORD BSI_SIGN_TIMESTAMP_URL=$BED_TSA_URL \
  BSI_SIGN_CA_FILE=$BED_ROOTS
mkdir "$BED/x64" "$BED/x86" "$BED/refused"
cp "${modules[@]/#/$x64/}" "$BED/x64/"
cp "${modules[@]/#/$x86/}" "$BED/x86/"

# verified FILE: its signature and its time stamp chain to the test's roots.
verified() {
  osslsigncode verify -in "$1" -CAfile "$BED_ROOTS" -TSA-CAfile "$BED_ROOTS" 2>&1 | tee /dev/stderr |
    grep -cx -e 'Signature verification: ok' -e 'Timestamp Server Signature verification: ok' | grep -qx 2
}
ok "tools/sign signs both bitnesses' modules in one call" "$root/tools/sign" "$BED"/x64/* "$BED"/x86/*
for file in "$BED"/x64/* "$BED"/x86/*; do ok "${file#"$BED"/} verifies with its time stamp" verified "$file"; done
cp "$BED/x64/BrindtSysQuery.dll" "$BED/tampered.dll"
printf 'changed' | dd of="$BED/tampered.dll" bs=1 seek=$(($(stat -c %s "$BED/tampered.dll") / 2)) conv=notrunc \
  status=none
ok "a module changed after signing fails verification" not verified "$BED/tampered.dll"

# refused SETTING PATTERN FILE...: with the variable SETTING (NAME=VALUE), tools/sign fails with a message
# matching PATTERN and leaves every FILE as it was, with nothing of its own beside them.
refused() {
  local before out
  before=$(sha256sum "${@:3}")
  out=$(export "$1" && "$root/tools/sign" "${@:3}" 2>&1) && { echo "$out"$'\ntools/sign succeeded'; return 1; }
  echo "$out"
  grep -qiE "$2" <<<"$out" && [ "$(sha256sum "${@:3}")" = "$before" ] && ! compgen -G "$BED/refused/.sign.*"
}
target=$BED/refused/BrindtSysQuery.dll
cp "$x64/BrindtSysQuery.dll" "$target"
echo 'no module' >"$BED/refused/readme.dll"
echo 'not the pass phrase' >"$BED/wrong-password"
while IFS='|' read -r what setting pattern; do
  ok "$what" refused "$setting" "$pattern" "$target"
done <<EOF
a wrong password|BSI_SIGN_PASSWORD_FILE=$BED/wrong-password|cannot sign
a PFX without a password|BSI_SIGN_PASSWORD_FILE=|BSI_SIGN_PASSWORD_FILE
an expired certificate|BSI_SIGN_PFX=$BED_EXPIRED_PFX|expired
an untrusted certificate|BSI_SIGN_CA_FILE=$BED_TSA_ROOT|does not verify
a time stamp of an untrusted authority|BSI_SIGN_CA_FILE=$BED_SIGNING_ROOT|time stamp
no time stamp from the server|BSI_SIGN_TIMESTAMP_URL=$BED_TSA_URL/none|cannot sign
EOF
ok "a file that is no module, after a good one" refused BSI_SIGN_PFX="$BED_PFX" readme.dll "$target" \
  "$BED/refused/readme.dll"

# Without a certificate: one notice on stderr for the whole call, exit 0, nothing changed.
unsigned() {
  local before out
  before=$(sha256sum "$@")
  out=$(BSI_SIGN_PFX='' BSI_SIGN_PASSWORD_FILE='' "$root/tools/sign" "$@" 2>&1 >/dev/null) || { echo "$out"; return 1; }
  echo "$out"
  [[ $out == *unsigned* && $out != *$'\n'* ]] && [ "$(sha256sum "$@")" = "$before" ]
}
ok "no PFX: one notice, files unchanged" unsigned "$target" "$BED/refused/readme.dll"

# The signed copies still load: a fresh Wine bed registers both bitnesses' (regsvr32 loads each module), the x64
# control opens its window from a script (ocx_control_test --script drives cscript), the x86 query library answers
# a script.
cp "$x64/ocx_control_test.exe" "$x64/ocx_client.vbs" "$BED/x64/"
script=$root/tests/win32/sysquery_late_bound.vbs
# shellcheck disable=SC2016 # the inner shell expands them
ok "the signed modules register and run under Wine" "$root/tools/lib/wine-bed" "$BED/x64:$BED/x86" bash -c \
  '"$1/tools/lib/wine-run" "$2/ocx_control_test.exe" --script &&
  "$1/tools/lib/wine-run" "C:\\windows\\syswow64\\cscript.exe" //Nologo "$3"' - "$root" "$BED/x64" "Z:${script//\//\\}"
finish sign_test

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests tools/sign on copies of both bitnesses' modules with a throwaway PKI and time-stamping server
# (tests/packaging/signing-bed), then runs the signed modules under Wine.
#   tests/packaging/sign_test.sh [X64_BIN_DIR [X86_BIN_DIR]]   (default: build/windows/bin, build/windows-x86/bin)
# Builds the modules it needs when they are missing. ctest runs it in the windows preset.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
x64=${1:-$root/build/windows/bin}
x86=${2:-$root/build/windows-x86/bin}
# shellcheck source=tests/packaging/signing-bed
source "$here/signing-bed"

modules=(BrindtSysInfo.ocx BrindtSysQuery.dll)
built windows "$x64" "${modules[@]}" ocx_script_test.exe
built windows-x86 "$x86" "${modules[@]}"
signing_bed "$(dirname "$x64")"
export BSI_SIGN_PFX=$BED_PFX BSI_SIGN_PASSWORD_FILE=$BED_PASSWORD BSI_SIGN_TIMESTAMP_URL=$BED_TSA_URL \
  BSI_SIGN_CA_FILE=$BED_ROOTS
mkdir "$BED/x64" "$BED/x86" "$BED/refused"
for module in "${modules[@]}"; do
  cp "$x64/$module" "$BED/x64/"
  cp "$x86/$module" "$BED/x86/"
done

# verified FILE: its signature and its time stamp chain to the test's roots.
verified() {
  local out
  out=$(osslsigncode verify -in "$1" -CAfile "$BED_ROOTS" -TSA-CAfile "$BED_ROOTS" 2>&1) || { echo "$out"; return 1; }
  echo "$out"
  grep -qx 'Signature verification: ok' <<<"$out" && grep -qx 'Timestamp Server Signature verification: ok' <<<"$out"
}

# refused PATTERN FILE...: tools/sign fails with a message matching PATTERN and leaves every FILE as it was, with
# nothing of its own beside them.
refused() {
  local pattern=$1 before out
  shift
  before=$(sha256sum "$@")
  if out=$("$root/tools/sign" "$@" 2>&1); then
    echo "$out"$'\ntools/sign succeeded'
    return 1
  fi
  echo "$out"
  grep -qiE "$pattern" <<<"$out" && [ "$(sha256sum "$@")" = "$before" ] &&
    ! compgen -G "$BED/refused/.sign.*" >/dev/null
}

# Both bitnesses in one call, each module verified with its time stamp.
ok "tools/sign signs four modules" "$root/tools/sign" "$BED"/x64/* "$BED"/x86/*
for file in "$BED"/x64/* "$BED"/x86/*; do
  ok "${file#"$BED"/} verifies with its time stamp" verified "$file"
done
tampered=$BED/tampered.dll
cp "$BED/x64/BrindtSysQuery.dll" "$tampered"
printf 'changed' | dd of="$tampered" bs=1 seek=$(($(stat -c %s "$tampered") / 2)) conv=notrunc status=none
ok "a module changed after signing fails verification" not verified "$tampered"

# Every failure leaves the files untouched: one good module, alone or beside a file that cannot be signed.
target=$BED/refused/BrindtSysQuery.dll
cp "$x64/BrindtSysQuery.dll" "$target"
echo 'no module' >"$BED/refused/readme.dll"
echo 'not the pass phrase' >"$BED/wrong-password"
BSI_SIGN_PASSWORD_FILE=$BED/wrong-password ok "a wrong password" refused 'cannot sign' "$target"
BSI_SIGN_PASSWORD_FILE='' ok "a PFX without a password" refused 'BSI_SIGN_PASSWORD_FILE' "$target"
BSI_SIGN_PFX=$BED_EXPIRED_PFX ok "an expired certificate" refused 'expired' "$target"
BSI_SIGN_CA_FILE=$BED_TSA_ROOT ok "an untrusted certificate" refused 'does not verify' "$target"
BSI_SIGN_CA_FILE=$BED_SIGNING_ROOT ok "a time stamp of an untrusted authority" refused 'time stamp' "$target"
BSI_SIGN_TIMESTAMP_URL=$BED_TSA_URL/none ok "no time stamp from the server" refused 'cannot sign' "$target"
ok "a file that is no module, after a good one" refused 'readme.dll' "$target" "$BED/refused/readme.dll"

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
# control opens its window from a script (ocx_script_test drives cscript), the x86 query library answers a script.
cp "$x64/ocx_script_test.exe" "$x64/ocx_client.vbs" "$BED/x64/"
script=$root/tests/win32/sysquery_late_bound.vbs
in_wine() {
  # shellcheck disable=SC2016 # the inner shell expands them
  "$root/tools/lib/wine-bed" "$BED/x64:$BED/x86" bash -c '"$1/tools/lib/wine-run" "$2/ocx_script_test.exe" &&
    "$1/tools/lib/wine-run" "C:\\windows\\syswow64\\cscript.exe" //Nologo "$3"' \
    - "$root" "$BED/x64" "Z:${script//\//\\}"
}
ok "the signed modules register and run under Wine" in_wine

finish sign_test

# SPDX-License-Identifier: MIT
# Sourced by the packaging tests: a check harness, the modules they need, a throwaway signing set-up.
#   ok WHAT COMMAND...      runs COMMAND, its output in $BED/last.log; a failure is counted and its output shown
#   not COMMAND...          succeeds when COMMAND fails;  finish NAME: the summary, status 1 after any failure
#   built PRESET BIN FILE...  builds the targets (file name less extension) of the FILEs missing from BIN
#   new_bed PARENT          a new folder $BED under PARENT, removed on exit with the server below
#   signing_bed             in $BED/pki: $BED_PFX and $BED_PASSWORD (code-signing certificate, key, password),
#                           $BED_EXPIRED_PFX (same key, expired), issued by $BED_SIGNING_ROOT; a time-stamping
#                           certificate of a second CA $BED_TSA_ROOT behind $BED_TSA_URL (timestamp_server.py on
#                           127.0.0.1, answering on "/" only); $BED_ROOTS trusts both CAs
# shellcheck shell=bash disable=SC2034
bed_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BED= bed_server= bed_checks=0 bed_failures=0

bed_end() {
  local status=$?
  [ -z "$bed_server" ] || { kill "$bed_server" && wait "$bed_server"; } 2>/dev/null || true
  [ -z "$BED" ] || rm -rf "$BED"
  exit "$status"
}
new_bed() { BED=$(mktemp -d "$1/packaging-test.XXXXXX") && trap bed_end EXIT; }

ok() {
  local what=$1
  shift
  bed_checks=$((bed_checks + 1))
  "$@" >"$BED/last.log" 2>&1 && return
  bed_failures=$((bed_failures + 1))
  echo "FAIL: $what" >&2
  tail -n 30 "$BED/last.log" | sed 's/^/    /' >&2
}
not() { ! "$@"; }
finish() {
  echo "$1: $bed_checks checks ($bed_failures failures)"
  [ "$bed_failures" -eq 0 ]
}

built() {
  local preset=$1 dir=$2 file targets=()
  shift 2
  for file; do [ -e "$dir/$file" ] || targets+=("${file%.*}"); done
  [ ${#targets[@]} -eq 0 ] && return
  echo "building ${targets[*]} ($preset)"
  (cd "$bed_here/../.." && cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" -j 2 --target "${targets[@]}" >/dev/null)
}

# bed_cert NAME ISSUER DAYS EKU: NAME.pem for the key KEY.key (NAME less a leading "expired-"), issued by
# ISSUER for DAYS days (negative: expired) with the extended key usage EKU; ISSUER "-": a self-signed CA.
bed_cert() {
  local key=${1#expired-}
  [ -e "$key.key" ] || openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$key.key"
  if [ "$2" = - ]; then
    openssl req -x509 -key "$key.key" -out "$1.pem" -days 2 -subj "/CN=Brindt test $1" \
      -addext 'basicConstraints=critical,CA:true' -addext 'keyUsage=critical,keyCertSign'
  else
    openssl req -new -key "$key.key" -subj "/CN=Brindt test $key" | openssl x509 -req -CA "$2.pem" \
      -CAkey "$2.key" -set_serial "0x$(openssl rand -hex 8)" -days "$3" -out "$1.pem" -extfile <(printf \
      'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$4")
  fi
}

signing_bed() {
  local pki=$BED/pki
  mkdir "$pki"
  (
    cd "$pki" && exec 2>/dev/null
    bed_cert signing-root - && bed_cert tsa-root - && bed_cert signer signing-root 2 codeSigning &&
      bed_cert expired-signer signing-root -1 codeSigning && bed_cert tsa tsa-root 2 critical,timeStamping
    echo 'a pass phrase with spaces' >password
    for name in signer expired-signer; do
      openssl pkcs12 -export -inkey signer.key -in "$name.pem" -passout file:password -out "$name.pfx"
    done
    cat signing-root.pem tsa-root.pem >roots.pem
    echo 01 >tsa.serial
    printf '%s\n' '[tsa]' 'default_tsa = answer' '[answer]' "serial = $pki/tsa.serial" 'signer_digest = sha256' \
      'default_policy = 1.2.3.4.1' 'digests = sha256' 'accuracy = secs:1' 'ess_cert_id_alg = sha256' >tsa.cnf
  )
  BED_PFX=$pki/signer.pfx BED_EXPIRED_PFX=$pki/expired-signer.pfx BED_PASSWORD=$pki/password
  BED_SIGNING_ROOT=$pki/signing-root.pem BED_TSA_ROOT=$pki/tsa-root.pem BED_ROOTS=$pki/roots.pem
  python3 "$bed_here/timestamp_server.py" "$pki"/tsa.{cnf,key,pem} >"$pki/tsa.port" 2>"$pki/tsa.log" &
  bed_server=$!
  for _ in $(seq 50); do
    [ -s "$pki/tsa.port" ] && break
    kill -0 "$bed_server" 2>/dev/null || { cat "$pki/tsa.log" >&2; return 1; }
    sleep 0.1
  done
  BED_TSA_URL=http://127.0.0.1:$(head -n 1 "$pki/tsa.port")
}

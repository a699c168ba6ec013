#!/bin/bash
# The signed release, made with a throwaway certificate authority and
# code-signing certificate that this test makes: both programs and the game
# inside setup verify against that authority, a second signing run gives
# the same bytes, the signing time is the commit's, the PE checks pass on
# the signed programs, check-release finds them to be this build, and it
# and the verification refuse a byte changed after signing and a setup
# packed with the unsigned game. Leaves the signed release in
# signed/release of the build for the Wine install case.
#   signed-release.sh SOURCE_DIR I686_BUILD_DIR NATIVE_BUILD_DIR WORK_DIR
set -euo pipefail

source_dir=$1 build=$2 native=$3 work=$4
fail() { echo "signed-release: $*" >&2; exit 1; }
[ -f "$build/game/win32/Zendaro.exe" ] || fail "$build is not built (make i686)"
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# ---- the throwaway authority and its code-signing certificate ----
# The certificate is valid from long before the commit, whose time is the
# signing time, to long after it.
cat >ca.cnf <<'CONF'
[ca]
default_ca = test_ca
[test_ca]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
[signer]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CONF
: >index.txt && echo 01 >serial
{
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj "/CN=Zendaro Test CA" \
    -days 36500 -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign"
  openssl req -new -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Zendaro Test Signer"
  openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in signer.csr -out signer.pem \
    -startdate 20000101000000Z -enddate 20991231000000Z -extensions signer -notext
  printf 'a password with spaces' >password.txt
  openssl pkcs12 -export -in signer.pem -inkey signer.key -certfile ca.pem -out signer.p12 \
    -passout file:password.txt
} >openssl.log 2>&1 || { cat openssl.log >&2; fail "openssl could not make the test certificates"; }

# ---- two signing runs, a second apart ----
"$source_dir/scripts/sign-release" "$build" one signer.p12 password.txt
sleep 1
"$source_dir/scripts/sign-release" "$build" two signer.p12 password.txt
for program in Zendaro.exe setup.exe; do
  cmp one/$program two/$program || fail "two signing runs gave different $program"
done
echo "same bytes from two signing runs"

# ---- verification against the authority; the signing time ----
"$native/tests/pe/zendaro-pe-resource" one/setup.exe BINARY 113 >inside.exe
commit_time=$(git -C "$source_dir" log -1 --format=%ct)
expected_time=$(LC_ALL=C date -u -d "@$commit_time" '+%b %e %H:%M:%S %Y GMT')
for file in one/Zendaro.exe one/setup.exe inside.exe; do
  osslsigncode verify -CAfile ca.pem -in "$file" >verify.log 2>&1 ||
    { cat verify.log >&2; fail "$file does not verify"; }
  grep -q "Message digest algorithm  : SHA256" verify.log || fail "$file: not a SHA-256 signature"
  grep -q "Signing time: $expected_time" verify.log ||
    { grep -i "signing time" verify.log >&2; fail "$file: signing time is not the commit's ($expected_time)"; }
  echo "verified: $file"
done
cmp -s inside.exe one/Zendaro.exe || fail "setup does not carry the signed game"

# ---- the PE checks on the signed programs ----
mkdir -p tree/game/win32 tree/setup/setup-payload
cp one/Zendaro.exe tree/game/win32/ && cp one/setup.exe tree/setup/
cp inside.exe tree/setup/setup-payload/Zendaro.exe
ZENDARO_PE_I686_DIR=$work/tree "$native/tests/pe/pe_tests" --gtest_filter='*i686*' \
  >pe.log 2>&1 || { cat pe.log >&2; fail "the PE checks fail on the signed programs"; }
echo "PE checks pass: $(grep -c '^\[       OK' pe.log) cases"

# ---- what check-release says ----
"$source_dir/scripts/check-release" "$build" "$native" one || fail "check-release refuses the release"

refused() { # WHAT FOLDER
  if "$source_dir/scripts/check-release" "$build" "$native" "$2" >check.log 2>&1; then
    cat check.log >&2
    fail "check-release takes $1"
  fi
  echo "check-release refuses $1: $(tail -1 check.log)"
}

# A byte changed after signing, in the middle of the game's code.
cp -r one changed
size=$(stat -c %s changed/Zendaro.exe)
printf '\x5a' | dd of=changed/Zendaro.exe bs=1 seek=$((size / 3)) conv=notrunc status=none
cmp -s changed/Zendaro.exe one/Zendaro.exe && fail "the planted byte changed nothing"
osslsigncode verify -CAfile ca.pem -in changed/Zendaro.exe >verify.log 2>&1 &&
  { cat verify.log >&2; fail "a game changed after signing still verifies"; }
echo "a game changed after signing does not verify"
refused "a game changed after signing" changed

# A setup packed with the unsigned game, then signed: its own signature is
# good, the game it would install is unsigned.
mkdir -p unsigned-inside
cp "$build/game/win32/Zendaro.exe" "$build/signed/Zendaro.exe"
cmake --build "$build" --target setup_signed >build.log 2>&1 || { cat build.log >&2; exit 1; }
osslsigncode sign -pkcs12 signer.p12 -readpass password.txt -h sha256 -time "$commit_time" \
  -in "$build/signed/setup/setup.exe" -out unsigned-inside/setup.exe >sign.log 2>&1 ||
  { cat sign.log >&2; exit 1; }
cp one/Zendaro.exe unsigned-inside/
"$native/tests/pe/zendaro-pe-resource" unsigned-inside/setup.exe BINARY 113 >inside.exe
osslsigncode verify -CAfile ca.pem -in inside.exe >verify.log 2>&1 &&
  fail "the unsigned game inside setup verifies"
echo "the unsigned game inside a signed setup does not verify"
refused "a setup packed with the unsigned game" unsigned-inside

rm -rf "$build/signed/release" && cp -r one "$build/signed/release"
cd / && rm -rf "$work"

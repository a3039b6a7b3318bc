#!/bin/bash
# A release signed with a throwaway key: a CA and a code-signing certificate
# made here with openssl, the key behind a password, all in a temporary folder
# that goes when this ends. Every signed file of the release verifies against
# that CA; each exe with its signature removed is the unsigned release's, byte
# for byte; packaged again under another clock and time zone it is the same
# bytes; its manifests name the signed files. A missing key, a wrong password
# or a failed signing stops the packaging with its message and leaves no
# release files in the folder, and the password shows in no output. The
# signed release and the CA's certificate stay in <output folder> for the
# installer's end-to-end case, which installs it under Wine, verifies the
# installed uninstaller and starts the program.
# Usage: signed.sh <source folder> <build folder> <output folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
log() { echo "signed: $*"; }
fail() { log "FAIL: $*"; failures=$((failures + 1)); }

# Only the throwaway key signs here, whatever the developer's own settings.
unset ADRELO_SIGN_PKCS12 ADRELO_SIGN_PASSWORD_FILE ADRELO_SIGN_TIMESTAMP_URL
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# package FOLDER [VARIABLE=VALUE...] [COMMAND...]: the builds under test packaged
# into FOLDER, with those variables, by package.sh run through COMMAND.
package() {
  local folder=$1
  shift
  env TZ=UTC LC_ALL=C "$@" bash "$source_dir/packaging/package.sh" "$build_dir" "$folder"
}

key=$work/key
mkdir -m 700 "$key"
openssl rand -hex 16 >"$key/password"
password=$(<"$key/password")
printf '%s\n' basicConstraints=critical,CA:false keyUsage=critical,digitalSignature \
  extendedKeyUsage=codeSigning >"$key/signer.ext"
{
  openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=Adrelo throwaway test CA" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
    -keyout "$key/ca.key" -out "$key/ca.pem"
  openssl req -newkey rsa:2048 -nodes -subj "/CN=Adrelo throwaway test signer" \
    -keyout "$key/signer.key" -out "$key/signer.csr"
  openssl x509 -req -days 30 -in "$key/signer.csr" -CA "$key/ca.pem" -CAkey "$key/ca.key" \
    -CAcreateserial -extfile "$key/signer.ext" -out "$key/signer.pem"
  openssl pkcs12 -export -inkey "$key/signer.key" -in "$key/signer.pem" -certfile "$key/ca.pem" \
    -passout file:"$key/password" -out "$key/signer.p12"
} >"$work/openssl.log" 2>&1 || { cat "$work/openssl.log"; exit 1; }
signing=(ADRELO_SIGN_PKCS12="$key/signer.p12" ADRELO_SIGN_PASSWORD_FILE="$key/password")
# osslsigncode through a stand-in that keeps its command lines, which any
# user's ps shows (the password must be in none of them, nor in any output),
# and fails the signing of the file named REFUSE_TO_SIGN, if any.
mkdir "$work/bin"
cat >"$work/bin/osslsigncode" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/osslsigncode-commands.log"
if [ -n "\${REFUSE_TO_SIGN:-}" ]; then case "\$*" in *"-n \$REFUSE_TO_SIGN -"*) exit 1 ;; esac; fi
exec "$(command -v osslsigncode)" "\$@"
EOF
chmod +x "$work/bin/osslsigncode"
PATH=$work/bin:$PATH

rm -rf "$out"
mkdir -p "$out"
cp "$key/ca.pem" "$out/"
package "$work/unsigned" >"$work/unsigned.log" 2>&1 || { cat "$work/unsigned.log"; exit 1; }
grep -q '^package: unsigned' "$work/unsigned.log" || fail "an unsigned packaging does not say so"
package "$out/dist" "${signing[@]}" >"$work/signed.log" 2>&1 || { cat "$work/signed.log"; exit 1; }
# faketime leaves file times alone (NO_FAKE_STAT): only the clock moves.
package "$work/again" "${signing[@]}" NO_FAKE_STAT=1 TZ=Pacific/Kiritimati faketime -f '+400d' \
  >"$work/again.log" 2>&1 || { cat "$work/again.log"; exit 1; }

sums() { (cd "$1" && find . -type f | LC_ALL=C sort | xargs sha256sum); }
diff <(sums "$out/dist") <(sums "$work/again") ||
  fail "two signed packagings differ (above: < now, > a year ahead in another time zone)"
/usr/bin/python3 "$source_dir/tests/packaging/check_manifests.py" "$out/dist" >"$work/manifests.log" ||
  { cat "$work/manifests.log"; fail "the signed release's manifests"; }

verifies() { osslsigncode verify -CAfile "$key/ca.pem" -in "$1" >"$work/verify.log" 2>&1; }
unzip_exe() { python3 -c 'import sys, zipfile; sys.stdout.buffer.write(
  zipfile.ZipFile(sys.argv[1]).read("Adrelo Viewer/Adrelo.exe"))' "$1" >"$2"; }
for setup in "$out"/dist/Adrelo-*-setup-*.exe; do
  verifies "$setup" || { cat "$work/verify.log"; fail "$(basename "$setup") does not verify"; }
done
for zip in "$out"/dist/Adrelo-*.zip; do
  name=$(basename "$zip" .zip)
  unzip_exe "$zip" "$work/$name.exe"
  unzip_exe "$work/unsigned/$(basename "$zip")" "$work/$name.unsigned.exe"
  verifies "$work/$name.exe" || { cat "$work/verify.log"; fail "the exe in $name.zip does not verify"; continue; }
  osslsigncode remove-signature -in "$work/$name.exe" -out "$work/$name.removed.exe" >/dev/null
  cmp -s "$work/$name.removed.exe" "$work/$name.unsigned.exe" ||
    fail "the exe in $name.zip, its signature removed, is not the unsigned release's"
done

# Bad signing settings, and a signing that fails once the x86 zip is made,
# each over a release made before: the packaging stops, says why, and leaves
# none of either release behind. Port 1 (tcpmux) has no time-stamp server.
printf 'not the password\n' >"$work/wrong-password"
while IFS='|' read -r what setting message; do
  rm -rf "$work/bad"
  cp -r "$out/dist" "$work/bad"
  if package "$work/bad" "${signing[@]}" "$setting" >"$work/bad.log" 2>&1; then
    fail "$what: the packaging succeeded"
  fi
  grep -qF "$message" "$work/bad.log" || { cat "$work/bad.log"; fail "$what: no '$message'"; }
  left=$(cd "$work/bad" && echo *)
  [[ $left == '*' ]] || fail "$what: release files left behind: $left"
  cat "$work/bad.log" >>"$work/bad-settings.log"
done <<EOF
a key file that is not there|ADRELO_SIGN_PKCS12=$work/no-key.p12|package: ADRELO_SIGN_PKCS12 is '$work/no-key.p12', which is no file
a wrong password|ADRELO_SIGN_PASSWORD_FILE=$work/wrong-password|package: cannot sign with the key in ADRELO_SIGN_PKCS12: a wrong password
a time-stamp server that does not answer|ADRELO_SIGN_TIMESTAMP_URL=http://127.0.0.1:1/|package: could not sign Adrelo Viewer (Adrelo.exe)
a failed signing of the x86 installer|REFUSE_TO_SIGN=Adrelo Viewer Setup|package: could not sign Adrelo Viewer Setup
EOF
if grep -rqF "$password" "$work"/*.log "$out"; then
  fail "the password shows in a command line, an output or a release file"
fi

if ((failures)); then exit 1; fi
log "ok: $(cd "$out/dist" && ls -d Adrelo-* | wc -l) release files signed, verified against the throwaway" \
  "CA, the same bytes from two packagings, the exes unsigned again the unsigned release's;" \
  "bad signing settings stop with their message and leave nothing"

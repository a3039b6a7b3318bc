#!/usr/bin/env bash
# Signs one Windows file of the release in place with Authenticode (SHA-256),
# by the key in ADRELO_SIGN_PKCS12 (a .p12/.pfx file). Its password, if it has
# one, is read from the file ADRELO_SIGN_PASSWORD_FILE by osslsigncode itself,
# so it is on no command line and in no output. With ADRELO_SIGN_TIMESTAMP_URL
# an RFC 3161 server time-stamps the signature; without one the signing time
# is SOURCE_DATE_EPOCH, so the same bytes signed with the same key are the
# same signed bytes (RSA PKCS#1 v1.5 signatures are deterministic).
# package.sh calls it for the exes and installers, makensis for each
# uninstaller (!uninstfinalize). A failure leaves the file as it was.
# Usage: sign.sh <file> <the name Windows shows for it>
set -euo pipefail
file=$1
name=$2
options=(-pkcs12 "$ADRELO_SIGN_PKCS12" -h sha256 -n "$name")
[[ -z ${ADRELO_SIGN_PASSWORD_FILE:-} ]] || options+=(-readpass "$ADRELO_SIGN_PASSWORD_FILE")
if [[ -n ${ADRELO_SIGN_TIMESTAMP_URL:-} ]]; then
  options+=(-ts "$ADRELO_SIGN_TIMESTAMP_URL")
else
  options+=(-time "$SOURCE_DATE_EPOCH")
fi
signed=$file.signed
rm -f "$signed"
if ! said=$(osslsigncode sign "${options[@]}" -in "$file" -out "$signed" 2>&1); then
  rm -f "$signed"
  echo "package: could not sign $name ($(basename "$file")); osslsigncode said:" >&2
  printf '%s\n' "$said" | sed 's/^/  /' >&2
  exit 1
fi
# Written over the file itself, not moved in its place: makensis may read the
# uninstaller back through the file it made.
cp "$signed" "$file"
rm "$signed"

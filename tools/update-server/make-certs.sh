#!/usr/bin/env bash
# Makes a throw-away test CA and a server certificate signed by it for the
# local update host: subjectAltName DNS:localhost and DNS:127.0.0.1 (Wine
# checks DNS names only, not IP entries). Keys never leave the build tree.
# Does nothing while the existing pair is valid for at least another week.
#
#   make-certs.sh OUT_DIR     -> ca.pem, ca.key, server.pem, server.key, and
#                                untrusted.pem/.key (self-signed, never trusted)
set -euo pipefail
OUT=${1:?usage: make-certs.sh OUT_DIR}
mkdir -p "$OUT"
cd "$OUT"

if [ -s ca.pem ] && [ -s server.pem ] && [ -s server.key ] && [ -s untrusted.pem ] && [ -s untrusted.key ] &&
  openssl x509 -in server.pem -noout -checkend 604800 >/dev/null &&
  openssl x509 -in ca.pem -noout -checkend 604800 >/dev/null &&
  openssl verify -CAfile ca.pem server.pem >/dev/null 2>&1; then
  exit 0
fi

umask 077
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

openssl req -x509 -new -newkey rsa:2048 -nodes -sha256 -days 825 \
  -subj "/O=Thermadex tests/CN=Thermadex Test Update CA" \
  -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -keyout "$tmp/ca.key" -out "$tmp/ca.pem" 2>/dev/null

openssl req -new -newkey rsa:2048 -nodes -sha256 \
  -subj "/O=Thermadex tests/CN=localhost" \
  -keyout "$tmp/server.key" -out "$tmp/server.csr" 2>/dev/null

cat >"$tmp/server.ext" <<'EXT'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:localhost,DNS:127.0.0.1
EXT
openssl x509 -req -in "$tmp/server.csr" -CA "$tmp/ca.pem" -CAkey "$tmp/ca.key" \
  -CAcreateserial -days 397 -sha256 -extfile "$tmp/server.ext" -out "$tmp/server.pem" 2>/dev/null

# Self-signed and never trusted: a client that accepts it does not check.
openssl req -x509 -new -newkey rsa:2048 -nodes -sha256 -days 397 \
  -subj "/O=Thermadex tests/CN=localhost" \
  -addext "subjectAltName=DNS:localhost,DNS:127.0.0.1" \
  -keyout "$tmp/untrusted.key" -out "$tmp/untrusted.pem" 2>/dev/null

mv "$tmp/ca.key" "$tmp/ca.pem" "$tmp/server.key" "$tmp/server.pem" "$tmp/untrusted.key" "$tmp/untrusted.pem" .
chmod 644 ca.pem server.pem untrusted.pem
echo "update-server: new test CA and server certificate in $OUT" >&2

#!/usr/bin/env bash
# make_test_certs.sh FOLDER: a test CA and a certificate for "localhost" signed by it, for
# the TLS servers of the end-to-end tests: FOLDER/ca.pem, leaf.pem, leaf.key, and
# leaf.sha256 (the leaf's SHA-256 fingerprint as 64 hex digits). Nothing trusts the CA.
set -euo pipefail
cd "$1"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout ca.key -out ca.pem \
  -days 30 -subj "/CN=Quillet Test CA" -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout leaf.key -out leaf.csr \
  -subj "/CN=localhost" 2>/dev/null
printf 'subjectAltName=DNS:localhost\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n' >leaf.ext
openssl x509 -req -in leaf.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 30 -sha256 \
  -extfile leaf.ext -out leaf.pem 2>/dev/null
openssl x509 -in leaf.pem -noout -fingerprint -sha256 | sed 's/.*=//; s/://g' >leaf.sha256

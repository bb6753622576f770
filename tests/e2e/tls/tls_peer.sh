#!/usr/bin/env bash
# The ctest fixture around the TLS end-to-end tests:
#   tls_peer.sh start FOLDER   makes the certificates (make_test_certs.py), starts
#                              tls_peer.py in the background and waits for FOLDER/port;
#                              with QUILLET_WINE_PREFIX set, the test CA is trusted in that
#                              Wine prefix's ROOT store, as natively SSL_CERT_FILE does;
#   tls_peer.sh stop FOLDER    stops it and takes the test CA out of the prefix again.
set -euo pipefail
. "$(dirname "$0")/../peer_process.sh"
action=$1 folder=$2
python=/usr/bin/python3
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../../scripts
root_key='HKCU\Software\Microsoft\SystemCertificates\Root\Certificates'

# Runs reg.exe in the test prefix.
wine_reg() {
  . "$scripts/wine-env.sh"
  bash "$scripts/wine-prefix.sh" "$QUILLET_WINE_PREFIX"
  WINEPREFIX=$QUILLET_WINE_PREFIX WINEDEBUG=-all "$QUILLET_WINE" reg "$@" >/dev/null 2>&1
}

# The key of the CA in the ROOT store: its SHA-1, upper case.
ca_thumbprint() { sha1sum "$folder/ca.der" | cut -c1-40 | tr a-f A-F; }

case $action in
  start)
    if [ -f "$folder/pid" ] && kill -0 "$(cat "$folder/pid")" 2>/dev/null; then kill "$(cat "$folder/pid")"; fi
    rm -rf "$folder" && mkdir -p "$folder"
    "$python" "$here/make_test_certs.py" "$folder"
    if [ -n "${QUILLET_WINE_PREFIX:-}" ]; then
      # The store keeps a certificate as serialized properties: id 32 (the encoded
      # certificate), a reserved 1, the length, then the DER bytes.
      blob=$("$python" -c 'import struct, sys; d = open(sys.argv[1], "rb").read(); print((struct.pack("<III", 32, 1, len(d)) + d).hex())' "$folder/ca.der")
      wine_reg add "$root_key\\$(ca_thumbprint)" /v Blob /t REG_BINARY /d "$blob" /f
    fi
    peer_start tls_peer "$folder" "$folder/peer.log" "$python" "$here/tls_peer.py" "$folder"
    ;;
  stop)
    peer_stop "$folder"
    if [ -n "${QUILLET_WINE_PREFIX:-}" ] && [ -f "$folder/ca.der" ]; then
      wine_reg delete "$root_key\\$(ca_thumbprint)" /f || true
    fi
    ;;
  *) echo "usage: tls_peer.sh start|stop FOLDER" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# The ctest fixture around the SMTP end-to-end test:
#   smtp_sink.sh start FOLDER   makes the certificates of its TLS port
#                               (tests/e2e/tls/make_test_certs.py), starts
#                               tests/e2e/smtp/smtp_sink.py in the background and waits
#                               until it listens (FOLDER/port);
#   smtp_sink.sh stop FOLDER    stops it.
set -euo pipefail
. "$(dirname "$0")/../peer_process.sh"
action=$1 folder=$2
python=/usr/bin/python3
case $action in
  start)
    if [ -f "$folder/pid" ] && kill -0 "$(cat "$folder/pid")" 2>/dev/null; then kill "$(cat "$folder/pid")"; fi
    rm -rf "$folder" && mkdir -p "$folder"
    "$python" "$(dirname "$0")/../tls/make_test_certs.py" "$folder"
    "$python" -c 'import aiosmtpd' || { echo "smtp_sink: $python lacks aiosmtpd (scripts/install-deps.sh)" >&2; exit 1; }
    peer_start smtp_sink "$folder" "$folder/sink.log" "$python" "$(dirname "$0")/smtp_sink.py" "$folder"
    ;;
  stop)
    peer_stop "$folder"
    ;;
  *) echo "usage: smtp_sink.sh start|stop FOLDER" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# The ctest fixture around the SMTP end-to-end test:
#   smtp_sink.sh start FOLDER   makes the certificates of its TLS port
#                               (tests/e2e/tls/make_test_certs.py), starts
#                               tests/e2e/smtp/smtp_sink.py in the background and waits
#                               until it listens (FOLDER/port);
#   smtp_sink.sh stop FOLDER    stops it.
set -euo pipefail
action=$1 folder=$2
python=/usr/bin/python3
case $action in
  start)
    if [ -f "$folder/pid" ] && kill -0 "$(cat "$folder/pid")" 2>/dev/null; then kill "$(cat "$folder/pid")"; fi
    rm -rf "$folder" && mkdir -p "$folder"
    "$python" "$(dirname "$0")/../tls/make_test_certs.py" "$folder"
    "$python" -c 'import aiosmtpd' || { echo "smtp_sink: $python lacks aiosmtpd (scripts/install-deps.sh)" >&2; exit 1; }
    nohup "$python" "$(dirname "$0")/smtp_sink.py" "$folder" >"$folder/sink.log" 2>&1 &
    echo $! >"$folder/pid"
    for _ in $(seq 100); do
      [ -f "$folder/port" ] && { echo "smtp_sink: listening on 127.0.0.1:$(cat "$folder/port")"; exit 0; }
      kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
      sleep 0.1
    done
    echo "smtp_sink: did not start" >&2; cat "$folder/sink.log" >&2; exit 1
    ;;
  stop)
    if [ -f "$folder/pid" ]; then
      pid=$(cat "$folder/pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      rm -f "$folder/pid"
    fi
    ;;
  *) echo "usage: smtp_sink.sh start|stop FOLDER" >&2; exit 2 ;;
esac

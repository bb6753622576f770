#!/usr/bin/env bash
# The ctest fixture around the TLS end-to-end test:
#   tls_peer.sh start FOLDER   makes the certificates (make_test_certs.sh), starts
#                              tls_peer.py in the background and waits for FOLDER/port;
#   tls_peer.sh stop FOLDER    stops it.
set -euo pipefail
action=$1 folder=$2
python=/usr/bin/python3
here=$(cd "$(dirname "$0")" && pwd)
case $action in
  start)
    if [ -f "$folder/pid" ] && kill -0 "$(cat "$folder/pid")" 2>/dev/null; then kill "$(cat "$folder/pid")"; fi
    rm -rf "$folder" && mkdir -p "$folder"
    bash "$here/make_test_certs.sh" "$folder"
    nohup "$python" "$here/tls_peer.py" "$folder" >"$folder/peer.log" 2>&1 &
    echo $! >"$folder/pid"
    for _ in $(seq 100); do
      [ -f "$folder/port" ] && { echo "tls_peer: listening on 127.0.0.1:$(cat "$folder/port")"; exit 0; }
      kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
      sleep 0.1
    done
    echo "tls_peer: did not start" >&2; cat "$folder/peer.log" >&2; exit 1
    ;;
  stop)
    if [ -f "$folder/pid" ]; then
      pid=$(cat "$folder/pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      rm -f "$folder/pid"
    fi
    ;;
  *) echo "usage: tls_peer.sh start|stop FOLDER" >&2; exit 2 ;;
esac

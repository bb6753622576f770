# Sourced by the fixtures that run a test peer in the background: the peer writes
# FOLDER/port once it listens; its process id is kept in FOLDER/pid.

# peer_start NAME FOLDER LOG COMMAND...: starts the peer and waits until it listens.
peer_start() {
  local name=$1 folder=$2 log=$3
  shift 3
  nohup "$@" >"$log" 2>&1 &
  echo $! >"$folder/pid"
  for _ in $(seq 100); do
    [ -f "$folder/port" ] && { echo "$name: listening on 127.0.0.1:$(cat "$folder/port")"; return 0; }
    kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "$name: did not start" >&2; cat "$log" >&2; return 1
}

# peer_stop FOLDER: stops the peer and waits up to five seconds for it to end.
peer_stop() {
  local folder=$1 pid
  [ -f "$folder/pid" ] || return 0
  pid=$(cat "$folder/pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  rm -f "$folder/pid"
}

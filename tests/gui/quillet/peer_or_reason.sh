#!/usr/bin/env bash
# Starts a peer for the mail client's GUI tests; when it cannot start, leaves the reason in
# DIR/not_started so that the test needing it skips saying why, and the other window tests
# still run.
#   peer_or_reason.sh NAME START_SCRIPT DIR     (START_SCRIPT is called as: start DIR)
set -uo pipefail
name=$1 script=$2 dir=$3
log=$(bash "$script" start "$dir" 2>&1)
status=$?
if [ $status -ne 0 ]; then
  mkdir -p "$dir"
  printf '%s did not start (%s exit %s): %s\n' "$name" "$(basename "$script")" "$status" "$log" >"$dir/not_started"
  cat "$dir/not_started"
fi
exit 0

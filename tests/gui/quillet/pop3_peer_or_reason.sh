#!/usr/bin/env bash
# Starts the POP3 peer for the mail client's GUI tests; when Dovecot cannot start, leaves
# the reason in DIR/not_started so that the receive test skips saying why, and the other
# window tests still run.
#   pop3_peer_or_reason.sh DIR
set -uo pipefail
dir=$1
log=$(bash "$(dirname "$0")/../../e2e/pop3_peer.sh" start "$dir" 2>&1)
status=$?
if [ $status -ne 0 ]; then
  mkdir -p "$dir"
  printf 'Dovecot did not start (pop3_peer.sh exit %s): %s\n' "$status" "$log" >"$dir/not_started"
  cat "$dir/not_started"
fi
exit 0

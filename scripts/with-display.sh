#!/usr/bin/env bash
# Runs a command with an X display for Wine's windows: the caller's DISPLAY when set,
# else a private Xvfb started for the command and stopped after it.
#   with-display.sh COMMAND ARGS...
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
# The first display number without a server or a stale lock.
for n in $(seq 70 99); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$n" ] && break
  sleep 0.1
done
export DISPLAY=":$n"
"$@"

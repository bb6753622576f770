#!/usr/bin/env bash
# The main job: install, build the Windows programs, start a POP3 server (a private
# Dovecot) and an SMTP server (a sink that keeps what it receives) on loopback with the
# account alice holding a few messages, and start quillet.exe under Wine from a demo home
# beside a copy of it. The client receives the messages at once; one message waits in its
# outbox to be sent. The servers stop when the window is closed.
# Without a display the program runs on Xvfb: after the receive a screenshot goes to
# build/demo/quillet-demo.png, and the program is closed after QUILLET_DEMO_SECONDS
# (default 10) seconds.
# scripts/demo-cli.sh does the same job with quillet-cli and no window.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
scripts=$top/scripts
if [ -z "${QUILLET_DEMO_HEADLESS:-}" ]; then
  bash scripts/install-deps.sh
  bash scripts/build.sh win32  # the shipped programs
  . scripts/wine-env.sh
  # A kernel without 32-bit support runs the 64-bit build of the same programs.
  [ "$QUILLET_WINE_BUILD" = win32 ] || bash scripts/build.sh win64
  if [ -z "${DISPLAY:-}" ]; then
    QUILLET_DEMO_HEADLESS=1 exec "$scripts/with-display.sh" bash "$0"
  fi
fi
. scripts/wine-env.sh
windows=$top/build/$QUILLET_WINE_BUILD
quillet=$windows/quillet/ui/quillet.exe
cli=$windows/quillet/cli/quillet-cli.exe
driver=$windows/tests/quillet_smoke_driver.exe
demo=$top/build/demo
export QUILLET_WINE_ROOT=$windows  # the build's prefix also for the copy in the demo home
# The tests' prefix leaves window frames to Wine (there is no window manager on Xvfb); a
# person's display keeps its window manager in a prefix of the demo's own.
[ -n "${QUILLET_DEMO_HEADLESS:-}" ] || export WINEPREFIX=$windows/wineprefix-demo
. tests/gui/smoke/quillet_home.sh

quillet_pid=""
stop_all() {
  [ -z "$quillet_pid" ] || kill "$quillet_pid" 2>/dev/null || true
  bash tests/e2e/pop3_peer.sh stop "$demo/dovecot" >/dev/null 2>&1 || true
  bash tests/e2e/smtp/smtp_sink.sh stop "$demo/sink" >/dev/null 2>&1 || true
}
stop_all
rm -rf "$demo" && mkdir -p "$demo" && chmod 755 "$demo"
trap stop_all EXIT

# Without a window manager every hidden window would stall: the prefix is told to manage
# windows itself (a real display keeps its window manager's frames).
[ -z "${QUILLET_DEMO_HEADLESS:-}" ] || tests/gui/gui_test_run_env.sh "$driver" gone 0

echo "== servers on loopback: POP3 (alice, password secret) and SMTP"
bash tests/e2e/pop3_peer.sh start "$demo/dovecot" >/dev/null
bash tests/e2e/smtp/smtp_sink.sh start "$demo/sink" >/dev/null
sample_messages "$demo/mail"
for message in "$demo/mail"/*.eml; do doveadm -c "$demo/dovecot/dovecot.conf" save -u alice <"$message"; done

echo "== the demo home: $demo/home"
make_home "$demo/home" "$quillet" "$(cat "$demo/dovecot/port")"
home_cli "$demo/home" config set Connection POP3Password "$(home_cli "$demo/home" password scramble secret | tr -d '\r\n')"
home_cli "$demo/home" config set Connection SMTPHost 127.0.0.1
home_cli "$demo/home" config set Connection SMTPPort "$(cat "$demo/sink/port")"
printf 'Hello,\r\n\r\nsent from the demo.\r\n' >"$demo/body.txt"
home_cli "$demo/home" compose --to zhang@example.com --subject "Demo" --body "$(winpath "$demo/body.txt")" >/dev/null

echo "== quillet.exe"
wine_run "$demo/home/quillet.exe" &
quillet_pid=$!
frame=$(drv find TF_main "Quillet: Internet Mail") || { echo "demo: the main window did not come" >&2; exit 1; }
receive=$(enabled_command "$(drv menu "$frame")" "收取新邮件(&G)")
if [ -n "$receive" ]; then
  drv command "$frame" "$receive"
else
  echo "demo: this build's quillet.exe cannot receive yet; the inbox stays as it is"
fi
if [ -n "${QUILLET_DEMO_HEADLESS:-}" ]; then
  if [ -n "$receive" ]; then
    report=$(drv find '#32770' Quillet 60000) || { echo "demo: no report of the receive came" >&2; exit 1; }
    drv texts "$report" | awk -F'\t' '$3 == 65535 { print "demo: " $4 }'
  fi
  sleep 1
  import -window root "$demo/quillet-demo.png"
  echo "== screenshot: $demo/quillet-demo.png; closing in ${QUILLET_DEMO_SECONDS:-10} s"
  sleep "${QUILLET_DEMO_SECONDS:-10}"
  [ -z "$receive" ] || drv command "$report" 1
  drv command "$frame" "$(enabled_command "$(drv menu "$frame")" "退出(&X)")"
  drv gone "$frame" || { echo "demo: the window did not close; ending the program" >&2; kill "$quillet_pid"; }
else
  echo "== close the window to end the demo"
fi
wait "$quillet_pid" || true
quillet_pid=""
echo "== closed; stopping the servers"

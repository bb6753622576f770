#!/usr/bin/env bash
# The mail client's job without a window: install, build both targets, then run it with
# quillet-cli against servers this script starts on loopback (a private Dovecot for POP3,
# an SMTP sink that keeps what it receives): compose a message with an attachment, send
# it, hand what the SMTP server got to the POP3 server, receive it back, and show it.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/install-deps.sh
bash scripts/build.sh native
bash scripts/build.sh win32

cli=$top/build/native/quillet/cli/quillet-cli
demo=$top/build/demo-cli
stop_servers() {
  bash tests/e2e/pop3_peer.sh stop "$demo/dovecot" >/dev/null 2>&1 || true
  bash tests/e2e/smtp/smtp_sink.sh stop "$demo/sink" >/dev/null 2>&1 || true
}
stop_servers
rm -rf "$demo" && mkdir -p "$demo" && chmod 755 "$demo"
trap stop_servers EXIT
export QUILLET_REGISTRY=$demo/registry
bash tests/e2e/pop3_peer.sh start "$demo/dovecot" >/dev/null  # user alice, password secret
bash tests/e2e/smtp/smtp_sink.sh start "$demo/sink" >/dev/null
q() { "$cli" --home "$demo/home" "$@"; }

mkdir "$demo/home"
q init >/dev/null
q config set Connection MailAddress alice@example.com
q config set Connection name "Alice"
q config set Connection SMTPHost 127.0.0.1
q config set Connection SMTPPort "$(cat "$demo/sink/port")"
q config set Connection POP3Host 127.0.0.1
q config set Connection POP3Port "$(cat "$demo/dovecot/port")"
q config set Connection POP3Account alice
q config set Connection POP3Password "$("$cli" password scramble secret)"
q addr add "张三" zhang@example.com >/dev/null

printf 'Hello,\r\n\r\nThe notes are attached.\r\n' >"$demo/body.txt"
printf 'agenda: 1. budget 2. travel\n' >"$demo/notes.txt"
echo "== compose (into the outbox)"
q compose --to "张三" --to alice@example.com --subject "会议通知" --body "$demo/body.txt" --attach "$demo/notes.txt"
echo "== send"
q send
echo "== the SMTP server received $(ls "$demo/sink"/*.eml | wc -l) message(s); handing them to the POP3 server"
for message in "$demo/sink"/*.eml; do doveadm -c "$demo/dovecot/dovecot.conf" save -u alice <"$message"; done
echo "== receive"
q receive
echo "== boxes"
q boxes
echo "== the inbox"
q box list "$demo/home/mail/in"
echo "== attachments of the last message"
last=$(q box list "$demo/home/mail/in" | tail -1 | cut -f1)
q msg attachments --box "$demo/home/mail/in" --id "$last"

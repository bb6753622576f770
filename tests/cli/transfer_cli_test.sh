#!/usr/bin/env bash
# receive and send of quillet-cli against real servers on loopback: a private Dovecot and
# an SMTP sink. A composed message goes out through the sink, back in through Dovecot,
# and arrives as it was written; leave-on-server holds across receives. Then a send over
# STARTTLS with a login, the keys set with config set: the sink's certificate is refused
# (the fingerprint on stderr) until it is trusted, a wrong password is refused with the
# server's reply, and nothing leaves the outbox until the send succeeds.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
e2e=$(cd "$here/../e2e" && pwd)
. "$here/cli_test_lib.sh"
trap 'bash "$e2e/pop3_peer.sh" stop "$work/dovecot" >/dev/null 2>&1; bash "$e2e/smtp/smtp_sink.sh" stop "$work/sink" >/dev/null 2>&1; rm -rf "$work"' EXIT

chmod 755 "$work"  # Dovecot's own users must reach the mail folder inside
bash "$e2e/pop3_peer.sh" start "$work/dovecot" >/dev/null || { echo "Dovecot did not start"; exit 1; }
bash "$e2e/smtp/smtp_sink.sh" start "$work/sink" >/dev/null || { echo "the SMTP sink did not start"; exit 1; }
conf=$work/dovecot/dovecot.conf
on_server() { doveadm -c "$conf" mailbox status -u alice messages INBOX | tr -dc 0-9; }

mkdir h
cli --home h init >/dev/null
set_conf() { cli --home h config set "$@"; }
set_conf Connection POP3Host 127.0.0.1
set_conf Connection POP3Port "$(cat "$work/dovecot/port")"
set_conf Connection POP3Account alice
set_conf Connection POP3Password "$(cli password scramble secret | tr -d '\r')"
set_conf Connection SMTPHost 127.0.0.1
set_conf Connection SMTPPort "$(cat "$work/sink/port")"
set_conf Connection MailAddress me@here.org

printf 'First line\r\n.starts with a dot\r\n.\r\nlast\r\n' > body.txt
head -c 300000 /dev/urandom > photo.bin
cli --home h compose --to alice@example.com --bcc hidden@example.com --subject "季度报告 Q4" \
  --body body.txt --attach photo.bin >/dev/null
check "send prints the message and where it went" "1	已发送邮件	1" "$(cli --home h send | tr -d '\r' | grep "$(printf '\t')")"
check "the sink got the envelope, hidden recipient included" \
  "MAIL FROM:me@here.org SIZE=N BODY=8BITMIME|RCPT TO:alice@example.com|RCPT TO:hidden@example.com|" \
  "$(sed 's/SIZE=[0-9][0-9]*/SIZE=N/' "$work/sink/msg0001.env" | tr '\n' '|')"
check "no Bcc line reached the server" 0 "$(sed '/^\r$/q' "$work/sink/msg0001.eml" | grep -ci '^bcc')"
check "an empty outbox sends nothing and succeeds" "0:" "$(out=$(cli --home h send); echo "$?:$out")"

doveadm -c "$conf" save -u alice < "$work/sink/msg0001.eml"
report=$(cli --home h receive | tr -d '\r' | tail -2 | paste -sd '|')
check "receive reports the new mail" "收到 4 封新邮件|4 封邮件保存到：收件箱" "$report"
received=$(cli --home h box list h/mail/in | tr -d '\r' | awk -F'\t' '$13 == "季度报告 Q4" {print $1}')
check "the message arrived in the inbox" 4 "$received"
cli --home h msg extract --box h/mail/in --id "$received" 0 back.bin
check "the attachment came back byte for byte" "$(md5sum < photo.bin)" "$(md5sum < back.bin)"
check "the body came back as typed" "First line|.starts with a dot|.|last" \
  "$(cli --home h msg text --box h/mail/in --id "$received" | tr -d '\r' | sed -n 1,4p | paste -sd '|')"
check "the subject decodes as written" "季度报告 Q4" \
  "$(cli --home h msg field --box h/mail/in --id "$received" Subject --decode | tr -d '\r')"

check "a second receive leaves known mail on the server" "对不起，没有新邮件" \
  "$(cli --home h receive | tr -d '\r' | tail -1)"
check "the server still holds it" 4 "$(on_server)"
set_conf Receive LeaveInServer 0
check "with leave-on-server off nothing is fetched again" "对不起，没有新邮件" \
  "$(cli --home h receive | tr -d '\r' | tail -1)"
check "and the server is emptied" 0 "$(on_server)"
check "the inbox kept one copy of each" 4 "$(cli --home h box list h/mail/in | wc -l)"

set_conf Connection POP3Password "$(cli password scramble wrong | tr -d '\r')"
doveadm -c "$conf" save -u alice < "$work/sink/msg0001.eml"
check_status "a refused password, not entered again" 0 cli --home h --no receive
check "nothing was fetched with it" 4 "$(cli --home h box list h/mail/in | wc -l)"

set_conf Connection SMTPHost localhost  # the name the certificate carries
set_conf Connection SMTPPort "$(cat "$work/sink/port_starttls")"
set_conf Connection SMTPSecurity 1
set_conf Connection SMTPAuth 1
set_conf Connection SMTPAccount alice
set_conf Connection SMTPPassword "$(cli password scramble secret | tr -d '\r')"
printf 'over TLS\r\n' > tls.txt
cli --home h compose --to bob@example.com --subject "secure" --body tls.txt >/dev/null
queued() { cli --home h box list h/mail/out | tr -d '\r' | awk -F'\t' '$2 == 2' | wc -l; }
fingerprint=$(cat "$work/sink/leaf.sha256")
refusal=$(cli --home h send 2>&1 >/dev/null | tr -d '\r')
check "an untrusted certificate is refused with its fingerprint" \
  "服务器 localhost 的证书未通过验证：证书不受信任|证书指纹（SHA-256）：$fingerprint" "$(echo "$refusal" | head -2 | paste -sd '|')"
check "and the message stays queued" 1 "$(queued)"
set_conf Connection SMTPTrustedCert "$fingerprint"
set_conf Connection SMTPPassword "$(cli password scramble wrong | tr -d '\r')"
check "a wrong password is refused with the server's reply" "服务器 localhost 拒绝登录：|535 5.7.8 Authentication credentials invalid" \
  "$(cli --home h send 2>&1 >/dev/null | tr -d '\r' | paste -sd '|')"
check_status "and the send fails" 1 cli --home h send
set_conf Connection SMTPPassword "$(cli password scramble secret | tr -d '\r')"
check "with the certificate trusted and the right password it goes" "2	已发送邮件	2" \
  "$(cli --home h send | tr -d '\r' | grep "$(printf '\t')")"
check "logged in with the strongest method" "AUTH:alice CRAM-MD5" "$(tail -1 "$(ls "$work"/sink/msg*.env | tail -1)")"
check "the outbox is empty" 0 "$(queued)"
finish

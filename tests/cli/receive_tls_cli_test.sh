#!/usr/bin/env bash
# receive of quillet-cli over TLS from a private Dovecot on loopback: STLS on its plain
# port and implicit TLS on its second one. Its certificate comes from a test CA nothing
# trusts, so the first receive is refused on stderr with the fingerprint, and goes through
# once the account trusts exactly that fingerprint.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
e2e=$(cd "$here/../e2e" && pwd)
. "$here/cli_test_lib.sh"
trap 'bash "$e2e/pop3_peer.sh" stop "$work/dovecot" >/dev/null 2>&1; rm -rf "$work"' EXIT

chmod 755 "$work"  # Dovecot's own users must reach the mail folder inside
bash "$e2e/pop3_peer.sh" start "$work/dovecot" >/dev/null || { echo "Dovecot did not start"; exit 1; }
fingerprint=$(cat "$work/dovecot/tls/leaf.sha256" | tr -d '\r\n')

mkdir h
cli --home h init >/dev/null
cli --home h accounts add --name stls --server localhost --port "$(cat "$work/dovecot/port")" --user alice \
  --password secret --security starttls >/dev/null
cli --home h receive >out.txt 2>err.txt
check "an untrusted certificate fails the receive" "1" "$?"
check "the refusal names the server, the reason and the fingerprint" \
  "服务器 localhost 的证书未通过验证：证书不受信任|证书指纹（SHA-256）：$fingerprint" \
  "$(tr -d '\r' < err.txt | sed -n 1,2p | paste -sd '|')"
check "nothing was received" "对不起，没有新邮件" "$(tr -d '\r' < out.txt | tail -1)"

cli --home h config set Connection1 POP3TrustedCert "$fingerprint"
check "trusted by its fingerprint, STLS receives the mail" "收到 3 封新邮件|3 封邮件保存到：收件箱" \
  "$(cli --home h receive 2>&1 | tr -d '\r' | tail -2 | paste -sd '|')"

cli --home h accounts add --name tls --server localhost --port "$(cat "$work/dovecot/port_tls")" --user alice \
  --password secret --security tls --trust "$(echo "$fingerprint" | tr A-F a-f)" >/dev/null
check "implicit TLS receives the same mail for the second account" "收到 3 封新邮件|3 封邮件保存到：收件箱" \
  "$(cli --home h receive 2>&1 | tr -d '\r' | tail -2 | paste -sd '|')"
check "the inbox holds both copies" 6 "$(cli --home h box list h/mail/in | wc -l)"
finish

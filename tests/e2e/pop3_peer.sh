#!/usr/bin/env bash
# A POP3 server for the POP3 client's tests: a private Dovecot on a free loopback port.
#   pop3_peer.sh start DIR   starts it in DIR (made afresh), seeds three messages for the
#                            user "alice" (password "secret") and writes the port to DIR/port
#                            (plain, offering STLS);
#                            a second port with implicit TLS goes to DIR/port_tls, its
#                            certificate's fingerprint to DIR/tls/leaf.sha256 (a test CA
#                            nothing trusts: tests/e2e/tls/make_test_certs.py)
#   pop3_peer.sh stop DIR    stops it
# Dovecot must run as root; its login and internal processes run as the users its package
# makes (dovenull, dovecot).
set -euo pipefail
action=$1
dir=$2
conf=$dir/dovecot.conf

free_port() {
  /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

write_config() {
  local port=$1 tls_port=$2
  cat >"$conf" <<CONF
listen = 127.0.0.1
protocols = pop3
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
info_log_path = $dir/dovecot.log
ssl = yes
ssl_cert = <$dir/tls/leaf.pem
ssl_key = <$dir/tls/leaf.key
disable_plaintext_auth = no
default_login_user = dovenull
default_internal_user = dovecot
first_valid_uid = 1
mail_location = maildir:$dir/mail/%u
passdb {
  driver = passwd-file
  args = $dir/users
}
userdb {
  driver = static
  args = uid=dovecot gid=dovecot home=$dir/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = $tls_port
    ssl = yes
  }
}
service imap-login {
  inet_listener imap {
    port = 0
  }
}
CONF
}

seed() {
  local n
  for n in 1 2 3; do
    printf 'From: Sender %s <s%s@example.com>\nTo: alice@example.com\nSubject: seeded %s\n\nline one of %s\n.leading dot\n\nlast line\n' \
      "$n" "$n" "$n" "$n" | doveadm -c "$conf" save -u alice
  done
}

wait_listening() {
  local port=$1 i
  for i in $(seq 100); do
    if /usr/bin/python3 -c "import socket,sys; socket.create_connection(('127.0.0.1', $port), 1).close()" 2>/dev/null; then
      return 0
    fi
    sleep 0.1
  done
  echo "pop3_peer: Dovecot does not listen on $port; see $dir/dovecot.log" >&2
  return 1
}

case $action in
  start)
    [ -f "$conf" ] && doveadm -c "$conf" stop 2>/dev/null || true
    rm -rf "$dir"
    mkdir -p "$dir/run" "$dir/state" "$dir/mail"
    echo 'alice:{PLAIN}secret::::::' >"$dir/users"
    chown -R dovecot:dovecot "$dir/mail"
    mkdir -p "$dir/tls"
    /usr/bin/python3 "$(dirname "$0")/tls/make_test_certs.py" "$dir/tls"
    port=$(free_port)
    tls_port=$(free_port)
    write_config "$port" "$tls_port"
    dovecot -c "$conf" </dev/null >/dev/null 2>&1  # a daemon must not hold the caller's output open
    wait_listening "$port"
    wait_listening "$tls_port"
    seed
    echo "$tls_port" >"$dir/port_tls"
    echo "$port" >"$dir/port"
    ;;
  stop)
    [ -f "$conf" ] && doveadm -c "$conf" stop || true
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac

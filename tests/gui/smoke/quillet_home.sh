# Sourced by quillet_smoke.sh and scripts/demo.sh: sample messages and a home folder for
# the Windows quillet.exe, prepared with the same build's quillet-cli.exe under Wine (so
# that the ini file holds Windows paths).
# Needs `scripts` (the tree's scripts folder), `cli` (quillet-cli.exe) and, for the
# window steps, `driver` (quillet_smoke_driver.exe) set.

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
wine_run() { "$scripts/wine-run.sh" "$@"; }
drv() { wine_run "$driver" "$@"; }
# enabled_command MENU CAPTION: the id of the command with that caption in a menu that
# `drv menu` read, when it is enabled; nothing otherwise.
enabled_command() { awk -F'\t' -v c="$2" '$4 == c && $3 == "enabled" { print $2; exit }' <<<"$1"; }

# sample_message SUBJECT FROM BODY [ATTACHMENT-NAME]: a message in GB2312 to alice, the
# subject as an encoded word; with a name, the body comes with a small text attachment.
sample_message() {
  local subject
  subject="=?GB2312?B?$(printf '%s' "$1" | iconv -f UTF-8 -t GB2312 | base64 -w0)?="
  printf 'From: %s\r\nTo: alice@example.com\r\nSubject: %s\r\nDate: %s\r\nMIME-Version: 1.0\r\n' \
    "$2" "$subject" "$(LC_ALL=C date -R)"
  if [ -z "${4:-}" ]; then
    printf 'Content-Type: text/plain; charset=GB2312\r\n\r\n'
    printf '%s\r\n' "$3" | iconv -f UTF-8 -t GB2312
    return
  fi
  printf 'Content-Type: multipart/mixed; boundary="part"\r\n\r\n--part\r\nContent-Type: text/plain; charset=GB2312\r\n\r\n'
  printf '%s\r\n' "$3" | iconv -f UTF-8 -t GB2312
  printf -- '--part\r\nContent-Type: text/plain; name="%s"\r\nContent-Disposition: attachment; filename="%s"\r\nContent-Transfer-Encoding: base64\r\n\r\n' "$4" "$4"
  printf 'agenda: 1. budget 2. travel\r\n' | base64
  printf -- '--part--\r\n'
}

# sample_messages DIR: DIR/1.eml (with the attachment agenda.txt, subject "会议通知") to
# DIR/4.eml.
sample_messages() {
  mkdir -p "$1"
  sample_message "会议通知" "Zhang San <zhang@example.com>" "下午三点在二楼开会，议程见附件。" agenda.txt >"$1/1.eml"
  sample_message "周末聚餐" "Li Si <li@example.com>" "周六晚上六点，老地方见。" >"$1/2.eml"
  sample_message "Re: 项目进度" "Wang Wu <wang@example.com>" "第二阶段已经完成。" >"$1/3.eml"
  sample_message "图书馆还书提醒" "library@example.com" "您借的书将于下周到期。" >"$1/4.eml"
}

# home_cli HOME ARGS...: quillet-cli.exe (in $cli) on that home.
home_cli() {
  local home=$1
  shift
  wine_run "$cli" --home "$(winpath "$home")" "$@"
}

# make_home HOME QUILLET_EXE POP3_PORT: a copy of quillet.exe and its libraries in HOME,
# its ini and mail root made, the POP3 server on loopback with the account alice; the
# default-mail-program question switched off. The password is left to the caller.
make_home() {
  local home=$1 exe=$2 port=$3
  mkdir -p "$home"
  cp "$exe" "$home/"
  find "$(dirname "$exe")" -maxdepth 1 -iname '*.dll' -exec cp {} "$home/" \;
  home_cli "$home" init >/dev/null
  home_cli "$home" config set Network CheckMailer 0
  home_cli "$home" config set Connection name Alice
  home_cli "$home" config set Connection MailAddress alice@example.com
  home_cli "$home" config set Connection POP3Host 127.0.0.1
  home_cli "$home" config set Connection POP3Port "$port"
  home_cli "$home" config set Connection POP3Account alice
}

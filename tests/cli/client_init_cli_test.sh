#!/usr/bin/env bash
# init and config of quillet-cli against the files they write.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"
sep=/
[ -n "${QUILLET_CLI_RUNNER:-}" ] && sep='\'

home=邮件家
mkdir "$home"
check "init prints the mail root" "$home${sep}mail" "$(cli --home "$home" init)"
check "init made the mail root" yes "$([ -d "$home/mail" ] && echo yes)"
check "init marked the ini file initialised" "Initialized=1" "$(grep -a '^Initialized=' "$home/quillet.INI" | tr -d '\r')"
before=$(md5sum < "$home/quillet.INI")
check "init again prints the same mail root" "$home${sep}mail" "$(cli --home "$home" init)"
check "init again leaves the ini file as it was" "$before" "$(md5sum < "$home/quillet.INI")"

# (An ASCII folder: natively a path is the file system's UTF-8, which a GBK message garbles.)
mkdir plain
cli --home plain init >/dev/null
rm -r plain/mail
check_status "init without its mail root" 2 cli --home plain init
check "the error is on stderr" "Can not find mail directory: plain${sep}mail|Please check the INI file." \
  "$(cli --home plain init 2>&1 >/dev/null | tr -d '\r' | paste -sd '|')"
check "nothing on stdout then" "" "$(cli --home plain init 2>/dev/null)"
check_status "init in a folder that does not exist" 2 cli --home nowhere init
check "its error" "Can not find directory: nowhere" "$(cli --home nowhere init 2>&1 >/dev/null | tr -d '\r')"

mkdir cfg
check "config get of a missing key prints an empty line" 1 "$(cli --home cfg config get Receive nothing | wc -c)"
cli --home cfg config set "标签" "名字" "你好 世界"
check "config set then get, Chinese text" "你好 世界" "$(cli --home cfg config get "标签" "名字")"
check "the ini file holds GBK" "名字=你好 世界" "$(iconv -f gbk -t utf-8 < cfg/quillet.INI | grep -a '=' | tr -d '\r')"
check "config works without a mail root" no "$([ -d cfg/mail ] && echo yes || echo no)"
check_status "config without get or set" 1 cli --home cfg config put a b
check_status "config get with a missing key argument" 1 cli --home cfg config get Receive
finish

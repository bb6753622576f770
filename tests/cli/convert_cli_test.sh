#!/usr/bin/env bash
# quillet-cli convert: GB <-> Big5 through MCHSET, stdin to stdout.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

hex() { od -An -tx1 | tr -d ' \n'; }
gb() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
big5() { printf '%s' "$1" | iconv -f UTF-8 -t BIG5; }

check "gb2big5 turns simplified GB into traditional Big5" \
  "$(big5 $'簡體中文 mail\r\n軟件，郵件')" "$(gb $'简体中文 mail\r\n软件，邮件' | cli convert gb2big5)"
check "big52gb turns traditional Big5 into simplified GB" \
  "$(gb $'简体中文 mail\r\n软件，邮件')" "$(big5 $'簡體中文 mail\r\n軟件，郵件' | cli convert big52gb)"
check "a NUL byte does not end the conversion" \
  "$( (big5 '電腦'; printf '\000'; big5 '電腦') | hex)" \
  "$( (gb '电脑'; printf '\000'; gb '电脑') | cli convert gb2big5 | hex)"
check "a lead byte at the end stays" "$( (big5 '書'; printf 'x\201') | hex)" \
  "$( (gb '书'; printf 'x\201') | cli convert gb2big5 | hex)"
check "empty input gives empty output" "" "$(printf '' | cli convert big52gb | hex)"
check_status "an unknown direction is a usage error" 1 cli convert gb2hz

# A copy of the program with no library beside it.
mkdir alone && cp "$exe" alone/
exe=$(realpath alone/"$(basename "$exe")")
out=$(gb '中国' | QUILLET_LIBRARY_PATH= cli convert gb2big5 2>err.txt)
status=$?
check "without the library the exit status is 1" 1 "$status"
check "without the library the output is empty" "" "$out"
check "without the library the message says so" "Missing DLL: MCHSET.DLL" "$(tr -d '\r' < err.txt)"
finish

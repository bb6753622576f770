#!/usr/bin/env bash
# The msg, codec and header commands of quillet-cli.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

printf '%s\r\n' \
  'From: =?GB2312?B?1cXI/Q==?= <zhang@example.com>' \
  'To: bob@example.com' \
  'Subject: =?GB2312?B?u+HS6c2o1qo=?=' \
  '  continued' \
  'Mime-Version: 1.0' \
  'Content-Type: multipart/mixed; boundary="b1"' \
  '' \
  'preamble' \
  '--b1' \
  'Content-Type: text/plain; charset=us-ascii' \
  'Content-Transfer-Encoding: quoted-printable' \
  '' \
  'Hello =3D world' \
  '--b1' \
  'Content-Type: application/octet-stream; name="notes.bin"' \
  'Content-Transfer-Encoding: base64' \
  'Content-ID: <part2@example.com>' \
  '' \
  'AAECAwQF/w==' \
  '--b1--' > mixed.eml

check "headers are the physical lines" 6 "$(cli msg headers mixed.eml | wc -l)"
check "field joins a continuation" "=?GB2312?B?u+HS6c2o1qo=?= continued" "$(cli msg field mixed.eml Subject)"
check "field --decode decodes encoded words" "会议通知 continued" "$(cli msg field mixed.eml Subject: --decode)"
check "text holds the decoded text part" "Hello = world" "$(cli msg text mixed.eml | tr -d '\r\0')"
check "parts: one text part, one Base64 part" "Quoted-Printable Base64" "$(cli msg parts mixed.eml | cut -f1 | tr '\n' ' ' | sed 's/ $//')"
check "attachments line" "0	Base64	application/octet-stream	notes.bin	part2@example.com" \
  "$(cli msg attachments mixed.eml | cut -f1-5)"
cli msg extract mixed.eml 0 out.bin
check "extract decodes the attachment" "$(printf '\000\001\002\003\004\005\377' | od -An -tx1)" "$(od -An -tx1 out.bin)"
check_status "extract of a missing index fails" 1 cli msg extract mixed.eml 5 out2.bin

# The same message read in place from a mailbox, behind another one.
cli box create in
cli box append in mixed.eml >/dev/null
cli box append in mixed.eml >/dev/null
check "msg over a stored message" "$(cli msg attachments mixed.eml)" "$(cli msg attachments --box in --id 2)"
check_status "msg over a missing id fails" 1 cli msg parts --box in --id 7

printf 'Subject: uu\r\n\r\nsee below\r\nbegin 644 hi.txt\r\n%s\r\n`\r\nend\r\n' "$(printf 'hello' | cli codec uu-encode | head -1 | tr -d '\r')" > uu.eml
check "plain message with a uuencoded block" "0	UUEncode		hi.txt" "$(cli msg attachments uu.eml | cut -f1-4)"
cli msg extract uu.eml 0 hi.txt
check "uuencoded block decodes" hello "$(cat hi.txt)"
check "text --as-text keeps the body" "see below" "$(cli msg text uu.eml --as-text | tr -d '\r\0' | head -2 | tail -1)"

printf 'Subject: broken\r\nMime-Version: 1.0\r\nContent-Type: multipart/mixed\r\n\r\nbody\r\n' > noboundary.eml
check "headers of a message whose body cannot be split" "Subject: broken" "$(cli msg headers noboundary.eml | head -1 | tr -d '\r')"
check_status "parts of that message fail" 1 cli msg parts noboundary.eml
check "the failure names the missing boundary" "Error: Miltipart message format - 'boundary' not found" \
  "$(cli msg parts noboundary.eml 2>&1 >/dev/null)"

check "codec base64 round trip" "hello world" "$(printf 'hello world' | cli codec base64-encode | cli codec base64-decode)"
check "codec base64 of one byte" "YQ==" "$(printf 'a' | cli codec base64-encode | head -1 | tr -d '\r')"
check "codec qp-encode escapes a TAB" "a=09b" "$(printf 'a\tb' | cli codec qp-encode | tr -d '\r')"
check "codec qp-decode" "a=b" "$(printf 'a=3Db\r\n' | cli codec qp-decode | tr -d '\r\n')"
check "codec uu round trip" "some bytes" "$(printf 'some bytes' | cli codec uu-encode | cli codec uu-decode)"
check "codec hz-decode" "$(printf 'a\xc4\xe3b' | od -An -tx1)" "$(printf 'a~{Dc~}b' | cli codec hz-decode | od -An -tx1)"
check_status "unknown codec" 1 cli codec rot13

# A message file with bare LF line ends reads as if it had CR LF.
printf '%s\n' 'Subject: unix' 'Mime-Version: 1.0' 'Content-Type: multipart/mixed; boundary="u"' '' \
  '--u' '' 'unix text' '--u' 'Content-Type: application/octet-stream; name="u.bin"' \
  'Content-Transfer-Encoding: base64' '' 'AAECAwQF/w==' '--u--' > unix.eml
check "msg headers of a bare-LF file" "Subject: unix" "$(cli msg headers unix.eml | head -1)"
check "msg text of a bare-LF file has CR LF" "$(printf 'unix text\r\n' | od -c)" "$(cli msg text unix.eml | od -c)"
cli msg extract unix.eml 0 u.bin
check "msg extract from a bare-LF file" "$(printf '\000\001\002\003\004\005\377' | od -An -tx1)" "$(od -An -tx1 u.bin)"

check "header decode-words" "中文" "$(cli header decode-words '=?utf-8?B?5Lit5paH?=')"
check "header date" "1998-12-07 09:05:00" "$(cli header date 'Mon, 7 Dec 1998 9:5:3 +0800')"
finish

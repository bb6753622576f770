#!/usr/bin/env bash
# The main job for now: install, build both targets, make a small demo mailbox with
# quillet-cli and list it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh native
bash scripts/build.sh win32

cli=build/native/quillet/cli/quillet-cli
demo=build/demo
rm -rf "$demo" && mkdir -p "$demo"

printf 'From: Alice <alice@example.com>\r\nTo: Bob <bob@example.com>\r\nSubject: Lunch\r\nDate: Mon, 7 Dec 1998 9:5:3 +0800\r\n\r\nNoon at the usual place?\r\n' >"$demo/lunch.eml"
printf 'From: =?GB2312?B?1cXI/Q==?= <zhang@example.com>\r\nSubject: =?GB2312?B?u+HS6c2o1qo=?=\r\nMime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary="b1"\r\n\r\n--b1\r\nContent-Type: text/plain; charset=gb2312\r\n\r\nSee the notes.\r\n--b1\r\nContent-Type: application/octet-stream; name="notes.txt"\r\nContent-Transfer-Encoding: base64\r\n\r\naGVsbG8gd29ybGQK\r\n--b1--\r\n' >"$demo/notice.eml"

"$cli" box create "$demo/in"
"$cli" box append "$demo/in" "$demo/lunch.eml" --from Alice --subject Lunch --date 1998-12-07T09:05:03
"$cli" box append "$demo/in" "$demo/notice.eml" --from "张三" --subject "会议通知" --attachment --priority 1
"$cli" box mark "$demo/in" 1 --read
echo "== box list $demo/in"
"$cli" box list "$demo/in"
echo "== box info $demo/in"
"$cli" box info "$demo/in"
echo "== msg attachments --box $demo/in --id 2"
"$cli" msg attachments --box "$demo/in" --id 2

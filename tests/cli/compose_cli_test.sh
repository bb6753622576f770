#!/usr/bin/env bash
# compose of quillet-cli: the message it writes into the outbox.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

mkdir h
cli --home h init >/dev/null
cli --home h config set Connection MailAddress me@here.org
printf 'hello\r\n.\r\n' > body.txt
printf 'Cat' > cat.bin
id=$(cli --home h compose --to a@x.org --to b@y.org --cc c@z.org --subject "Hi" --body body.txt \
  --attach cat.bin --priority 1 | tr -d '\r')
check "compose prints the new id" 1 "$id"
text=$(cli --home h box read h/mail/out 1 | tr -d '\r')
check "From, To and CC lines" "From: me@here.org|To: <a@x.org>,| <b@y.org>|CC: <c@z.org>|Subject: Hi|X-Priority: 1 (Highest)" \
  "$(printf '%s\n' "$text" | sed -n 1,6p | paste -sd '|')"
check "the dot line is doubled" 1 "$(printf '%s\n' "$text" | grep -cx '\.\.')"
check "the attachment in Base64" 1 "$(printf '%s\n' "$text" | grep -cx 'Q2F0')"
check "queued to send, priority 1, with attachment" "2	1	1" \
  "$(cli --home h box list h/mail/out | tr -d '\r' | cut -f2,4,6)"

id=$(cli --home h compose --to a@x.org --subject $'Saved\r\nBcc: x@y' --body body.txt --attach cat.bin --save | tr -d '\r')
check "a saved message gets the next id" 2 "$id"
saved=$(cli --home h box read h/mail/out 2 | tr -d '\r')
check "no injected Bcc line" 0 "$(printf '%s\n' "$saved" | grep -c '^Bcc:')"
check "saved: the attachment only listed, the body as typed" "X-JayAttach: cat.bin|Mime-Version: 1.0||hello|." \
  "$(printf '%s\n' "$saved" | sed -n '/^X-JayAttach/,$p' | paste -sd '|')"
check "saved state" 3 "$(cli --home h box list h/mail/out | tr -d '\r' | sed -n 2p | cut -f2)"

cli --home h addr add "李明" li@example.com >/dev/null
cli --home h addr add Bob bob@example.com >/dev/null
cli --home h addr group Team "李明" Bob >/dev/null
cli --home h config set Send Subject8bit 0
cli --home h compose --to Team --cc bob@example.com --subject Names >/dev/null
check "names and groups of the address book expand; a known address gets its name" \
  "To: =?GB2312?Q?=C0=EE=C3=F7?= <li@example.com>,| Bob <bob@example.com>|CC: Bob <bob@example.com>" \
  "$(cli --home h box read h/mail/out 3 | tr -d '\r' | sed -n 2,4p | paste -sd '|')"

before=$(md5sum < h/mail/out.BOX)
check "an unknown name is refused" "No address book entry named Nobody" \
  "$(cli --home h compose --to "Nobody, a@x.org" --subject x 2>&1 >/dev/null | tr -d '\r')"
check_status "compose without --to" 1 cli --home h compose --subject x
check_status "compose with a bad priority" 1 cli --home h compose --to a@x.org --subject x --priority 2
check_status "compose with a missing body file" 1 cli --home h compose --to a@x.org --subject x --body nothing.txt
check_status "compose with only empty recipients" 1 cli --home h compose --to " " --subject x
check "the outbox is unchanged by the failures" "$before" "$(md5sum < h/mail/out.BOX)"
finish

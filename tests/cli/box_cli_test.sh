#!/usr/bin/env bash
# The box commands of quillet-cli against the files they write.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

printf 'From: a@example.com\r\nSubject: one\r\n\r\nfirst body\r\n' > one.eml
printf 'From: b@example.com\r\nSubject: two\r\n\r\nsecond\r\nbody\r\n' > two.eml

check_status "list of a missing pair fails" 1 cli box list nothere
check "list of a missing pair creates nothing" "" "$(ls nothere.* 2>/dev/null)"

step cli box create in
check "new index is 64 bytes" 64 "$(stat -c %s in.IND)"
check "new data file is empty" 0 "$(stat -c %s in.BOX)"

check "first append prints id 1" 1 "$(cli box append in one.eml --from "张三" --subject "会议" --date 1998-12-07T09:05:03 --priority 1 --label 2 --attachment)"
check "append from stdin prints id 2" 2 "$(cli box append in - --read --state 2 < two.eml)"
check "data file holds separators and texts" $((16 + 49 + 16 + 51)) "$(stat -c %s in.BOX)"
check "index holds two records" $((64 + 2 * 176)) "$(stat -c %s in.IND)"

line1=$(printf '1\t0\t1\t1\t1998-12-07 09:05:03\t1\t49\t2\t0\t0\t0\t张三\t会议')
check "list line of the first message" "$line1" "$(cli box list in | head -1)"
check "second message: id, state 2, read, no attachment, priority 3, size 51" "2	2	0	0	3	51" \
  "$(cli box list in | sed -n 2p | cut -f1-4,6,7)"

check "read gives the stored bytes" "$(od -c one.eml)" "$(cli box read in 1 | od -c)"
check "read --body gives what follows the header block" "second
body" "$(cli box read in 2 --body | tr -d '\r')"
check_status "read of an unknown id" 1 cli box read in 9

check "sort by priority descending" "2 1" "$(cli box sort in 2 desc | cut -f1 | tr '\n' ' ' | sed 's/ $//')"
check "sort by priority ascending" "1 2" "$(cli box sort in 2 asc | cut -f1 | tr '\n' ' ' | sed 's/ $//')"

before=$(md5sum < in.IND)
step cli box mark in 2 --read
check "marking read an already read message rewrites nothing" "$before" "$(md5sum < in.IND)"
step cli box mark in 1 --read
check "mark --read clears unread" 0 "$(cli box list in | head -1 | cut -f3)"
step cli box mark in 1 2 --replied
check "mark --replied on two ids" "1 1" "$(cli box list in | cut -f9 | tr '\n' ' ' | sed 's/ $//')"
step cli box mark in 1 --label 7
check "mark --label" 7 "$(cli box list in | head -1 | cut -f8)"
check_status "mark of an unknown id" 1 cli box mark in 42 --read

step cli box title in "地址簿一"
check "title round trip" "地址簿一" "$(cli box title in)"

check "move prints the new id" 1 "$(cli box move in sent 2)"
check "moved message left the source" 1 "$(cli box list in | wc -l)"
check "moved message is in the target with its summary" "1	2	0" "$(cli box list sent | cut -f1-3)"

check_status "delete of an unknown id" 1 cli box delete in 5
cli box append in two.eml >/dev/null
step cli box delete in 1
check "delete leaves the other" 3 "$(cli box list in | cut -f1)"
check "info after delete" "item-count: 1" "$(cli box info in | grep item-count)"
check "needs-pack 10" yes "$(cli box needs-pack in 10)"
check "needs-pack 0 is always no" no "$(cli box needs-pack in 0)"
check "needs-pack 100 is always no" no "$(cli box needs-pack in 100)"
check "check of a sound pair" 0 "$(cli box check in)"

step cli box pack in
check "pack keeps ids" 3 "$(cli box list in | cut -f1)"
check "pack leaves no waste" "wasted-bytes: 0" "$(cli box info in | grep wasted-bytes)"
check "total-bytes is the data size after pack" "$(stat -c %s in.BOX)" "$(cli box info in | sed -n 's/^total-bytes: //p')"
check "last-id survives pack" "last-id: 3" "$(cli box info in | grep last-id)"

# A damaged separator is counted and makes check fail.
printf 'XX' | dd of=in.BOX bs=1 seek=0 conv=notrunc status=none
check "check counts a damaged separator" 1 "$(cli box check in)"
check_status "check fails on damage" 1 cli box check in

step cli box delete-all sent
check "delete-all empties the list" 0 "$(cli box list sent | wc -l)"
check "delete-all zeroes the counts" "unread-count: 0 item-count: 0" \
  "$(cli box info sent | grep -E '^(unread|item)-count' | tr '\n' ' ' | sed 's/ $//')"

keys=$(cli box info in | cut -d: -f1 | tr '\n' ' ' | sed 's/ $//')
check "info keys in order" "version last-id created encrypted title wasted-bytes total-bytes unread-count item-count live-count space-wasted data-size packed-size" "$keys"

# A file saved with Unix (or old Mac) line ends is stored with CR LF line ends.
printf 'Subject: unix\n\nline one\rline two\n' > unix.eml
id=$(cli box append in unix.eml)
check "append stores CR LF line ends" "$(printf 'Subject: unix\r\n\r\nline one\r\nline two\r\n' | od -c)" \
  "$(cli box read in "$id" | od -c)"

check_status "unknown box command" 1 cli box frobnicate in
finish

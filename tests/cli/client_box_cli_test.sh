#!/usr/bin/env bash
# The mail client's mailbox commands of quillet-cli over a home folder with its ini file.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

mkdir -p home/mail
printf '[System]\r\nmailroot=%s/home/mail\r\nInitialized=1\r\n' "$work" > home/quillet.INI
q() { cli --home home "$@"; }
printf 'From: "Bob" <bob@example.com>\r\nSubject: weekly report\r\n\r\nFrom the top\r\n' > report.eml
printf 'From: carol@example.com\nSubject: hello\n\nhi\n' > hello.eml
summary() { q boxes | cut -f1,2,4,5 | tr '\t\n' ' |'; }

check "boxes lists the standard mailboxes" "收件箱 2 0 0|发件箱 1 0 0|已发送邮件 3 0 0|废件箱 4 0 0|" "$(summary)"
check "the inbox pair lies in the mail root" "in" "$(q boxes | head -1 | cut -f3 | sed 's/.*[\\/]//')"
check "address folder beside the ini file" yes "$([ -d home/Address ] && echo yes)"

q mailbox new "工作"
check_status "a name in use is refused" 1 q mailbox new "工作"
check_status "a standard mailbox cannot be renamed" 1 q mailbox rename in Other
check_status "a standard mailbox cannot be deleted" 1 q --yes mailbox delete trash
check "the new mailbox is listed last" "工作 0 0 0" "$(q boxes | tail -1 | cut -f1,2,4,5 | tr '\t' ' ')"

check "deliver without rules files into the inbox" "$(printf '收件箱\t1')" "$(q deliver report.eml)"
check "deliver stores CR LF line ends" "$(printf 'Subject: hello\r')" "$(q deliver hello.eml >/dev/null; cli box read home/mail/in 2 | sed -n 2p)"
check "import prints the new id" 1 "$(q import "工作" hello.eml 2>/dev/null)"
check "import reports the mailbox" "一个文件被导入到邮箱：工作" "$(q import "工作" hello.eml 2>&1 >/dev/null)"

q mark in 1 2 --read
check "mark --read" "0 0" "$(cli box list home/mail/in | cut -f3 | tr '\n' ' ' | sed 's/ $//')"
q mark 收件箱 2 --label 5
check "mark --label by display name" 5 "$(cli box list home/mail/in | sed -n 2p | cut -f8)"
check_status "mark of an unknown id" 1 q mark in 9 --replied

check "move prints the new id" 3 "$(q move in 2 "工作")"
check "moved message left the inbox" 1 "$(cli box list home/mail/in | cut -f1)"
check_status "move to an unknown mailbox" 1 q move in 1 nowhere

q export in 1 one.eml
check "export of one message is its text" "$(od -c < report.eml)" "$(od -c < one.eml)"
q export 工作 1 3 two.mbox
check "export of two messages: two separator lines" 2 "$(grep -c '^From - ' two.mbox)"

q delete in 1
check "delete moves to the trash" "1" "$(cli box list home/mail/trash | cut -f1)"
q delete trash 1
check "delete in the trash flags it" 0 "$(cli box list home/mail/trash | wc -l)"
q delete 工作 1
check_status "empty-trash without an answer keeps the trash" 1 q empty-trash
check "trash kept" 1 "$(cli box list home/mail/trash | wc -l)"
q --yes empty-trash
check "empty-trash --yes empties it" 0 "$(cli box list home/mail/trash | wc -l)"

q pack --if-needed 2>/dev/null
check "pack --if-needed compacted the trash" "wasted-bytes: 0" "$(cli box info home/mail/trash | grep wasted-bytes)"
check "pack BOX reports its status" "压缩“工作”...|“工作”压缩完毕|" "$(q pack 工作 2>&1 | tr '\n' '|')"

# The mailbox cipher over a mailbox that holds two messages.
plain=$(q export 工作 2 3 before.mbox; od -c < before.mbox)
check_status "encrypt" 0 q encrypt 工作 --password "口令1"
check "encrypted: one cipher file, only the standard data files" "1 4" \
  "$(ls home/mail | grep -c '\.BO~$') $(ls home/mail | grep -c '\.BOX$')"
check "encrypting twice is refused" "Mailbox Already encrypted" "$(q encrypt 工作 --password x 2>&1)"
check "moving into it is refused" "你不能往加密的邮箱转邮件" "$(q move in 1 工作 2>&1 >/dev/null)"
check "a wrong password is refused" "口令不正确" "$(q decrypt 工作 --password wrong 2>&1)"
check_status "decrypt" 0 q decrypt 工作 --password "口令1"
check "decrypted messages are as before" "$plain" "$(q export 工作 2 3 after.mbox; od -c < after.mbox)"

q mailbox rename 工作 Job
check "rename keeps the files" "Job 0 2 1" "$(q boxes | tail -1 | cut -f1,2,4,5 | tr '\t' ' ')"
check_status "a mailbox holding messages is kept without an answer" 1 q mailbox delete Job
q --yes mailbox delete Job
check "deleted mailbox is gone" 4 "$(q boxes | wc -l)"

# Every client command starts with the start-up check of the ini file and mail root.
printf '[System]\r\nmailroot=nothere\r\nInitialized=1\r\n' > home/quillet.INI
check "a missing mail root is named" "Can not find mail directory: nothere|Please check the INI file." \
  "$(q boxes 2>&1 | tr -d '\r' | paste -sd '|')"
check_status "a missing mail root ends with the start-up failure" 2 q boxes
finish

#!/usr/bin/env bash
# quillet-cli addr: the default address book of the mail client over a home folder.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

mkdir -p home/mail
printf '[System]\r\nmailroot=%s/home/mail\r\nInitialized=1\r\n' "$work" > home/quillet.INI
q() { cli --home home "$@"; }
tabs() { tr '\t\n' ' |'; }

check "add prints the new card's id" "$(printf '1\tadded')" "$(q addr add Tom tom@example.com)"
check "the book is the default one in the address folder" yes "$([ -f home/Address/address.IND ] && echo yes)"
q addr add "李, 明" li@example.com >/dev/null
q addr add Bob bob@example.com >/dev/null
check "a known name answered No is kept" "$(printf '1\tkept')" "$(q --no addr add TOM other@example.com)"
check "a known name answered Yes is updated" "$(printf '1\tupdated')" "$(q --yes addr add TOM tom@example.org)"
check "group prints its id" 4 "$(q addr group 朋友 tom "李, 明" BOB)"
check "list shows cards and groups" \
  "1 card Tom tom@example.org|2 card 李, 明 li@example.com|3 card Bob bob@example.com|4 group 朋友 1 2 3|" \
  "$(q addr list | tabs)"
check "lookup of a card ignores case" tom@example.org "$(q addr lookup TOM)"
check "lookup of a group prints the marker" "?~LIST~?" "$(q addr lookup 朋友)"
check_status "lookup of an unknown name" 1 q addr lookup Nobody
check "expand of a group" 'Tom <tom@example.org>|"李, 明" <li@example.com>|Bob <bob@example.com>|' \
  "$(q addr expand 朋友 | tabs)"
check "expand of names, groups and addresses, each address once" 'bob <bob@example.com>|x@example.com|Tom <tom@example.org>|"李, 明" <li@example.com>|' \
  "$(q addr expand 'bob, x@example.com, 朋友' | tabs)"
check "expand reports unknown names" "No address book entry named Nobody" "$(q addr expand 'Nobody, Tom' 2>&1 >/dev/null | tr -d '\r')"
check_status "expand with an unknown name" 1 q addr expand 'Nobody, Tom'

before=$(cat home/Address/address.IND home/Address/address.BOX | od -An -tx1)
check_status "a name longer than 32 characters" 1 q addr add "$(printf 'n%.0s' {1..33})" a@example.com
check_status "an address longer than 64 characters" 1 q addr add Ann "$(printf 'a%.0s' {1..65})"
check_status "a group of an unknown card" 1 q addr group Team Tom Nobody
check_status "a group of a group" 1 q addr group Team 朋友
check_status "a group name in use" 1 q addr group tom Bob
check_status "a group without members" 1 q addr group Team
check "refused commands change nothing" "$before" "$(cat home/Address/address.IND home/Address/address.BOX | od -An -tx1)"

# Ann's name length byte says 200: the list names the damaged record and goes on.
q addr add Ann ann@example.com >/dev/null
printf '\310' | dd of=home/Address/address.IND bs=1 seek=$((64 + 176 * 4 + 13 + 5)) conv=notrunc status=none
check "a damaged record is reported" "Damaged address book record: id 5" "$(q addr list 2>&1 >/dev/null | tr -d '\r')"
check "the other entries are still listed" 4 "$(q addr list 2>/dev/null | wc -l | tr -d ' ')"
check_status "list with a damaged record" 1 q addr list
finish

#!/usr/bin/env bash
# The rules, accounts and password commands of quillet-cli against the files they write.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

mkdir mail
printf '[System]\r\nmailroot=mail\r\nInitialized=1\r\n' > quillet.INI

check "no rule file: empty list, file created" "0 yes" "$(cli --home . rules list | wc -l) $(test -f mail/assist.dat && echo yes)"
cli --home . mailbox new 工作
check_status "a rule without a condition is refused" 1 cli --home . rules add --target 工作
check_status "a rule naming no mailbox is refused" 1 cli --home . rules add --from alice --target 无此邮箱
check_status "a rule without a target is refused" 1 cli --home . rules add --from alice
cli --home . rules add --from alice --subject 周报 --target 工作
cli --home . rules add --cc carol --target 收件箱 --disabled
check "rules list shows both rules in order" "$(printf '1\t1\talice\t\t\t周报\t工作\n2\t0\t\t\tcarol\t\t收件箱')" \
  "$(cli --home . rules list)"
check "the rule file: signature, count 2" "MARTEN_ASSIST 1.0 2" \
  "$(head -c 17 mail/assist.dat) $(od -An -tu2 -j19 -N2 mail/assist.dat | tr -d ' ')"
cli --home . rules remove 1
check "remove 1 leaves the second rule first" "$(printf '1\t0\t\t\tcarol\t\t收件箱')" "$(cli --home . rules list)"
check_status "remove of a missing rule" 1 cli --home . rules remove 5

check "no accounts at first" "" "$(cli --home . accounts list)"
check "add prints the new index" 1 "$(cli --home . accounts add --name 工作 --server pop.example.com --user bob --password 'pa ss')"
cli --home . accounts add --name home --server mail.example.org --port 995 --user amy --no-leave --disabled >/dev/null
check "list shows both accounts" "$(printf '1\t工作\tpop.example.com\t110\tbob\t1\t1\t1.uid\n2\thome\tmail.example.org\t995\tamy\t0\t0\t2.uid')" \
  "$(cli --home . accounts list)"
stored=$(tr -d '\r' < quillet.INI | sed -n '/^\[Connection1\]/,/^\[/p' | sed -n 's/^Password=//p')
check "the password is stored scrambled" 0 "$(grep -c 'pa ss' quillet.INI)"
check "and descrambles back" "pa ss" "$(cli password descramble "$stored")"
printf 'x\r\n' > mail/1.uid
cli --home . accounts remove 1
check "remove renumbers the rest" "$(printf '1\thome\tmail.example.org\t995\tamy\t0\t0\t2.uid')" "$(cli --home . accounts list)"
check "the removed account's section is gone" 0 "$(grep -c '^\[Connection2\]' quillet.INI)"
check "and its seen list" "" "$(ls mail/1.uid 2>/dev/null)"
check "a new account takes the free number" "$(printf '2\tn\th\t110\tu\t1\t1\t1.uid')" \
  "$(cli --home . accounts add --name n --server h --user u >/dev/null; cli --home . accounts list | sed -n 2p)"

fp=78:c3:5e:ad:64:39:c6:a4:04:10:f5:b7:a9:95:68:c1:f5:14:53:7b:2e:8d:5f:5b:f3:10:33:65:41:ee:ff:d5
check "implicit TLS defaults to port 995" "$(printf '3\ts\tpop.s.example\t995\tsu\t1\t1\t3.uid')" \
  "$(cli --home . accounts add --name s --server pop.s.example --user su --security tls >/dev/null; cli --home . accounts list | sed -n 3p)"
cli --home . accounts add --name t --server pop.t.example --user tu --security starttls --trust "$fp" >/dev/null
section() { tr -d '\r' < quillet.INI | sed -n "/^\[Connection$1\]/,/^\[/p" | grep -E '^(POP3Port|POP3Security|POP3TrustedCert|APOP)=' | paste -sd '|'; }
check "the security keys are stored" "POP3Port=995|POP3Security=2 POP3Port=110|POP3Security=1|POP3TrustedCert=$fp" \
  "$(section 3) $(section 4)"
check "a plain account stores none of them" "POP3Port=110" "$(section 2)"
check_status "an unknown security is refused" 1 cli --home . accounts add --server h --user u --security ssl
check_status "a short fingerprint is refused" 1 cli --home . accounts add --server h --user u --trust "${fp%:*}"
check "and nothing was added" 4 "$(cli --home . accounts list | wc -l)"

s1=$(cli password scramble 秘密); s2=$(cli password scramble 秘密)
check "scrambling twice gives different texts" 1 "$([ "$s1" != "$s2" ] && echo 1)"
check "both descramble" "秘密 秘密" "$(cli password descramble "$s1") $(cli password descramble "$s2")"
check "a key of one's own" "abc" "$(cli password descramble "$(cli password scramble abc k)" k)"
check "bad scrambled text reads as empty" "" "$(cli password descramble XYZ)"
finish

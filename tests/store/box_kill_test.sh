#!/usr/bin/env bash
# quillet-cli killed just before each of its file-changing system calls (strace injects
# SIGKILL at the Nth call of each kind, for every N until the command gets through) while
# it appends, deletes, marks, moves, packs and creates. After each kill the pairs must
# open, check clean, hold the old or the new messages (a move may leave the message in
# both pairs, never in neither) and keep nothing in a compaction's files. Linux only;
# skipped with a message when strace is missing.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../cli/cli_test_lib.sh"
if ! command -v strace >/dev/null; then
  echo "SKIP: strace is not installed (scripts/install-deps.sh installs it)"
  exit 0
fi
calls="openat write pwrite64 ftruncate fsync rename renameat renameat2 unlink unlinkat"

for i in 1 2 3 4; do printf 'From: a@example.com\r\nSubject: m%s\r\n\r\n%s\r\n' "$i" "$(head -c $((i * 700)) /dev/zero | tr '\0' x)" > m$i.eml; done
mkdir template
cli box create template/in >/dev/null
for i in 1 2 3 4; do cli box append template/in m$i.eml >/dev/null; done
cli box delete template/in 2
cli box append template/out m1.eml >/dev/null 2>&1 || { cli box create template/out; cli box append template/out m1.eml >/dev/null; }

reset() { rm -f in.* out.* new.*; cp template/* .; }
# One line per live message: id, unread, checksum of the stored text; "-" for no pair.
state() {
  [ -f "$1.IND" ] || { echo "-"; return; }
  cli box list "$1" | cut -f1,3 | while IFS=$'\t' read -r id unread; do
    echo "$id $unread $(cli box read "$1" "$id" | md5sum | cut -c1-8)"
  done
}
both() { echo "in: $(state in | tr '\n' ' ') out: $(state out | tr '\n' ' ')"; }

args() {
  case $1 in
    append) echo box append in m4.eml ;;
    delete) echo box delete in 3 ;;
    mark) echo box mark in 1 --read ;;
    move) echo box move in out 3 ;;
    pack) echo box pack in ;;
    create) echo box create new ;;
  esac
}
paths=""
for base in in out new; do for ending in IND BOX 'BO#' 'IN#' 'IN$'; do paths="$paths -P $base.$ending"; done; done

for op in append delete mark move pack create; do
  reset
  old=$(both)
  cli $(args $op) >/dev/null 2>&1
  new=$(both)
  reset
  kills=0 bad=0
  for call in $calls; do
    for n in $(seq 1 200); do
      reset
      # Only calls on the pairs' own files count (-P), so loading the program is not a crash point.
      status=$({ strace -f -o /dev/null $paths -e trace=$call -e inject=$call:signal=KILL:when=$n "$exe" $(args $op) \
                   >/dev/null 2>&1; echo $?; } 2>/dev/null)
      [ $status -eq 137 ] || break  # got through: no Nth call of this kind
      kills=$((kills + 1))
      for base in in out; do
        [ "$(cli box check $base 2>&1)" == 0 ] || { bad=$((bad + 1)); echo "FAIL $op killed at $call #$n: $base checks $(cli box check $base 2>&1)"; }
      done
      if [ $op == create ]; then
        cli box create new >/dev/null 2>&1 && [ "$(cli box append new m1.eml)" == 1 ] && [ "$(cli box check new)" == 0 ] ||
          { bad=$((bad + 1)); echo "FAIL create killed at $call #$n: the pair cannot be made and used afterwards"; }
      fi
      now=$(both)
      oldin=$(echo "$old" | sed 's/ out:.*//'); nowin=$(echo "$now" | sed 's/ out:.*//')
      newout=$(echo "$new" | sed 's/.* out:/out:/'); nowout=$(echo "$now" | sed 's/.* out:/out:/')
      if [ "$now" != "$old" ] && [ "$now" != "$new" ] && ! { [ $op == move ] && [ "$nowin" == "$oldin" ] && [ "$nowout" == "$newout" ]; }; then
        bad=$((bad + 1)); printf 'FAIL %s killed at %s #%s:\n  old %s\n  new %s\n  now %s\n' "$op" "$call" "$n" "$old" "$new" "$now"
      fi
      if ls in.BO# in.IN# 'in.IN$' >/dev/null 2>&1; then bad=$((bad + 1)); echo "FAIL $op killed at $call #$n: compaction files left"; fi
    done
  done
  echo "$op: killed at each of its $kills file calls"
  check "$op: killed at each of its file calls, nothing lost" 0 "$bad"
  [ $kills -gt 0 ] || check "$op was killed at least once" yes no
done
finish

#!/usr/bin/env bash
# Starts the shipped quillet.exe under Wine on a display (Xvfb when none is set) from a
# prepared home beside a copy of it (the ini points at a Dovecot this script starts that
# holds seven messages; the inbox holds four, one with an attachment), and plays the
# scenes of the table below with quillet_smoke_driver.exe, taking a screenshot of each
# into BUILD/screenshots/quillet-*.png.
#   quillet_smoke.sh BUILD QUILLET_EXE DRIVER_EXE CLI_EXE
# A scene that needs a menu command runs only when the running window's menu has that
# command enabled; otherwise it says so and is skipped. The test fails when a scene
# fails, or when a scene of REQUIRED_SCENES was skipped.
set -euo pipefail
REQUIRED_SCENES=${REQUIRED_SCENES:-"main mailto receive viewer setup exit"}

# The scenes, in order: name, the caption of the menu command it needs ("" for none),
# the function that plays it (given the command's id), and optionally a function that
# sets the window up before the command is looked for (a command may need a selection).
SCENES=(
  "main||scene_main"
  "mailto||scene_mailto"
  "receive|收取新邮件(&G)|scene_receive"
  "viewer|打开(&O)|scene_viewer|select_meeting_row"
  "setup|${SETUP_CAPTION:-设置(&O)...}|scene_setup"
  "exit|退出(&X)|scene_exit"
)

build=$(cd "$1" && pwd) quillet=$2 driver=$3 cli=$4
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../../scripts
if [ -z "${QUILLET_SMOKE_ON_DISPLAY:-}" ]; then
  QUILLET_SMOKE_ON_DISPLAY=1 exec "$scripts/with-display.sh" bash "$0" "$build" "$quillet" "$driver" "$cli"
fi
command -v import >/dev/null || { echo "quillet_smoke: import missing (scripts/install-deps.sh installs imagemagick)" >&2; exit 1; }
shots=$build/screenshots
work=$build/quillet_smoke
home=$work/home
export QUILLET_WINE_ROOT=$build  # one prefix for every program of the build, copies included
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}

. "$here/quillet_home.sh"
# shot NAME: the screen; shot NAME HWND: only that window's place on it.
shot() {
  local crop=()
  [ -z "${2:-}" ] || crop=(-crop "$(drv rect "$2" | tr -d '\r')")
  import -window root "${crop[@]}" "$shots/quillet-$1.png"
}
fail() { echo "quillet_smoke: $*" >&2; exit 1; }
# expect WHAT EXPECTED ACTUAL
expect() { [ "$2" = "$3" ] || fail "$1: expected \"$2\", got \"$3\""; }
# The text of a record of `drv texts` by class and control id.
text_of() { awk -F'\t' -v c="$2" -v i="$3" '$2 == c && $3 == i { $1 = $2 = $3 = ""; sub(/^\t+/, ""); print; exit }' OFS='\t' <<<"$1"; }
# expect_soon WHAT EXPECTED COMMAND...: the command's output becomes EXPECTED within ten
# seconds (a window fills its controls after it shows, later on a loaded machine).
expect_soon() {
  local what=$1 want=$2 got=""
  shift 2
  for _ in $(seq 50); do
    got=$("$@") && [ "$got" = "$want" ] && return 0
    sleep 0.2
  done
  fail "$what: expected \"$want\", got \"$got\""
}
status_panel() { drv texts "$frame" | awk -F'\t' -v p="panel $1" '$2 == "msctls_statusbar32" && $4 == p { print $5; exit }'; }
tree_items() {
  drv texts "$frame" | awk -F'\t' '$2 == "SysTreeView32" && $4 == "item 0" { printf "%s%s", sep, $5; sep = " " }'
}

quillet_pid=""
stop_all() {
  [ -z "$quillet_pid" ] || kill "$quillet_pid" 2>/dev/null || true
  bash "$here/../../e2e/pop3_peer.sh" stop "$work/dovecot" >/dev/null 2>&1 || true
  timeout 30 wineserver -w 2>/dev/null || true
}
trap stop_all EXIT

# ---- the POP3 server and the home: four messages in the inbox, and the same four
# waiting on the server with its three seeded ones
prepare() {
  rm -rf "$work" && mkdir -p "$shots" "$work"
  chmod 755 "$work"
  "$here/../gui_test_run_env.sh" "$driver" gone 0  # the prefix made ready for a display (returns at once)
  sample_messages "$work/mail"
  bash "$here/../../e2e/pop3_peer.sh" start "$work/dovecot" >/dev/null
  make_home "$home" "$quillet" "$(cat "$work/dovecot/port")"  # no password: receiving asks for it
  local n
  for n in 1 2 3 4; do
    doveadm -c "$work/dovecot/dovecot.conf" save -u alice <"$work/mail/$n.eml"
    home_cli "$home" deliver "$(winpath "$work/mail/$n.eml")" >/dev/null
  done
}

# ---- the scenes
frame=""
menu=""

scene_main() {
  wine_run "$home/quillet.exe" &
  quillet_pid=$!
  frame=$(drv find TF_main "Quillet: Internet Mail") || fail "TF_main never came"
  menu=$(drv menu "$frame") || fail "the menu of TF_main cannot be read"
  local texts
  texts=$(drv texts "$frame")
  expect "title" "Quillet: Internet Mail" "$(awk -F'\t' 'NR == 1 { print $4 }' <<<"$texts")"
  expect_soon "status text" "共: 4, 未读: 4" status_panel 0
  expect_soon "mailbox tree" "收件箱 (4) 发件箱 已发送邮件 废件箱" tree_items
  expect "menu bar" "文件(&F) 编辑(&E) 查看(&V) 邮件(&M) 邮箱(&B) 工具(&T) 帮助(&H)" \
    "$(awk -F'\t' '$1 == 0 { printf "%s%s", sep, $4; sep = " " }' <<<"$menu")"
  local list
  list=$(drv child "$frame" SysListView32) || fail "no message list"
  drv rows "$list" | grep -q '会议通知' || fail "the message list has no row \"会议通知\""
  shot main "$frame"
}

scene_mailto() {
  local status=0
  timeout 60 "$scripts/wine-run.sh" "$home/quillet.exe" "mailto:zhang@example.com" || status=$?
  expect "exit code of a second copy" 1 "$status"
  expect_soon "address shown by the first copy" "zhang@example.com" status_panel 1
  shot mailto "$frame"
}

# The password dialog (its edit is QUILLET_IDC_PASSWORD_EDIT) comes while the progress
# window is up: the screenshot shows both.
scene_receive() {
  drv command "$frame" "$1"
  local progress password report said
  progress=$(drv find - '接收邮件...') || fail "no progress window"
  if password=$(drv find '#32770' '口令' 10000); then
    drv texts "$progress" | grep -q $'\t取消$' || fail "the progress window has no button 取消"
    drv texts "$password" | grep -q 'alice' || fail "the password question does not name the account"
    shot receive-progress
    drv settext "$password" 102 secret
    drv command "$password" 1
  else
    shot receive-progress
  fi
  report=$(drv find '#32770' Quillet) || fail "no report box"
  said=$(text_of "$(drv texts "$report")" Static 65535)
  [[ $said == 收到\ 7\ 封新邮件* ]] || fail "report box: \"$said\""
  shot receive-report
  drv command "$report" 1
  drv gone "$report" || fail "the report box stays"
  expect_soon "status text after receiving" "共: 11, 未读: 11" status_panel 0
}

select_meeting_row() {
  local list row
  list=$(drv child "$frame" SysListView32)
  row=$(drv rows "$list" | awk -F'\t' '/会议通知/ { print NR - 1; exit }')
  [ -n "$row" ] || fail "no row \"会议通知\" to open"
  drv select "$list" "$row"
}

scene_viewer() {
  local viewer
  drv command "$frame" "$1"
  viewer=$(drv child "$frame" TF_viewer) || fail "no viewer window"
  drv texts "$viewer" | grep -q 'agenda.txt' || fail "the viewer does not list the attachment agenda.txt"
  shot viewer "$frame"
  drv close "$viewer"
  drv gone "$viewer" || fail "the viewer stays"
}

scene_setup() {
  drv command "$frame" "$1"
  local dialog
  dialog=$(drv find '#32770' -) || fail "no setup dialog"
  drv texts "$dialog" | grep -q 'alice@example.com' || fail "the setup dialog does not show the address"
  shot setup
  drv command "$dialog" 2
  drv gone "$dialog" || fail "the setup dialog stays"
}

scene_exit() {
  drv command "$frame" "$1"
  drv gone "$frame" || fail "TF_main stays after its exit command"
  local status=0
  for _ in $(seq 100); do kill -0 "$quillet_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$quillet_pid" 2>/dev/null && fail "quillet.exe still runs after its exit command"
  wait "$quillet_pid" || status=$?
  quillet_pid=""
  expect "exit code" 0 "$status"
}

prepare
skipped=()
for entry in "${SCENES[@]}"; do
  IFS='|' read -r name caption play setup <<<"$entry"
  id=""
  [ -z "$setup" ] || "$setup"
  if [ -n "$caption" ]; then
    menu=$(drv menu "$frame") || fail "the menu of TF_main cannot be read"
    id=$(enabled_command "$menu" "$caption")
    if [ -z "$id" ]; then
      echo "scene $name: command not available in this build"
      skipped+=("$name")
      continue
    fi
  elif [ -n "$frame" ]; then
    menu=$(drv menu "$frame") || fail "the menu of TF_main cannot be read"
  fi
  "$play" "$id"
  echo "scene $name: passed"
done
for name in $REQUIRED_SCENES; do
  for gap in "${skipped[@]}"; do
    [ "$gap" != "$name" ] || fail "required scene $name was skipped"
  done
done
echo "quillet_smoke: screenshots in $shots"

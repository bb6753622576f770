#!/usr/bin/env bash
# Runs a Windows program of the build under Wine on the current display, in the build's
# prefix. Without a window manager every hidden or destroyed window would stall two
# seconds, so the prefix's X11 driver is told to manage windows itself.
#   gui_test_run_env.sh EXE [arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
exe=$1
build_root=$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)
. "$scripts/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$build_root/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
"$scripts/wine-prefix.sh" "$WINEPREFIX"
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES=mscoree,mshtml= \
    "$QUILLET_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi
# Wine's helper processes keep the display until the prefix's server ends; waiting for it
# lets the display go cleanly afterwards.
status=0
"$scripts/wine-run.sh" "$@" || status=$?
wineserver -w || true
exit $status

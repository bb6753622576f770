#!/usr/bin/env bash
# Makes a Wine prefix ready for the tests, once: created under the Chinese locale, so
# GBK file names and captions work. Usage: wine-prefix.sh DIR
set -euo pipefail
prefix=$1
. "$(dirname "$0")/wine-env.sh"
[ -f "$prefix/system.reg" ] && exit 0
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$QUILLET_WINE" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$prefix.lock"

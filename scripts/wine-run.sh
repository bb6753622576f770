#!/usr/bin/env bash
# Runs a Windows executable under Wine for ctest, in the build folder's own prefix.
# The prefix is created once per build folder (wineboot takes about 13 s the first time).
set -euo pipefail
exe=$1; shift
build_root=${QUILLET_WINE_ROOT:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
. "$(dirname "$0")/wine-env.sh"
# The PE machine field: 014c is a 32-bit program, 8664 a 64-bit one.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ')
if [ "$machine" = 014c ] && [ "$QUILLET_WINE_BUILD" != win32 ]; then
  echo "wine-run: this machine cannot start 32-bit programs; run the win64 build's tests instead" >&2
  exit 1
fi
export WINEPREFIX=${WINEPREFIX:-$build_root/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${QUILLET_WINE_LANG:-zh_CN.UTF-8} LC_ALL=${QUILLET_WINE_LANG:-zh_CN.UTF-8}
"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"
exec "$QUILLET_WINE" "$exe" "$@"

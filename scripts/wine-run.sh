#!/usr/bin/env bash
# Runs a Windows executable under Wine for ctest, in the build folder's own prefix.
# The prefix is created once per build folder (wineboot takes about 13 s the first time).
set -euo pipefail
exe=$1; shift
build_root=${QUILLET_WINE_ROOT:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$build_root/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${QUILLET_WINE_LANG:-zh_CN.UTF-8} LC_ALL=${QUILLET_WINE_LANG:-zh_CN.UTF-8}
"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"
exec wine "$exe" "$@"

#!/usr/bin/env bash
# Runs quillet-cli.exe under Wine like a native command: the CLI tests call this in place
# of the executable when they test the Windows build.
set -euo pipefail
exe=$1; shift
export QUILLET_WINE_LANG=${QUILLET_WINE_LANG:-zh_CN.UTF-8}
exec "$(dirname "$0")/wine-run.sh" "$exe" "$@"

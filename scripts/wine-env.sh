#!/usr/bin/env bash
# Sourced by the Wine scripts: picks the Wine loader this machine can run.
#   QUILLET_WINE        the loader command
#   QUILLET_WINE_BUILD  the Windows build whose tests run under it: win32 where the kernel
#                       starts 32-bit programs, else win64 (some virtual machines' kernels
#                       have no 32-bit support at all, and 32-bit Wine cannot start there)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  QUILLET_WINE=wine
  QUILLET_WINE_BUILD=win32
else
  QUILLET_WINE=/usr/lib/wine/wine64
  QUILLET_WINE_BUILD=win64
  export WINELOADER=$QUILLET_WINE
fi

#!/usr/bin/env bash
# Runs a Windows program of the build under Wine on the current display, in the build's
# prefix. Without a window manager every hidden or destroyed window would stall two
# seconds, so the prefix's X11 driver is told to manage windows itself; the dialog font
# gets a stand-in that draws small sizes cleanly, and the caption buttons their symbol font.
#   gui_test_run_env.sh EXE [arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
exe=$1
build_root=$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)
. "$scripts/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$build_root/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
"$scripts/wine-prefix.sh" "$WINEPREFIX"
prefix_reg() {  # prefix_reg KEY VALUE DATA, once: the prefix's user.reg keeps it
  grep -qF "\"$2\"=\"$3\"" "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES=mscoree,mshtml= \
    "$QUILLET_WINE" reg add "HKCU\\Software\\Wine\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
  wineserver -w
}
prefix_reg 'X11 Driver' Managed N
# The Chinese dialog font (SimSun, which "MS Shell Dlg" also stands for) is not installed.
# Its fallback, an outline font whose own table turns smoothing off at small sizes, loses
# thin strokes at 9 points: hyphens vanish, 已 reads as 巳 and 未 as 天. The same family's
# face with hand-drawn small sizes draws wider than it measures, which clips menu captions.
# A face that is smoothed at every size and measures what it draws stands in for it.
for face in SimSun NSimSun; do prefix_reg 'Fonts\Replacements' "$face" 'WenQuanYi Micro Hei'; done
# Wine draws the caption buttons with its symbol font, which it looks for in the prefix's
# Fonts folder only.
symbol_font=/usr/share/wine/fonts/marlett.ttf
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -f "$symbol_font" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts" && cp "$symbol_font" "$fonts/"
fi
# Wine's helper processes keep the display until the prefix's server ends; waiting for it
# lets the display go cleanly afterwards.
status=0
"$scripts/wine-run.sh" "$@" || status=$?
wineserver -w || true
exit $status

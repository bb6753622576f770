#!/usr/bin/env bash
# Starts the shipped glyphora.exe under Wine on a display (Xvfb when none is set) with a
# document whose name is Chinese, lets the driver answer the file-type question, draw,
# paste a picture and a table, type text and big text, open the Preferences and Dimensions dialogs and close the program, and takes a screenshot
# of each scene the driver announces into BUILD/screenshots/.
#   glyphora_smoke.sh BUILD GLYPHORA_EXE DRIVER_EXE
set -euo pipefail
build=$1 glyphora=$2 driver=$3
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../../scripts
shots=$build/screenshots
work=$build/glyphora_smoke
rm -rf "$work"
mkdir -p "$shots" "$work/signals"
command -v import >/dev/null || { echo "glyphora_smoke: import missing (scripts/install-deps.sh installs imagemagick)" >&2; exit 1; }

# A drawing to open: the file's name shows in the title bar.
art="$work/示例画.gly"
printf '%-74s\r\n' \
  '                                        ' \
  '    ____  _             _               ' \
  '   / ___|| |_   _ _ __ | |__   ___  _ __' \
  '  | |  _ | | | | |  _ \|  _ \ / _ \| __|' \
  '  | |_| || | |_| | |_) | | | | (_) | |  ' \
  '   \____||_|\__, |  __/|_| |_|\___/|_|  ' \
  '            |___/|_|                    ' \
  '                                        ' > "$art"

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

run_driver() {
  "$here/../gui_test_run_env.sh" "$driver" "$(winpath "$glyphora")" "$(winpath "$art")" "$(winpath "$work/signals")" &
  local driver_pid=$! n=1 waited=0
  while kill -0 "$driver_pid" 2>/dev/null; do
    if [ -e "$work/signals/$n.ready" ]; then
      import -window root "$shots/glyphora-$n-$(cat "$work/signals/$n.ready").png"
      touch "$work/signals/$n.done"
      n=$((n + 1))
      waited=0
    fi
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -lt 300 ] || { echo "glyphora_smoke: scene $n never came" >&2; kill "$driver_pid"; return 1; }
  done
  wait "$driver_pid"
}

export -f run_driver winpath
export here driver glyphora art work shots
"$scripts/with-display.sh" bash -c run_driver
echo "glyphora_smoke: screenshots in $shots"

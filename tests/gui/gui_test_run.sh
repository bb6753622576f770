#!/usr/bin/env bash
# Runs the in-process GUI tests under Wine on a display (Xvfb when none is set).
#   gui_test_run.sh TEST_EXE [gtest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../scripts/with-display.sh" "$here/gui_test_run_env.sh" "$@"

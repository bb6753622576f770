#!/usr/bin/env bash
# Configures and builds one preset: native, asan, win32, bench or fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
jobs=${JOBS:-$(nproc)}
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" -G Ninja >/dev/null
fi
cmake --build "build/$preset" -j"$jobs"

#!/usr/bin/env bash
# Configures and builds one preset: native, asan, win32, bench or fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
jobs=${JOBS:-$(nproc)}
# A compiler cache, where one is installed, lets several working trees share their objects.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" -G Ninja >/dev/null
fi
cmake --build "build/$preset" -j"$jobs"

#!/usr/bin/env bash
# Builds and runs the parser benchmark (our parser against Python's email package on the
# same generated corpus). Extra arguments go to the benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUILLET_BENCH_BUILD:-build/bench}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target parser_bench
export QUILLET_MAIL_CORPUS=${QUILLET_MAIL_CORPUS:-$PWD/$build/mail_corpus}
[ -f "$QUILLET_MAIL_CORPUS/msg_00000.eml" ] || python3 scripts/make_mail_corpus.py "$QUILLET_MAIL_CORPUS"
"$build/bench/parser_bench" "$@"

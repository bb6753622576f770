#!/usr/bin/env bash
# Runs every built fuzzer for a few seconds from its seed corpus (fuzz/corpus/<name>).
# New inputs go to a scratch folder, so the committed corpus stays as it is.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
failed=0 ran=0
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  seeds=fuzz/corpus/$name
  [ -d "$seeds" ] || seeds=fuzz/corpus/${name%_fuzzer}
  scratch=$(mktemp -d)
  args=("$scratch")
  [ -d "$seeds" ] && args+=("$seeds")
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
       -artifact_prefix="build/fuzz/$name-" "${args[@]}" >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -o 'cov: [0-9]*' "build/fuzz/$name.log" | tail -1))"
  else
    echo "fuzz $name: FAILED"; tail -40 "build/fuzz/$name.log"; failed=$((failed + 1))
  fi
  ran=$((ran + 1))
  rm -rf "$scratch"
done
echo "$((ran - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]

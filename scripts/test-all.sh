#!/usr/bin/env bash
# Installs what is needed, builds every target and runs every test:
# native, ASan/UBSan, win32 under Wine, then each fuzzer briefly from its seed corpus.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

status=0
summary=()
step() {  # step NAME COMMAND...
  local name=$1; shift
  local started=$SECONDS
  echo
  echo "==== $name"
  if "$@"; then summary+=("PASS  $name ($((SECONDS - started)) s)")
  else summary+=("FAIL  $name ($((SECONDS - started)) s)"); status=1; fi
}

run_ctest() { (cd "build/$1" && ctest --output-on-failure --timeout 900); }

step "build native" bash scripts/build.sh native
step "test native" run_ctest native
step "build asan" bash scripts/build.sh asan
step "test asan" run_ctest asan
step "build win32" bash scripts/build.sh win32
step "test win32 (Wine)" run_ctest win32
step "build fuzz" bash scripts/build.sh fuzz
step "fuzz (brief runs)" bash scripts/fuzz-all.sh "${FUZZ_SECONDS:-10}"

echo
echo "==== summary"
printf '%s\n' "${summary[@]}"
exit $status

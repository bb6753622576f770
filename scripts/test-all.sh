#!/usr/bin/env bash
# Installs what is needed, builds every target and runs every test:
# native, ASan/UBSan, the Windows build under Wine, then each fuzzer briefly from its seed
# corpus. The shipped programs are 32-bit and always built; their tests run under Wine in
# that build where the kernel starts 32-bit programs, else in the 64-bit Windows build.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

status=0
summary=()
total_passed=0
total_failed=0
step() {  # step NAME COMMAND...
  local name=$1; shift
  local started=$SECONDS
  echo
  echo "==== $name"
  if "$@"; then summary+=("PASS  $name ($((SECONDS - started)) s)")
  else summary+=("FAIL  $name ($((SECONDS - started)) s)"); status=1; fi
}

# Adds the counts of a closing line "... F tests failed out of T" (ctest) or
# "P passed, F failed" (the fuzz runner) to the totals.
count_results() {
  local line
  line=$(grep -E 'tests failed out of [0-9]+' "$1" | tail -1)
  if [ -n "$line" ]; then
    local failed total
    failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    total_passed=$((total_passed + total - failed)); total_failed=$((total_failed + failed))
    return
  fi
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$1" | tail -1)
  if [ -n "$line" ]; then
    total_passed=$((total_passed + $(cut -d' ' -f1 <<<"$line")))
    total_failed=$((total_failed + $(cut -d' ' -f3 <<<"$line")))
  fi
}

# ctest's own summary, then each test program's closing lines (gtest and the CLI scripts).
run_ctest() {
  local rc=0 log="build/$1/ctest-output.log"
  (cd "build/$1" && ctest --output-on-failure --timeout 900) 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
  grep -E '^\[==========\] [0-9]+ tests? from .* ran|^\[  (PASSED|FAILED) +\] [0-9]+ tests?|^[0-9]+ passed, [0-9]+ failed' \
    "build/$1/Testing/Temporary/LastTest.log" | sed "s/^/  $1: /"
  count_results "$log"
  return $rc
}

run_fuzzers() {
  local rc=0 log=build/fuzz/fuzz-output.log
  bash scripts/fuzz-all.sh "${FUZZ_SECONDS:-10}" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
  count_results "$log"
  return $rc
}

step "build native" bash scripts/build.sh native
step "test native" run_ctest native
step "build asan" bash scripts/build.sh asan
step "test asan" run_ctest asan
step "build win32" bash scripts/build.sh win32
. scripts/wine-env.sh
if [ "$QUILLET_WINE_BUILD" != win32 ]; then
  echo
  echo "This machine's kernel cannot start 32-bit programs: the Windows tests run in the win64 build."
  step "build win64" bash scripts/build.sh win64
fi
step "test $QUILLET_WINE_BUILD (Wine)" run_ctest "$QUILLET_WINE_BUILD"
step "build fuzz" bash scripts/build.sh fuzz
step "fuzz (brief runs)" run_fuzzers

echo
echo "==== summary"
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
exit $status

# Shared helpers of the quillet-cli tests: each check prints one line, and the run ends
# with the usual "N passed, N failed" line. The caller sets exe to the executable; under
# the Windows build it runs through Wine (QUILLET_CLI_RUNNER).
if [ -n "${QUILLET_CLI_RUNNER:-}" ]; then
  cli() { "$QUILLET_CLI_RUNNER" "$exe" "$@"; }
else
  cli() { "$exe" "$@"; }
fi
work=$(mktemp -d)
export QUILLET_REGISTRY="$work/registry"  # the native build's registry file; Wine uses its prefix's
trap 'rm -rf "$work"' EXIT
cd "$work"
passed=0 failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
check_status() {  # check_status NAME EXPECTED-STATUS COMMAND...
  local name=$1 want=$2; shift 2
  "$@" >/dev/null 2>&1
  check "$name (exit status)" "$want" "$?"
}
step() {  # step COMMAND...: a command later checks build on; a failure is shown with its status
  "$@" && return 0
  check "$* (exit status)" 0 "$?"
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

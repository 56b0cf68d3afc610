# Counting passed and failed checks for the summary line of scripts/test-all.sh.
passed=0
failed=0
failures=()

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); failures+=("$1"); echo "FAILED: $1"; }

# check NAME COMMAND...: one check that passes when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass; else fail "$name"; fi
}

# add_gtest_counts NAME LOG EXIT: counts the test cases of a GoogleTest run
# from its log; a crash or a run without a summary counts as one failure.
add_gtest_counts() {
  local name=$1 log=$2 status=$3
  local ok bad
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  if [ -z "$ok" ]; then
    fail "$name (no summary, exit $status)"
    tail -20 "$log"
    return
  fi
  passed=$((passed + ok))
  if [ -n "$bad" ] && [ "$bad" != 0 ]; then
    failed=$((failed + bad))
    failures+=("$name: $bad test(s)")
    grep '^\[  FAILED  \]' "$log" | sed 's/^/  /'
  elif [ "$status" != 0 ]; then
    fail "$name (exit $status)"
  fi
}

# add_ctest_counts LOG: counts the tests of a CTest run from its log.
add_ctest_counts() {
  local log=$1 total bad
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/.*% tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -1)
  if [ -z "$total" ]; then
    fail "ctest (no summary)"
    return
  fi
  passed=$((passed + total - bad))
  if [ "$bad" != 0 ]; then
    failed=$((failed + bad))
    failures+=("ctest: $bad test(s)")
    sed -n '/The following tests FAILED/,$p' "$log"
  fi
}

summary() {
  echo
  if [ ${#failures[@]} -gt 0 ]; then
    echo "Failures:"
    printf '  %s\n' "${failures[@]}"
  fi
  echo "$passed passed, $failed failed"
}

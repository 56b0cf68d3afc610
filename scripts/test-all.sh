#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test layer:
#   native unit and dialog tests, fdtool, the libFuzzer targets, the win64
#   build with its tests under Wine, and beside those the store's tests and
#   the fuzzers again on the plain byte scans (those the i686 build runs,
#   which no processor here runs otherwise) and the win32 build.
# Ends with the line "N passed, N failed"; exits non-zero when anything failed.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
logs="$root/build/logs"
. scripts/lib/tally.sh

scripts/install-deps.sh || { echo "package installation failed"; echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"
jobs=$(nproc)

# step NAME: starts a layer; the time the previous one took is printed.
step_started=$(date +%s)
step_name=""
step() {
  local now
  now=$(date +%s)
  [ -n "$step_name" ] && echo "   ($step_name: $((now - step_started)) s)"
  step_name=${1:-}
  step_started=$now
  [ -n "$step_name" ] && echo "== $*"
}

# run_fuzzers BUILD RUNS [SUFFIX]: each libFuzzer target of the build on a
# copy of its corpus for RUNS inputs or FUZZ_SECONDS (60) seconds, whichever
# ends first, as many at a time as there are cores; SUFFIX tells its checks
# and logs apart. (The book reader and normalize take about 2.5 ms an input:
# 50 000 of them would hold the run for two minutes each.)
run_fuzzers() {
  local fuzzer name corpus work log
  local names=()
  for fuzzer in "$1"/tests/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    names+=("$name")
    corpus="tests/fuzz/corpus/${name#fuzz_}"
    log="$logs/$name${3:+-$3}.log"
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
    (
      work=$(mktemp -d)
      cp -r "$corpus"/. "$work"/ 2>/dev/null
      "$fuzzer" -runs="$2" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -seed=1 \
        "$work" >"$log" 2>&1
      echo $? >"$log.status"
      rm -rf "$work"
    ) &
  done
  wait
  for name in "${names[@]}"; do
    log="$logs/$name${3:+-$3}.log"
    if [ "$(cat "$log.status" 2>/dev/null)" = 0 ]; then
      pass
    else
      fail "$name${3:+ ($3)}"
      tail -n 30 "$log"
    fi
  done
}

# build PRESET [TARGET...]: configures and builds one preset (all of it, or
# the targets given), logs in build/logs.
build() {
  local preset=$1
  shift
  local targets=() settings=()
  [ $# -gt 0 ] && targets=(--target "$@")
  # The native tests need no debug information: a fifth less compiling.
  case "$preset" in
    native*) settings=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
                       -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG") ;;
  esac
  cmake --preset "$preset" "${settings[@]}" >"$logs/$preset-configure.log" 2>&1 &&
    cmake --build --preset "$preset" -j "$jobs" "${targets[@]}" >"$logs/$preset-build.log" 2>&1
}

step "native build, tests and fuzzers"
# Native build: portable code, fakes, unit and dialog tests, fuzzers, benchmarks, fdtool.
if build native; then
  pass
  (cd build/native && ctest -j "$jobs" --timeout 300 >"$logs/native-ctest.log" 2>&1)
  add_ctest_counts "$logs/native-ctest.log"
  echo "   ctest: $passed passed, $failed failed so far"
  run_fuzzers build/native "${FUZZ_RUNS:-50000}"
else
  fail "native build"
  tail -n 40 "$logs/native-configure.log" "$logs/native-build.log"
fi

# plain_scans_layer: the same code as the i686 build runs: its processor
# has no SSE2, so the store's scans take their plain paths. Only what tests
# them is built.
plain_scans_layer() {
  if build native-plain-scans; then
    pass
    local log="$logs/native-plain-scans-store_test.log"
    FAXBOOK_TEST_DATA="$root/tests/data" build/native-plain-scans/store/store_test >"$log" 2>&1
    add_gtest_counts "store_test (plain scans)" "$log" $?
    # The fast-scan fuzzers above have explored the rest of the same code.
    run_fuzzers build/native-plain-scans "${FUZZ_PLAIN_RUNS:-10000}" plain-scans
  else
    fail "native build with the plain scans"
    tail -n 40 "$logs/native-plain-scans-configure.log" "$logs/native-plain-scans-build.log"
  fi
}

# win32_layer: Windows i686, compiled and linked only (these machines
# cannot run it). What ships (the programs, libraries, resource libraries
# and help files) and fdtool; the tests are the win64 build's.
win32_layer() {
  if build win32 faxbook faxpick setuphelp quitnow ledgresLC pickresJPN pickresENG fdtool; then
    pass
  else
    fail "win32 build"
    tail -n 40 "$logs/win32-build.log"
  fi
}

step "win64 build"
# Windows x86_64: the programs, DLLs and tests, run under Wine.
win64_built=0
if build win64; then
  pass
  win64_built=1
else
  fail "win64 build"
  tail -n 40 "$logs/win64-configure.log" "$logs/win64-build.log"
fi

step "Wine tests, and beside them the plain scans and the win32 build"
# The Wine tests mostly wait on windows: the plain-scans layer and the
# win32 build use the idle processor meanwhile, at the lowest priority, so
# the Wine tests' programs come first. Their results are counted when they
# end.
rm -f "$logs/beside-wine.tally"
(
  renice -n 19 -p "$BASHPID" >/dev/null 2>&1
  passed=0 failed=0 failures=()
  layer_started=$(date +%s)
  plain_scans_layer
  echo "   (plain scans: the store's tests and the fuzzers: $(($(date +%s) - layer_started)) s)"
  layer_started=$(date +%s)
  win32_layer
  echo "   (win32 build: $(($(date +%s) - layer_started)) s)"
  declare -p passed failed failures >"$logs/beside-wine.tally"
) >"$logs/beside-wine.log" 2>&1 &
beside=$!
if [ "$win64_built" = 1 ]; then
  . tests/wine/run.sh
  run_wine_tests "$root/build/win64" "$logs"
fi
echo "   (Wine tests: $(($(date +%s) - step_started)) s)"
wait "$beside"
cat "$logs/beside-wine.log"
wine_passed=$passed wine_failed=$failed wine_failures=("${failures[@]}")
if [ -f "$logs/beside-wine.tally" ]; then
  . "$logs/beside-wine.tally"
  passed=$((passed + wine_passed))
  failed=$((failed + wine_failed))
  failures=("${wine_failures[@]}" "${failures[@]}")
else
  passed=$wine_passed failed=$wine_failed failures=("${wine_failures[@]}")
  fail "plain scans and win32 build (no results)"
fi

step
summary
[ "$failed" = 0 ]

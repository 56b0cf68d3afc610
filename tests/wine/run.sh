# Runs the tests of the win64 build under Wine (sourced by scripts/test-all.sh,
# which provides pass, fail, add_gtest_counts).
#
# 1. Every GoogleTest program of the build (the portable layers cross-built,
#    and the system tests of tests/wine) under a Japanese locale; the system
#    tests also under an English and a Czech one (code pages 1252 and 1250).
# 2. Every tests/wine/*_test.sh: end-to-end tests of the real programs. Each
#    gets the build folder and a scratch folder, prints "ok NAME" or
#    "not ok NAME" per check and exits non-zero on failure. Its Wine
#    prefixes go when it ends; its pictures stay in the scratch folder.
#
# The scripts mostly wait on windows, so they run in lanes side by side
# (FAXBOOK_WINE_LANES, 2 by default), each with its own prefixes and X
# display; the first lane runs the GoogleTest programs first. Results are
# counted afterwards in a fixed order, and each piece's time is printed.

# run_wine_job JOB BUILD SCRATCH LOGS: one piece of work of a lane; its
# exit status goes to LOGS/JOB.status, its time to LOGS/JOB.time.
run_wine_job() {
  local job=$1 build=$2 scratch=$3 logs=$4 here=$5
  local started status
  started=$(date +%s)
  case "$job" in
    unit) run_wine_unit_tests "$build" "$scratch" "$logs" ;;
    *)
      bash "$here/$job.sh" "$build" "$scratch/$job" >"$logs/wine-$job.log" 2>&1
      status=$?
      echo "$status" >"$logs/wine-$job.status"
      stop_prefixes "$scratch/$job"
      drop_prefixes "$scratch/$job"
      ;;
  esac
  echo $(($(date +%s) - started)) >"$logs/wine-$job.time"
}

# run_wine_unit_tests BUILD SCRATCH LOGS: the GoogleTest programs, their
# exit statuses in LOGS/wine-NAME-LANG.status.
run_wine_unit_tests() {
  local build=$1 scratch=$2 logs=$3
  (
    . "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
    if ! new_prefix "$scratch/unit" ja_JP.UTF-8; then
      echo 1 >"$logs/wine-prefix.status"
      exit
    fi
    echo 0 >"$logs/wine-prefix.status"
    local exe name
    while IFS= read -r exe; do
      name=$(basename "$exe" .exe)
      FAXBOOK_EXPECT_ACP=932 wine_run ja_JP.UTF-8 "$exe" >"$logs/wine-$name-ja.log" 2>&1
      echo $? >"$logs/wine-$name-ja.status"
      case "$exe" in
        */tests/wine/*)
          FAXBOOK_EXPECT_ACP=1252 wine_run en_US.UTF-8 "$exe" >"$logs/wine-$name-en.log" 2>&1
          echo $? >"$logs/wine-$name-en.status"
          FAXBOOK_EXPECT_ACP=1250 wine_run cs_CZ.UTF-8 "$exe" >"$logs/wine-$name-cs.log" 2>&1
          echo $? >"$logs/wine-$name-cs.status"
          ;;
      esac
    done < <(wine_unit_programs "$build")
    stop_wine
  )
  drop_prefixes "$scratch/unit"
}

wine_unit_programs() {
  find "$1" -name '*_test.exe' -not -path '*/googletest/*' | sort
}

run_wine_tests() {
  local build=$1 logs=$2
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  local scratch="$build/wine-run"
  local lanes=${FAXBOOK_WINE_LANES:-2}
  local queue
  queue=$(mktemp -d)
  rm -f "$logs"/wine-*.status "$logs"/wine-*.time

  # The longest scripts first, so that the lanes end close together.
  local jobs=(unit) script
  for script in run_faxbook_test faxpick_manners_test run_faxpick_test faxbook_manners_test \
    faxbook_rescue_test faxpick_test faxbook_csv_import_test faxbook_shared_test \
    faxbook_bulk_test faxbook_test installer_test; do
    [ -f "$here/$script.sh" ] && jobs+=("$script")
  done
  for script in "$here"/*_test.sh; do
    script=$(basename "$script" .sh)
    case " ${jobs[*]} " in *" $script "*) ;; *) jobs+=("$script") ;; esac
  done

  local lane pids=()
  for lane in $(seq "$lanes"); do
    (
      local i
      for i in "${!jobs[@]}"; do
        # The first lane takes the GoogleTest programs; then whichever lane
        # is free takes the next job.
        [ "$i" = 0 ] && [ "$lane" != 1 ] && continue
        mkdir "$queue/$i" 2>/dev/null || continue
        run_wine_job "${jobs[$i]}" "$build" "$scratch" "$logs" "$here"
      done
    ) &
    pids+=($!)
  done
  wait "${pids[@]}"
  rm -rf "$queue"

  # Counting, in a fixed order.
  if [ "$(cat "$logs/wine-prefix.status" 2>/dev/null)" != 0 ]; then
    fail "wine prefix"
  else
    local exe name lang
    while IFS= read -r exe; do
      name=$(basename "$exe" .exe)
      for lang in ja en cs; do
        [ -f "$logs/wine-$name-$lang.status" ] || continue
        add_gtest_counts "wine $lang: $name" "$logs/wine-$name-$lang.log" \
          "$(cat "$logs/wine-$name-$lang.status")"
      done
    done < <(wine_unit_programs "$build")
  fi
  local job log status line counted
  for job in "${jobs[@]}"; do
    echo "   (wine $job: $(cat "$logs/wine-$job.time" 2>/dev/null || echo '?') s)"
    [ "$job" = unit ] && continue
    log="$logs/wine-$job.log"
    status=$(cat "$logs/wine-$job.status" 2>/dev/null || echo "not run")
    counted=0
    while IFS= read -r line; do
      case "$line" in
        "not ok "*) fail "wine $job: ${line#not ok }"; counted=1 ;;
        "ok "*) pass; counted=1 ;;
      esac
    done <"$log"
    if [ "$status" != 0 ] && ! grep -q '^not ok ' "$log"; then
      fail "wine $job (exit $status)"
      tail -20 "$log"
    elif [ "$counted" = 0 ]; then
      fail "wine $job (no results)"
    fi
  done
}

# stop_prefixes DIR: ends what still runs in the Wine prefixes below DIR.
stop_prefixes() {
  local prefix
  while IFS= read -r prefix; do
    WINEPREFIX=$prefix "${WINESERVER:-/usr/lib/wine/wineserver64}" -k >/dev/null 2>&1
  done < <(find "$1" -type d -name prefix -prune 2>/dev/null)
}

# drop_prefixes DIR: removes the Wine prefixes below DIR (about 700 MB
# each), keeping the pictures and files the test left beside them.
drop_prefixes() {
  local prefix
  while IFS= read -r prefix; do
    [ -d "$prefix/drive_c" ] && rm -rf "$prefix"
  done < <(find "$1" -type d -name prefix -prune 2>/dev/null)
}

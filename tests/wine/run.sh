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

run_wine_tests() {
  local build=$1 logs=$2
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  . "$here/lib.sh"
  local scratch="$build/wine-run"
  if ! new_prefix "$scratch/unit" ja_JP.UTF-8; then
    fail "wine prefix"
    return
  fi
  local exe name log status
  while IFS= read -r exe; do
    name=$(basename "$exe" .exe)
    log="$logs/wine-$name-ja.log"
    FAXBOOK_EXPECT_ACP=932 wine_run ja_JP.UTF-8 "$exe" >"$log" 2>&1
    status=$?
    add_gtest_counts "wine ja: $name" "$log" "$status"
    case "$exe" in
      */tests/wine/*)
        log="$logs/wine-$name-en.log"
        FAXBOOK_EXPECT_ACP=1252 wine_run en_US.UTF-8 "$exe" >"$log" 2>&1
        status=$?
        add_gtest_counts "wine en: $name" "$log" "$status"
        log="$logs/wine-$name-cs.log"
        FAXBOOK_EXPECT_ACP=1250 wine_run cs_CZ.UTF-8 "$exe" >"$log" 2>&1
        status=$?
        add_gtest_counts "wine cs: $name" "$log" "$status"
        ;;
    esac
  done < <(find "$build" -name '*_test.exe' -not -path '*/googletest/*' | sort)
  stop_wine
  drop_prefixes "$scratch/unit"

  local script line
  for script in "$here"/*_test.sh; do
    [ -f "$script" ] || continue
    name=$(basename "$script" .sh)
    log="$logs/wine-$name.log"
    bash "$script" "$build" "$scratch/$name" >"$log" 2>&1
    status=$?
    local counted=0
    while IFS= read -r line; do
      case "$line" in
        "not ok "*) fail "wine $name: ${line#not ok }"; counted=1 ;;
        "ok "*) pass; counted=1 ;;
      esac
    done <"$log"
    if [ "$status" != 0 ] && ! grep -q '^not ok ' "$log"; then
      fail "wine $name (exit $status)"
      tail -20 "$log"
    elif [ "$counted" = 0 ]; then
      fail "wine $name (no results)"
    fi
    stop_wine
    drop_prefixes "$scratch/$name"
  done
}

# drop_prefixes DIR: removes the Wine prefixes below DIR (about 700 MB
# each), keeping the pictures and files the test left beside them.
drop_prefixes() {
  local prefix
  while IFS= read -r prefix; do
    [ -d "$prefix/drive_c" ] && rm -rf "$prefix"
  done < <(find "$1" -type d -name prefix -prune 2>/dev/null)
}

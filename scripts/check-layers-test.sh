#!/usr/bin/env bash
# The layer check on small trees: each case writes a few files (path, then
# the names it includes, separated by spaces) and says whether the check
# must pass, and which circle it must name.
set -u
check="$(cd "$(dirname "$0")" && pwd)/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# case NAME EXPECT(pass|fail) EXPECTED-LINE FILE-ENTRY...
#   FILE-ENTRY: "path:inc1,inc2" ("<name>" for a system header)
case_() {
  local name=$1 expect=$2 line=$3
  shift 3
  local tree="$work/$name"
  mkdir -p "$tree"
  local entry path incs inc
  for entry in "$@"; do
    path=${entry%%:*}
    incs=${entry#*:}
    mkdir -p "$tree/$(dirname "$path")"
    : >"$tree/$path"
    IFS=, read -ra list <<<"$incs"
    for inc in "${list[@]}"; do
      [ -n "$inc" ] || continue
      case $inc in
        \<*) echo "#include $inc" >>"$tree/$path" ;;
        *) echo "#include \"$inc\"" >>"$tree/$path" ;;
      esac
    done
  done
  local out rc
  out=$("$check" "$tree" 2>&1)
  rc=$?
  local ok=1
  if [ "$expect" = pass ] && [ $rc -ne 0 ]; then ok=0; fi
  if [ "$expect" = fail ] && [ $rc -eq 0 ]; then ok=0; fi
  if [ -n "$line" ] && ! grep -qxF -- "$line" <<<"$out"; then ok=0; fi
  if [ $ok = 1 ]; then
    echo "ok   $name"
  else
    echo "FAIL $name (rc $rc):"
    echo "$out" | sed 's/^/    /'
    failed=1
  fi
}

case_ clean pass "layers ok" \
  "a/x.h:<vector>,b/y.h" "a/x.cpp:a/x.h" "b/y.h:"
case_ two_files fail "file include circle: a/x.h -> a/y.h -> a/x.h" \
  "a/x.h:a/y.h" "a/y.h:a/x.h"
case_ three_files fail "file include circle: a/p.h -> a/q.h -> a/r.h -> a/p.h" \
  "a/p.h:a/q.h" "a/q.h:a/r.h" "a/r.h:a/p.h"
case_ beside_the_file fail "file include circle: res/m.rc -> res/n.h -> res/m.rc" \
  "res/m.rc:n.h" "res/n.h:res/m.rc"
case_ folders_only fail "folder include circle: a -> b -> a" \
  "a/x.h:b/y.h" "b/z.h:a/w.h" "a/w.h:" "b/y.h:"
case_ folders_three fail "folder include circle: a -> b -> c -> a" \
  "a/x.h:b/y.h" "b/y.h:" "b/v.h:c/z.h" "c/z.h:" "c/u.h:a/t.h" "a/t.h:"
case_ tests_stand_above pass "layers ok" \
  "a/x.h:" "a/x_test.cpp:a/x.h,support/h.h" "support/h.h:a/x.h"
case_ test_support_in_folder fail "folder include circle: a -> support -> a" \
  "a/x.h:" "a/x_helper.cpp:support/h.h" "support/h.h:a/x.h"
case_ unknown_names pass "layers ok" \
  "a/x.h:generated.h,missing/y.h" "a/y.h:a/x.h"
case_ build_output_ignored pass "layers ok" \
  "a/x.h:" "build/native/a/x.h:build/native/a/y.h" "build/native/a/y.h:build/native/a/x.h"
case_ layer_rule fail "store must not include faxbook/:" \
  "store/s.h:faxbook/shell/v.h" "faxbook/shell/v.h:"

exit $failed

#!/usr/bin/env bash
# make_largest_book from the outside: options are never taken for the name
# of the book it writes.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE DESCRIPTION -- ARGS...: the exit code, and no file written.
expect() {
  local want=$1 what=$2
  shift 3
  "$tool" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$want" ] || fail "$what: exit $got, expected $want"
  [ -z "$(ls -A | grep -v -e '^out.txt$' -e '^err.txt$')" ] || fail "$what: wrote $(ls -A | tr '\n' ' ')"
  rm -f ./*
}

expect 0 "--help" -- --help
expect 0 "-h" -- -h
expect 64 "an unknown option" -- --bogus book.fdt
expect 64 "an unknown option alone" -- --bogus
expect 64 "an unknown short option" -- -x
expect 64 "no OUT" --
expect 64 "two OUTs" -- a.fdt b.fdt
expect 64 "--groups without OUT" -- --groups

"$tool" --help >out.txt 2>&1
grep -qx 'usage: make_largest_book \[--groups\] OUT' out.txt || fail "--help printed: $(cat out.txt)"
rm -f out.txt

"$tool" book.fdt || fail "a plain OUT: exit $?"
[ "$(stat -c %s book.fdt 2>/dev/null || echo 0)" -gt 3000000 ] || fail "the largest book was not written"
"$tool" -- --odd.fdt || fail "OUT after --: exit $?"
[ -s ./--odd.fdt ] || fail "the name after -- was not written"

echo "$failures failure(s)"
[ "$failures" = 0 ]

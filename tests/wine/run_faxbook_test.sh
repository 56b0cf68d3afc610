#!/usr/bin/env bash
# scripts/run-faxbook.sh does what it says: --book puts the book in place
# every time it is given, keeping the one before as a backup; a change of
# language keeps the user's book; the editor shows that book.
#
# Usage: run_faxbook_test.sh WIN64_BUILD SCRATCH (the build must be the one
# the script builds, build/win64 of this tree). Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/report.sh"
root=$(cd "$here/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)
export FAXBOOK_RUN_DIR="$scratch/run"
unset DISPLAY

book() {  # book FILE ENTRIES...: a book with one address per reading
  local reading n=0
  {
    printf '%s\r\n' '// a book'
    for reading in "${@:2}"; do
      n=$((n + 1))
      printf '[FAX_ADDR]=1,%d,%s,%s,0%d,,,,,,0\r\n' "$n" "$reading" "$reading" "$n"
    done
  } >"$1"
}
book "$scratch/first.fdt" ALPHA BETA
book "$scratch/second.fdt" GAMMA DELTA EPSILON

run() { "$root/scripts/run-faxbook.sh" "$@" >"$scratch/out" 2>&1; local s=$?; cat "$scratch/out"; return $s; }
user_book() { find "$FAXBOOK_RUN_DIR/wine/prefix/drive_c/users" -path '*/Documents/BrevantZelo/FaxbookData/address.fdt' | head -1; }
backups() { find "$FAXBOOK_RUN_DIR/wine/prefix/drive_c/users" -name 'address.fdt.*.bak' | wc -l; }
shows() { grep -q "^the editor shows $1 entries" "$scratch/out"; }

run --book "$scratch/first.fdt" >/dev/null
check "the first --book becomes the user's book" cmp -s "$(user_book)" "$scratch/first.fdt"
check "the editor shows it" shows 2

run --book "$scratch/second.fdt" >/dev/null
check "a second --book replaces it" cmp -s "$(user_book)" "$scratch/second.fdt"
check "the editor shows the new book" shows 3
check "the book before is kept as a backup" \
  cmp -s "$(find "$FAXBOOK_RUN_DIR" -name 'address.fdt.*.bak' | head -1)" "$scratch/first.fdt"
check "and the script says so" grep -q "^the previous book is kept as " "$scratch/out"

run --language English >/dev/null
check "a change of language keeps the user's book" cmp -s "$(user_book)" "$scratch/second.fdt"
check "the English editor shows it" shows 3

run --book "$scratch/second.fdt" >/dev/null
check "the same book again makes no backup" test "$(backups)" = 1
check "the editor still shows it" shows 3
[ "$failures" = 0 ]

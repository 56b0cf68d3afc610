#!/usr/bin/env bash
# fdtool from the outside: exit codes, messages on bad arguments, and the
# example book reproduced byte for byte through the real file system.
set -u
fdtool=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

reason() {  # reason DESCRIPTION TEXT: the error line says TEXT
  grep -qF -- "$2" "$work/err" || { echo "FAIL: $1: error line lacks \"$2\": $(cat "$work/err")"; failures=$((failures + 1)); }
}

expect() {  # expect CODE DESCRIPTION -- command...
  local want=$1 what=$2
  shift 3
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what: exit $got, expected $want"; cat "$work/err"; failures=$((failures + 1))
  elif [ "$want" != 0 ] && [ "$want" != 1 ] && [ "$(wc -l <"$work/err")" != 1 ]; then
    echo "FAIL: $what: expected one line on standard error"; cat "$work/err"; failures=$((failures + 1))
  elif [ "$want" = 1 ] && [ "$(wc -l <"$work/err")" -gt 1 ]; then
    echo "FAIL: $what: expected one line on standard error"; cat "$work/err"; failures=$((failures + 1))
  fi
}

expect 64 "no command" -- "$fdtool"
expect 64 "unknown command" -- "$fdtool" frobnicate x
expect 64 "missing OUT" -- "$fdtool" normalize "$data/example_ja.fdt"
expect 64 "bad language" -- "$fdtool" check --lang abc "$data/example_ja.fdt"
expect 64 "language out of range" -- "$fdtool" check --lang 70000 "$data/example_ja.fdt"
expect 64 "--lang without value" -- "$fdtool" check "$data/example_ja.fdt" --lang
expect 64 "unknown option" -- "$fdtool" dump --color "$data/example_ja.fdt"
expect 2 "missing file" -- "$fdtool" check "$work/missing.fdt"
reason "missing file" "cannot read $work/missing.fdt: no such file"
expect 2 "a folder is no book" -- "$fdtool" dump "$work"
reason "a folder is no book" "cannot read $work: is a directory"
expect 2 "normalize of a missing file" -- "$fdtool" normalize "$work/missing.fdt" "$work/out.fdt"
[ -e "$work/out.fdt" ] && { echo "FAIL: normalize of a missing file wrote OUT"; failures=$((failures + 1)); }
if [ "$(id -u)" != 0 ]; then
  cp "$data/example_ja.fdt" "$work/locked.fdt" && chmod 000 "$work/locked.fdt"
  expect 2 "an unreadable file" -- "$fdtool" check "$work/locked.fdt"
  reason "an unreadable file" "cannot read $work/locked.fdt: permission denied"
fi

# A book over the read limit is refused whole, and normalising it onto
# itself leaves it as it was (sparse: no disk space taken).
truncate -s 257M "$work/huge.fdt"
printf 'h\r\n[FAX_ADDR]=1,1,a,A,1,,,,,,0\r\n' | dd of="$work/huge.fdt" conv=notrunc 2>/dev/null
before=$(md5sum <"$work/huge.fdt")
expect 2 "normalize of a book over the limit" -- "$fdtool" normalize "$work/huge.fdt" "$work/huge.fdt"
reason "normalize of a book over the limit" "cannot read $work/huge.fdt: larger than 256 MiB"
[ "$(md5sum <"$work/huge.fdt")" = "$before" ] || { echo "FAIL: the book over the limit was changed"; failures=$((failures + 1)); }
[ "$(ls "$work" | grep -c '~fbk')" = 0 ] || { echo "FAIL: a temporary file was left"; failures=$((failures + 1)); }
rm -f "$work/huge.fdt"

printf 'h\r\n[FAX_ADDR]=1,1,a,A,1,,,,,,0\r\n[FAX_ADDR]=1,2,b,A,2,,,,,,0\r\n' >"$work/lossy.fdt"
expect 1 "check of a book the load would cut" -- "$fdtool" check "$work/lossy.fdt"
grep -q '^line 3: dropped by the load' "$work/out" || { echo "FAIL: check did not say why"; failures=$((failures + 1)); }
expect 64 "import-fed without OUT" -- "$fdtool" import-fed "$work/missing.fed"
expect 2 "import-fed of a missing file" -- "$fdtool" import-fed "$work/missing.fed" "$work/out.fdt"
expect 1 "import-fed of a file that is no device file" -- "$fdtool" import-fed "$data/example_ja.fdt" "$work/out.fdt"
[ -e "$work/out.fdt" ] && { echo "FAIL: a failed import-fed wrote OUT"; failures=$((failures + 1)); }

expect 0 "normalize the example" -- "$fdtool" normalize "$data/example_ja.fdt" "$work/example.fdt"
cmp -s "$data/example_ja.fdt" "$work/example.fdt" || { echo "FAIL: example not reproduced"; failures=$((failures + 1)); }
expect 0 "check the example" -- "$fdtool" check "$data/example_ja.fdt"

printf 'h\r\n[FAX_ADDR]=1,1,\x93\x63\x92\x86,\xC0\xC5\xB6,03,,,,,,1\r\n' >"$work/ja.fdt"
expect 0 "dump as UTF-8" -- "$fdtool" dump --utf8 "$work/ja.fdt"
want=$(printf 'entry\t1\t1\t田中\tﾀﾅｶ\t03\t\t\t\t\t\t1')
[ "$(cat "$work/out")" = "$want" ] || { echo "FAIL: dump --utf8 gave: $(cat "$work/out")"; failures=$((failures + 1)); }

# The CSV commands: a CSV exported from the example book, imported into an
# empty book, gives back its addresses; the UTF-8 forms give the same book.
printf '%s\r\n' '// This is BrevantZelo Relay Fax AddressBook  Utility Data.' >"$work/empty.fdt"
expect 0 "export-csv" -- "$fdtool" export-csv "$data/example_ja.fdt" "$work/book.csv"
expect 0 "import-csv of the export" -- "$fdtool" import-csv "$work/empty.fdt" "$work/book.csv" "$work/back.fdt"
grep -c '^\[FAX_ADDR\]=1,' "$work/back.fdt" | grep -qx 2 || { echo "FAIL: the two addresses did not come back"; failures=$((failures + 1)); }
expect 0 "export-csv --utf8" -- "$fdtool" export-csv --utf8 "$data/example_ja.fdt" "$work/book-utf8.csv"
expect 0 "import-csv --from-utf8" -- "$fdtool" import-csv --from-utf8 "$work/empty.fdt" "$work/book-utf8.csv" "$work/back-utf8.fdt"
cmp -s "$work/back.fdt" "$work/back-utf8.fdt" || { echo "FAIL: the UTF-8 form gave another book"; failures=$((failures + 1)); }
# The same export as UTF-16 with tabs, as spreadsheets save Unicode text:
# found by its mark, or named with --charset utf16.
{
  printf '\xFF\xFE'
  printf '%s\r\n' $'DispName\tDispNameJP\tFaxNumber\tSubAddress\tPassword\tCompanyName\tDepartmentName\tClientName' \
    $'Kita Branch\tKITA\t03-111-222\t\t\tKita, Ltd.\tSales\tKita Desk' \
    $'Minami Shop\tMINAMI\t06-333-444\t12\t\t"The ""Sun"" Shop"\t\t' | iconv -f UTF-8 -t UTF-16LE
} >"$work/book-utf16.csv"
expect 0 "import-csv of a UTF-16 file" -- "$fdtool" import-csv "$work/empty.fdt" "$work/book-utf16.csv" "$work/back-utf16.fdt"
cmp -s "$work/back.fdt" "$work/back-utf16.fdt" || { echo "FAIL: the UTF-16 form gave another book"; failures=$((failures + 1)); }
expect 0 "import-csv --charset utf16" -- "$fdtool" import-csv --charset utf16 "$work/empty.fdt" "$work/book-utf16.csv" "$work/back-utf16.fdt"
cmp -s "$work/back.fdt" "$work/back-utf16.fdt" || { echo "FAIL: --charset utf16 gave another book"; failures=$((failures + 1)); }
expect 64 "import-csv with an unknown --charset" -- "$fdtool" import-csv --charset utf32 "$work/empty.fdt" "$work/book.csv" "$work/x.fdt"
expect 64 "import-csv with a bad --map" -- "$fdtool" import-csv --map Reading=1 "$work/empty.fdt" "$work/book.csv" "$work/x.fdt"
expect 64 "import-csv --map without value" -- "$fdtool" import-csv "$work/empty.fdt" "$work/book.csv" "$work/x.fdt" --map
expect 64 "import-csv without OUT" -- "$fdtool" import-csv "$work/empty.fdt" "$work/book.csv"
expect 64 "--from-utf8 belongs to import-csv" -- "$fdtool" export-csv --from-utf8 "$work/empty.fdt" "$work/y.csv"
expect 2 "import-csv of a missing CSV" -- "$fdtool" import-csv "$work/empty.fdt" "$work/missing.csv" "$work/x.fdt"
expect 2 "import-csv into a missing book" -- "$fdtool" import-csv "$work/missing.fdt" "$work/book.csv" "$work/x.fdt"
expect 2 "export-csv of a missing book" -- "$fdtool" export-csv "$work/missing.fdt" "$work/y.csv"
[ -e "$work/x.fdt" ] || [ -e "$work/y.csv" ] && { echo "FAIL: a failed command wrote its output"; failures=$((failures + 1)); }

# Outputs: an input of another kind is never written over, whatever name
# reaches it; a symbolic link stays a link and its file takes the bytes; a
# report that cannot be written whole fails the command.
unchanged() {  # unchanged DESCRIPTION FILE COPY
  cmp -s "$2" "$3" || { echo "FAIL: $1: $2 was changed"; failures=$((failures + 1)); }
}
cp "$data/example_ja.fdt" "$work/own.fdt"
cp "$work/own.fdt" "$work/own.copy"
ln "$work/own.fdt" "$work/hard.fdt"
ln -s own.fdt "$work/soft.fdt"
for out in "$work/own.fdt" "$work/hard.fdt" "$work/soft.fdt" "$work/./own.fdt"; do
  expect 64 "export-csv onto its book as $out" -- "$fdtool" export-csv "$work/own.fdt" "$out"
  reason "export-csv onto its book as $out" "not writing $out: it is the same file as the book"
  unchanged "export-csv onto its book as $out" "$work/own.fdt" "$work/own.copy"
done
cp "$work/book.csv" "$work/book.csv.copy"
ln -s book.csv "$work/csv-link.fdt"
for out in "$work/book.csv" "$work/csv-link.fdt"; do
  expect 64 "import-csv onto its CSV as $out" -- "$fdtool" import-csv "$work/empty.fdt" "$work/book.csv" "$out"
  unchanged "import-csv onto its CSV as $out" "$work/book.csv" "$work/book.csv.copy"
done
expect 0 "import-csv into its book in place" -- "$fdtool" import-csv "$work/own.fdt" "$work/book.csv" "$work/soft.fdt"
[ -L "$work/soft.fdt" ] || { echo "FAIL: the link was replaced by a file"; failures=$((failures + 1)); }
grep -q 'Kita Branch(1)' "$work/own.fdt" || { echo "FAIL: the link's file did not take the rows"; failures=$((failures + 1)); }
cmp -s "$work/own.fdt" "$work/hard.fdt" && { echo "FAIL: the other name of the old file changed too"; failures=$((failures + 1)); }

"$fdtool" dump "$data/example_ja.fdt" >/dev/full 2>"$work/err"
[ $? = 1 ] && grep -qx 'fdtool: cannot write standard output: disk full' "$work/err" ||
  { echo "FAIL: dump onto a full disk: $(cat "$work/err")"; failures=$((failures + 1)); }
"$fdtool" check "$data/example_ja.fdt" >/dev/full 2>"$work/err"
[ $? = 1 ] && grep -qx 'fdtool: cannot write standard output: disk full' "$work/err" ||
  { echo "FAIL: check onto a full disk: $(cat "$work/err")"; failures=$((failures + 1)); }

# Bytes code page 1250 leaves undefined: named with their line and field.
printf 'h\r\n[FAX_ADDR]=1,1,,A\x81\x98,03,,,,,,0\r\n' >"$work/cs.fdt"
"$fdtool" dump --lang 1029 --utf8 "$work/cs.fdt" >"$work/out" 2>"$work/err"
[ $? = 1 ] || { echo "FAIL: dump --utf8 of undefined bytes ended well"; failures=$((failures + 1)); }
grep -qxF "fdtool: $work/cs.fdt line 2, DispNameJP, byte 2: 0x81 is no character of code page 1250; shown as U+FFFD" "$work/err" &&
  grep -qF "byte 3: 0x98" "$work/err" || { echo "FAIL: dump --utf8 did not say where: $(cat "$work/err")"; failures=$((failures + 1)); }
"$fdtool" export-csv --lang 1029 --utf8 "$work/cs.fdt" "$work/cs.csv" 2>"$work/err"
[ $? = 1 ] && grep -qF "$work/cs.fdt RegNo 1, DispNameJP, byte 3: 0x98" "$work/err" ||
  { echo "FAIL: export-csv --utf8 of undefined bytes: $(cat "$work/err")"; failures=$((failures + 1)); }
[ -e "$work/cs.csv" ] && { echo "FAIL: a lossy UTF-8 export was written"; failures=$((failures + 1)); }

# A NUL byte in a CSV row refuses the row, and says so.
printf 'Name,Reading,Fax,Sub,Password,Company,Department,Recipient\r\nNul,NUL\0lost,03\r\nKeep,KEEP,04\r\n' >"$work/nul.csv"
"$fdtool" import-csv "$work/empty.fdt" "$work/nul.csv" "$work/nul.fdt" 2>"$work/err"
grep -qxF "fdtool: $work/nul.csv line 2 not added: a NUL byte cuts the line short" "$work/err" &&
  grep -q 'KEEP' "$work/nul.fdt" && ! grep -q 'NUL' "$work/nul.fdt" ||
  { echo "FAIL: the row cut at a NUL: $(cat "$work/err")"; failures=$((failures + 1)); }

# merge: one side's changes each, a conflict reported or resolved, an
# unreadable side.
h='// This is BrevantZelo Relay Fax AddressBook  Utility Data.'
printf '%s\r\n[FAX_ADDR]=1,1,A,A,01,,,,,,0\r\n[FAX_ADDR]=1,2,B,B,02,,,,,,0\r\n' "$h" >"$work/base.fdt"
printf '%s\r\n[FAX_ADDR]=1,1,A,A,11,,,,,,0\r\n[FAX_ADDR]=1,2,B,B,02,,,,,,0\r\n[FAX_ADDR]=1,3,X,X,03,,,,,,0\r\n' "$h" >"$work/mine.fdt"
printf '%s\r\n[FAX_ADDR]=1,1,A,A,01,,,,,,0\r\n[FAX_ADDR]=1,2,B,B,22,,,,,,0\r\n[FAX_ADDR]=1,3,Y,Y,04,,,,,,0\r\n' "$h" >"$work/theirs.fdt"
expect 0 "merge of changes to different entries" -- "$fdtool" merge "$work/base.fdt" "$work/mine.fdt" "$work/theirs.fdt" "$work/merged.fdt"
printf '%s\r\n[FAX_ADDR]=1,1,A,A,11,,,,,,0\r\n[FAX_ADDR]=1,2,B,B,22,,,,,,0\r\n[FAX_ADDR]=1,4,X,X,03,,,,,,0\r\n[FAX_ADDR]=1,3,Y,Y,04,,,,,,0\r\n' "$h" >"$work/want.fdt"
"$fdtool" normalize "$work/want.fdt" "$work/want.fdt"
cmp -s "$work/merged.fdt" "$work/want.fdt" || { echo "FAIL: merge wrote:"; cat "$work/merged.fdt"; failures=$((failures + 1)); }
printf '%s\r\n[FAX_ADDR]=1,1,A,A,01,,,,,,0\r\n[FAX_ADDR]=1,2,B,B,99,,,,,,0\r\n' "$h" >"$work/mine2.fdt"
expect 1 "merge with a conflict" -- "$fdtool" merge "$work/base.fdt" "$work/mine2.fdt" "$work/theirs.fdt" "$work/conflict.fdt"
reason "merge with a conflict" 'conflict at RegNo 2 (B): FaxNumber MINE "99" THEIRS "22"'
[ -e "$work/conflict.fdt" ] && { echo "FAIL: a merge with conflicts wrote OUT"; failures=$((failures + 1)); }
expect 0 "merge preferring theirs" -- "$fdtool" merge --prefer theirs "$work/base.fdt" "$work/mine2.fdt" "$work/theirs.fdt" "$work/conflict.fdt"
grep -q '^\[FAX_ADDR\]=1,2,B,B,22,' "$work/conflict.fdt" || { echo "FAIL: --prefer theirs"; failures=$((failures + 1)); }
expect 0 "merge preferring mine" -- "$fdtool" merge --prefer mine "$work/base.fdt" "$work/mine2.fdt" "$work/theirs.fdt" "$work/conflict.fdt"
grep -q '^\[FAX_ADDR\]=1,2,B,B,99,' "$work/conflict.fdt" || { echo "FAIL: --prefer mine"; failures=$((failures + 1)); }
expect 64 "merge --prefer of another side" -- "$fdtool" merge --prefer both "$work/base.fdt" "$work/mine2.fdt" "$work/theirs.fdt" "$work/conflict.fdt"
expect 2 "merge of a missing side" -- "$fdtool" merge "$work/base.fdt" "$work/none.fdt" "$work/theirs.fdt" "$work/none-out.fdt"
reason "merge of a missing side" "cannot read $work/none.fdt"
[ -e "$work/none-out.fdt" ] && { echo "FAIL: a merge of a missing side wrote OUT"; failures=$((failures + 1)); }

# merge of a THEIRS that is no whole book: cut short, emptied, written over
# by another program, holding a line no book holds. Never merged as the
# deletion of what it lost; OUT is not written.
{ printf '%s\r\n' "$h"; for n in 1 2 3 4 5 6 7; do printf '[FAX_ADDR]=1,%d,N%d,R%d,0%d,,,,,,0\r\n' $n $n $n $n; done; } >"$work/seven.fdt"
head -c 150 "$work/seven.fdt" >"$work/cut.fdt"
: >"$work/emptied.fdt"
printf 'Name,Fax\r\nfoo,1\r\n' >"$work/other.fdt"
{ cat "$work/seven.fdt"; printf 'foo,1\r\n'; } >"$work/broken.fdt"
{ cat "$work/seven.fdt"; printf '[FAX_ADDR]=1,8,N8,R8,08,,,,,,0\r\n'; } >"$work/mine7.fdt"
for damaged in cut emptied other broken; do
  expect 2 "merge of a $damaged THEIRS" -- "$fdtool" merge "$work/seven.fdt" "$work/mine7.fdt" "$work/$damaged.fdt" "$work/damaged-out.fdt"
  reason "merge of a $damaged THEIRS" "THEIRS $work/$damaged.fdt is no whole book"
  [ -e "$work/damaged-out.fdt" ] && { echo "FAIL: a merge of a $damaged THEIRS wrote OUT"; failures=$((failures + 1)); rm -f "$work/damaged-out.fdt"; }
done
# A whole book that lost more than half of BASE's entries: only on request.
{ printf '%s\r\n' "$h"; for n in 1 2 3; do printf '[FAX_ADDR]=1,%d,N%d,R%d,0%d,,,,,,0\r\n' $n $n $n $n; done; } >"$work/three.fdt"
printf '%s\r\n' "$h" >"$work/none7.fdt"
for side in three none7; do
  expect 1 "merge of THEIRS $side without --allow-mass-removal" -- "$fdtool" merge "$work/seven.fdt" "$work/mine7.fdt" "$work/$side.fdt" "$work/mass-out.fdt"
  reason "merge of THEIRS $side" "lost $([ $side = three ] && echo 4 || echo 7) of the 7 entries of BASE"
  [ -e "$work/mass-out.fdt" ] && { echo "FAIL: a mass removal was merged unasked"; failures=$((failures + 1)); rm -f "$work/mass-out.fdt"; }
  expect 0 "merge of THEIRS $side with --allow-mass-removal" -- "$fdtool" merge --allow-mass-removal "$work/seven.fdt" "$work/mine7.fdt" "$work/$side.fdt" "$work/mass-out.fdt"
  [ "$(grep -c '^\[FAX_ADDR\]' "$work/mass-out.fdt")" = "$([ $side = three ] && echo 4 || echo 1)" ] ||
    { echo "FAIL: the allowed mass removal of $side wrote:"; cat "$work/mass-out.fdt"; failures=$((failures + 1)); }
  rm -f "$work/mass-out.fdt"
done

echo "$failures failure(s)"
[ "$failures" = 0 ]

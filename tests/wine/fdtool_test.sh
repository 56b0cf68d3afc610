#!/usr/bin/env bash
# fdtool.exe under Wine writes the same bytes as fdtool on Linux: the book
# file is a contract whichever system wrote it.
set -u
build=$1
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
. "$here/lib.sh"
status=0
report() {  # report NAME CONDITION-RESULT
  if [ "$2" = 0 ]; then echo "ok $1"; else echo "not ok $1"; status=1; fi
}

new_prefix "$scratch" ja_JP.UTF-8 || { echo "not ok wine prefix"; exit 1; }
mkdir -p "$scratch/files"
cp "$data/example_ja.fdt" "$scratch/files/example.fdt"
printf 'any header\n[FAX_ADDR]=1,2,\x93\x63\x92\x86,\xC0\xC5\xB6,03,,,,,,1\r\n[FAX_ADDR]=1,1,a,\xB1\xB2,06,,,"x,y",,,0\n' \
  >"$scratch/files/mixed.fdt"
cd "$scratch/files"

wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" normalize example.fdt out.fdt >/dev/null 2>&1
cmp -s example.fdt out.fdt
report "normalize reproduces the example book byte for byte" $?

wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" normalize mixed.fdt mixed-win.fdt >/dev/null 2>&1
native="$build/../native/tools/fdtool/fdtool"
if [ -x "$native" ]; then
  "$native" normalize mixed.fdt mixed-linux.fdt
  cmp -s mixed-win.fdt mixed-linux.fdt
  report "Windows and Linux write identical bytes" $?
else
  echo "ok Windows and Linux write identical bytes # skipped: no native build"
fi

wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" check example.fdt >check.txt 2>/dev/null
code=$?
grep -q '^entries: 3' check.txt && [ "$code" = 0 ]
report "check reads the example" $?

wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" dump --utf8 mixed.fdt >dump.txt 2>/dev/null
grep -q "$(printf '田中\tﾀﾅｶ')" dump.txt
report "dump converts the system code page to UTF-8" $?

# The CSV commands on the system's conversions: a UTF-8 CSV gives the book
# its Shift-JIS form gives, a character Shift-JIS lacks refuses its row, and
# an export imports back.
printf 'Name,Reading,Fax,Sub,Password,Company,Department,Recipient\r\n\x93\x63\x92\x86,\xC0\xC5\xB6,03,,,\x89\xEF\x8E\xD0,,\r\nKita,KITA,06,,,,,\r\n' >sjis.csv
printf '\xEF\xBB\xBFName,Reading,Fax,Sub,Password,Company,Department,Recipient\r\n田中,ﾀﾅｶ,03,,,会社,,\r\nKita,KITA,06,,,,,\r\n한,HAN,07\r\n' >utf8.csv
fdtool_exe() { wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" "$@"; }
fdtool_exe import-csv example.fdt sjis.csv from-sjis.fdt >/dev/null 2>&1
fdtool_exe import-csv --from-utf8 example.fdt utf8.csv from-utf8.fdt >/dev/null 2>utf8-errors.txt
cmp -s from-sjis.fdt from-utf8.fdt
report "import-csv of the UTF-8 form gives the book the Shift-JIS form gives" $?
[ "$(wc -l <utf8-errors.txt)" = 1 ] && grep -q 'line 4 not added: a character code page 932 lacks' utf8-errors.txt
report "a character Shift-JIS lacks refuses its row, reported once" $?
if [ -x "$native" ]; then
  "$native" import-csv example.fdt sjis.csv from-sjis-linux.fdt 2>/dev/null
  cmp -s from-sjis.fdt from-sjis-linux.fdt
  report "import-csv writes identical bytes on Windows and Linux" $?
fi
printf '// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n' >empty.fdt
fdtool_exe export-csv --utf8 from-sjis.fdt export.csv >/dev/null 2>&1 &&
  fdtool_exe import-csv --from-utf8 empty.fdt export.csv back.fdt >/dev/null 2>&1
[ "$(grep -c '^\[FAX_ADDR\]=1,' back.fdt)" = 4 ]
report "an exported book imports back with its four addresses" $?

# Outputs on the system's own file identity: no command writes over an
# input, under another spelling of its name either.
cp example.fdt own.fdt
fdtool_exe export-csv own.fdt ./OWN.FDT >/dev/null 2>&1
code=$?
[ "$code" = 64 ] && cmp -s own.fdt example.fdt
report "export-csv refuses its own book under another spelling" $?
fdtool_exe import-csv example.fdt sjis.csv SJIS.CSV >/dev/null 2>&1
code=$?
[ "$code" = 64 ] && grep -q '^Name,Reading' sjis.csv
report "import-csv refuses to write over its CSV file" $?

# A byte Shift-JIS leaves undefined is named when dumped as UTF-8.
printf 'h\r\n[FAX_ADDR]=1,1,a,A\x85\x40,1,,,,,,0\r\n' >undefined.fdt
fdtool_exe dump --utf8 undefined.fdt >/dev/null 2>undefined.txt
code=$?
[ "$code" = 1 ] && grep -q 'line 2, DispNameJP, byte 2: 0x85 is no character of code page 932' undefined.txt
report "dump --utf8 names a byte the code page leaves undefined" $?

wine_run ja_JP.UTF-8 "$build/tools/fdtool/fdtool.exe" check missing.fdt >/dev/null 2>&1
[ $? = 2 ]
report "a missing file exits with 2" $?

# Wine keeps a file's rights as its Unix permission bits, and shows them
# back without the group's bits and with the execute bit wherever reading
# is allowed. A replaced file keeps what can be seen of them (the owner's
# and the others' reading and writing), and exactly the modes of the books
# the programs make: 644, and 777 for a book of open access.
for mode in 644 777 664 600 666; do
  cp example.fdt "mode$mode.fdt"
  chmod "$mode" "mode$mode.fdt"
  fdtool_exe normalize mixed.fdt "mode$mode.fdt" >/dev/null 2>&1
  code=$?
  after=$(stat -c %a "mode$mode.fdt")
  case $mode in
    644 | 777) [ "$code" = 0 ] && [ "$after" = "$mode" ] ;;
    *) [ "$code" = 0 ] && [ $((0$after & 0606)) = $((0$mode & 0606)) ] ;;
  esac
  report "a replaced file of mode $mode keeps its rights as far as Wine shows them (now $after)" $?
done
# A read-only OUT is refused as fdtool on Linux refuses it.
cp example.fdt readonly.fdt
chmod 444 readonly.fdt
fdtool_exe normalize mixed.fdt readonly.fdt >/dev/null 2>readonly.txt
code=$?
[ "$code" = 1 ] && cmp -s example.fdt readonly.fdt && [ "$(stat -c %a readonly.fdt)" = 444 ] &&
  grep -q 'cannot write readonly.fdt: the file is read-only' readonly.txt
report "a read-only OUT is refused with its reason and left as it was" $?
exit $status

#!/usr/bin/env bash
# The real faxbook.exe with the English library on a book a Japanese editor
# wrote, on a Japanese system (code page 932): registration names and
# honorifics on every entry and member. An address edited through the real
# dialog, one CSV row imported, apply: the file keeps every name and
# honorific byte for byte, the new entry has neither, and the book keeps its
# Unix mode. (On code page 1252 Wine's own edit control ends the program
# when it is given some of these bytes, such as 0x98 of 郎: the unit tests
# and fdtool cover that code page.)
#
# Usage: faxbook_english_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"
editor_test_setup "$build" "$2" 241 290 || exit 1
fdtool="$build/../native/tools/fdtool/fdtool"
locale=ja_JP.UTF-8

drv() { wine_run "$locale" "$driver" "$@"; }
sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }

new_prefix "$scratch/wine" "$locale" || { notok "wine prefix"; exit 1; }
# On NT4 the editor works on the file "FileName" names, in place.
set_windows_version nt40
app="$WINEPREFIX/drive_c/Program Files/Faxbook"
mkdir -p "$app" "$WINEPREFIX/drive_c/books"
cp "$exe" "$library" "$app/"
book="$WINEPREFIX/drive_c/books/address.fdt"
wine_run "$locale" reg add "$key" /v FileName /d 'C:\books\address.fdt' /f >/dev/null 2>&1
wine_run "$locale" reg add "$key" /v Language /d English /f >/dev/null 2>&1

# The Japanese book as its apply wrote it, in the order both languages give
# these readings: a group of two, and 41 addresses, each with a name and an
# honorific.
japanese_book() {
  echo '// This is BrevantZelo Relay Fax AddressBook  Utility Data.'
  echo ''
  echo '[FAX_ADDR]=3,50,全店,ALL,'
  echo '[FAX_ADDR_GM]=4,50,北支店,KITA,03-111,,,北商事,営業部,北 太郎,1'
  echo '[FAX_ADDR_GM]=4,50,南店,MINAMI,06-333,12,,,,南 次郎,2'
  echo '[FAX_ADDR]=1,1,北支店,KITA,03-111,,,北商事,営業部,北 太郎,1'
  echo '[FAX_ADDR]=1,2,南店,MINAMI,06-333,12,,,,南 次郎,2'
  local i
  for i in $(seq 10 48); do
    echo "[FAX_ADDR]=1,$i,宛先$i,R$i,0$i-1,,,会社$i,,担当$i,$((i % 4))"
  done
}
japanese_book | crlf | sjis >"$book"
chmod 644 "$book"
cp "$book" "$scratch/japanese.fdt"

LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$app/faxbook.exe" >/dev/null 2>&1 &
editor=$!
check "the English editor starts on the Japanese book" drv wait "$title" 60000 FaxbookMainFrame || exit 1
first_column() { drv rows "$title" | tr -d '\r' | cut -f1 | head -3 | tr '\n' ' '; }
check "the list shows the readings in its first column" eventually_is "ALL KITA MINAMI " first_column
window_shot english-list "$title"

# Edit KITA's fax number (row 1) through the real dialog.
edit="Edit Address"
drv select "$title" 1 >/dev/null
drv post-command "$title" 1013 >/dev/null
check "the address dialog opens" drv wait "$edit" "$patience_ms"
check "the dialog shows no registration name" eventually_is "" drv text "$edit" 1006
check "the dialog shows the recipient" eventually_is "$(printf '北 太郎' | sjis)" drv text "$edit" 1022
window_shot english-edit "$edit"
drv set-text "$edit" 1010 03-999
drv click "$edit" 1
check "the edit is taken" drv gone "$edit" "$patience_ms" "#32770"

# Import one CSV row through the real dialogs (the English mapping: the
# name's column gives the reading).
printf 'Name,Fax,Sub,Password,Company,Department,Recipient\r\nHigashi,07-1,,,,,Boss\r\n' \
  >"$WINEPREFIX/drive_c/books/one.csv"
drv post-command "$title" 32791 >/dev/null
drv file-dialog "$patience_ms" 'C:\books\one.csv' >/dev/null
check "the mapping dialog opens" drv wait "Import Addresses" "$patience_ms" "#32770"
drv click "Import Addresses" 1 >/dev/null
check "the confirmation opens" drv wait "Confirm Import" "$patience_ms" "#32770"
drv select-all "Confirm Import" 1049
eventually_is 1 drv text "Confirm Import" 1059
drv click "Confirm Import" 1051 >/dev/null
check "the row is added" eventually_is 1 drv text "Confirm Import" 1060
drv click "Confirm Import" 1 >/dev/null
check "the import's dialogs close" drv gone "Import Addresses" "$patience_ms" "#32770"

drv command "$title" 57603 >/dev/null
# What the Japanese book becomes: KITA's fax number in the entry and in its
# group's copy, the new address without name and honorific (number 49: the
# first free one from the count of entries, 42, on), in the English apply
# order.
{
  japanese_book | sed -e 's/^\(\[FAX_ADDR[_GM]*\]=[0-9],[0-9]*,北支店,KITA,\)03-111,/\103-999,/'
  echo '[FAX_ADDR]=1,49,,Higashi,07-1,,,,,Boss,0'
} | crlf | sjis >"$scratch/edited.fdt"
if [ -x "$fdtool" ]; then
  "$fdtool" normalize --lang 1033 "$scratch/edited.fdt" "$scratch/expected.fdt"
  check "apply keeps every registration name and honorific, byte for byte" cmp -s "$scratch/expected.fdt" "$book"
else
  echo "ok apply keeps every registration name and honorific, byte for byte # skipped: no native fdtool"
fi
sjis_count() { grep -ac "$(printf '%s' "$1" | sjis)" "$book"; }
check "every Japanese name is still there" [ "$(sjis_count 宛先)" = 39 ] && [ "$(sjis_count 北支店)" = 2 ] &&
  [ "$(sjis_count 南店)" = 2 ] && [ "$(sjis_count 全店)" = 1 ]
check "the imported entry has neither name nor honorific" grep -q $'^\\[FAX_ADDR\\]=1,49,,Higashi,07-1,,,,,Boss,0\r$' "$book"
check "the book keeps its mode" [ "$(stat -c %a "$book")" = 644 ]

drv close "$title" >/dev/null
check "the editor closes after apply without asking" eventually eval "! kill -0 $editor 2>/dev/null"
exit $((failures > 0))

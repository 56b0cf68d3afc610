#!/usr/bin/env bash
# The real faxbook.exe under Wine importing a CSV file through the real
# dialogs: the file chosen in the open-file dialog, two columns mapped anew,
# every row of the confirmation selected and added (a refused row stays),
# apply, and the written book checked byte for byte. The same text in UTF-8
# and as spreadsheets' UTF-16 "Unicode text" gives the same book; every
# reason of a row stands under the list. Then the same dialogs with the
# English library, and a file in a folder the English code page cannot
# name. Screenshots of both dialogs in both languages, and of the reasons,
# are kept in the scratch folder.
#
# Usage: faxbook_csv_import_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"

exe="$build/faxbook/faxbook.exe"
driver="$build/tests/wine/faxbook_driver.exe"
library="$build/lang/ledgresLC.dll"
for f in "$exe" "$driver" "$library"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
rm -rf "$scratch"
mkdir -p "$scratch"

start_display 191 240 || { notok "Xvfb starts"; exit 1; }
editor=""
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null
  stop_wine
  stop_display
}
trap cleanup EXIT

locale=ja_JP.UTF-8
drive() { echo "$WINEPREFIX/drive_c"; }
drv() { wine_run "$locale" "$driver" "$@"; }
sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }
reg_set() { wine_run "$locale" reg add "$key" /v "$1" /d "$2" /f >/dev/null 2>&1; }
# shot NAME TITLE: a picture of the window titled TITLE, captured by its own
# id once it has painted.
shot() {
  sleep 1
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | head -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}
start_editor() {
  LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$1/faxbook.exe" >/dev/null 2>&1 &
  editor=$!
}
ended() {
  local i
  for i in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# choose_file PATH: the open-file dialog, when it shows, takes PATH.
choose_file() { drv file-dialog 20000 "$1" >/dev/null; }
# The driver prints in the ANSI code page; compare in UTF-8.
text_of() { drv text "$1" "$2" | tr -d '\r' | iconv -f CP932 -t UTF-8; }
rows_of() { drv dialog-rows "$1" "$2" | tr -d '\r' | iconv -f CP932 -t UTF-8; }

# === Japanese, Windows XP ======================================================
map="ｱﾄﾞﾚｽ帳ｲﾝﾎﾟｰﾄ"
confirm="ｲﾝﾎﾟｰﾄ内容の確認"
# japanese_prefix NAME: a new Japanese XP prefix with the program and the
# old book of one address the registry names.
japanese_prefix() {
  new_prefix "$scratch/$1" ja_JP.UTF-8 || { notok "wine prefix ($1)"; exit 1; }
  set_windows_version winxp
  use_japanese_ui_font
  app="$(drive)/Program Files/Faxbook"
  mkdir -p "$app" "$(drive)/old" "$(drive)/data"
  cp "$exe" "$app/"
  {
    echo "// the old book"
    echo '[FAX_ADDR]=1,1,Kita,ｷﾀ,03-111,,,,,,0'
  } | crlf | sjis >"$(drive)/old/address.fdt"
  reg_set FileName 'C:\old\address.fdt'
}
# map_file WHAT PATH CHARSET SHOT: the editor started, the CSV import on
# PATH, the character set proposed checked, the name and the reading mapped
# to columns 1 and 0, and the confirmation opened.
map_file() {
  start_editor "$app"
  check "the editor starts ($1)" drv wait "$title" 60000 FaxbookMainFrame || exit 1
  drv post-command "$title" 32791 >/dev/null
  choose_file "$2"
  check "the mapping dialog opens ($1)" drv wait "$map" 20000 "#32770"
  check "the character set proposed is $3" [ "$(text_of "$map" 1061)" = "$3" ]
  check "the header reads as text ($1)" [ "$(text_of "$map" 1048)" = '"Name"' ]
  drv choose "$map" 1051 1 && drv choose "$map" 1048 0
  shot "$4" "$map"
  drv click "$map" 1 >/dev/null
  check "the confirmation opens ($1)" drv wait "$confirm" 20000 "#32770"
}
japanese_prefix ja
# The reading comes first in this file and the name second: the mapping is
# changed for both.
list_text() {
  echo 'Reading,Name,Fax,Sub,Password,Company,Department,Recipient'
  echo 'ﾋｶﾞｼ,Higashi,07-111,,,東商事,,東 花子'
  echo 'ｷﾀ,Kita,03-999,,,,,'
  echo '漢字,Kanji,03-1,,,,,'
  echo 'ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ,Long,04-1,,,,,'
  echo 'ｻﾝ,"Sun, Ltd.",05-1,,,"The ""Sun"" Shop",,'
}
list_text | crlf | sjis >"$(drive)/data/list.csv"

start_editor "$app"
check "the editor starts" drv wait "$title" 60000 FaxbookMainFrame || exit 1
drv post-command "$title" 32791 >/dev/null
check "the open-file dialog takes the CSV file" choose_file 'C:\data\list.csv'
check "the mapping dialog opens" drv wait "$map" 20000 "#32770"
check "the combo boxes offer the header's columns" [ "$(text_of "$map" 1048)" = '"Name"' ]
drv choose "$map" 1051 1 && drv choose "$map" 1048 0
check "a chosen column shows" [ "$(text_of "$map" 1048)" = '"Reading"' ]
shot csv-map-ja "$map"
owner_of() { drv owner "$1" | tr -d '\r' | iconv -f CP932 -t UTF-8; }
check "the mapping dialog belongs to the main window" [ "$(owner_of "$map")" = "$title" ]
drv click "$map" 1 >/dev/null
check "the confirmation opens" drv wait "$confirm" 20000 "#32770"
check "the confirmation belongs to the mapping dialog" [ "$(owner_of "$confirm")" = "$map" ]
printf '%s\n' \
  $'\tHigashi\tﾋｶﾞｼ\t07-111\t\t\t東商事\t\t東 花子' \
  $'!\tKanji\t漢字\t03-1\t\t\t\t\t' \
  $'\tKita\tｷﾀ\t03-999\t\t\t\t\t' \
  $'?\tLong\tｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ\t04-1\t\t\t\t\t' \
  $'\tSun, Ltd.\tｻﾝ\t05-1\t\t\tThe "Sun" Shop\t\t' >"$scratch/confirm.expected"
rows_of "$confirm" 1049 >"$scratch/confirm.txt"
check "the rows show with their marks, sorted by name" cmp -s "$scratch/confirm.expected" "$scratch/confirm.txt"
check "no row is selected yet" [ "$(text_of "$confirm" 1059)" = 0 ]
drv select-all "$confirm" 1049
sleep 0.5
check "every row selected counts" [ "$(text_of "$confirm" 1059)" = 5 ]
shot csv-confirm-ja "$confirm"
drv click "$confirm" 1051 >/dev/null
warning=$(drv message "$title" | tr -d '\r' | iconv -f CP932 -t UTF-8)
check "the warning belongs to the confirmation" [ "$(owner_of "$title")" = "$confirm" ]
warned="選択されたﾃﾞｰﾀには使用できない文字を設定しているため登録されないﾃﾞｰﾀ（！）あるいは、長すぎるため切り捨てられるﾃﾞｰﾀ（？）を含んでいます"
check "marked rows are warned of once, with how many are passed over" \
  [ "$warning" = "$warned"$'\n\n'"選択したﾃﾞｰﾀのうち 1 件（！）は登録されません" ]
drv answer "$title" 1 >/dev/null
drv gone "$title" 10000 "#32770"
sleep 0.5
check "four addresses were added" [ "$(text_of "$confirm" 1060)" = 4 ]
check "the refused row stays, deselected" [ "$(rows_of "$confirm" 1049 | cut -f1,2)" = $'!\tKanji' ] &&
  [ "$(text_of "$confirm" 1059)" = 0 ]
check "going back is over after an add" [ "$(drv enabled "$confirm" 1068 | tr -d '\r')" = 0 ]
shot csv-confirm-added-ja "$confirm"
drv click "$confirm" 1 >/dev/null
check "OK closes the confirmation and the mapping" drv gone "$map" 10000 "#32770"

drv command "$title" 57603 >/dev/null
book=$(find "$WINEPREFIX/drive_c/users" -path '*FaxbookData/address.fdt' | head -1)
{
  echo '// This is BrevantZelo Relay Fax AddressBook  Utility Data.'
  echo '[FAX_ADDR]=1,4,Long,ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ,04-1,,,,,,0'
  echo '[FAX_ADDR]=1,1,Kita,ｷﾀ,03-111,,,,,,0'
  echo '[FAX_ADDR]=1,3,Kita(1),ｷﾀ(1),03-999,,,,,,0'
  echo '[FAX_ADDR]=1,5,"Sun, Ltd.",ｻﾝ,05-1,,,"The ""Sun"" Shop",,,0'
  echo '[FAX_ADDR]=1,2,Higashi,ﾋｶﾞｼ,07-111,,,東商事,,東 花子,0'
} | crlf | sjis >"$scratch/expected.fdt"
check "apply writes the imported book byte for byte" cmp -s "$scratch/expected.fdt" "$book"
drv close "$title" >/dev/null
check "the editor closes after apply" ended "$editor" 20
stop_wine

# === The same text in UTF-8 with a byte-order mark, then exported =============
japanese_prefix ja-utf8
{ printf '\xEF\xBB\xBF'; list_text | crlf; } >"$(drive)/data/list-utf8.csv"
map_file "UTF-8 file" 'C:\data\list-utf8.csv' UTF-8 csv-map-utf8-ja
rows_of "$confirm" 1049 >"$scratch/confirm-utf8.txt"
check "the UTF-8 rows show as the code-page rows do" cmp -s "$scratch/confirm.expected" "$scratch/confirm-utf8.txt"
drv select-all "$confirm" 1049
sleep 0.5
drv click "$confirm" 1051 >/dev/null
drv message "$title" >/dev/null
drv answer "$title" 1 >/dev/null
drv gone "$title" 10000 "#32770"
sleep 0.5
check "four addresses were added (UTF-8 file)" [ "$(text_of "$confirm" 1060)" = 4 ]
drv click "$confirm" 1 >/dev/null
check "OK closes both dialogs (UTF-8 file)" drv gone "$map" 10000 "#32770"
drv command "$title" 57603 >/dev/null
book=$(find "$WINEPREFIX/drive_c/users" -path '*FaxbookData/address.fdt' | head -1)
check "the UTF-8 file gives the book the code-page file gave, byte for byte" cmp -s "$scratch/expected.fdt" "$book"
# Export in UTF-8 from the File menu.
drv post-command "$title" 32801 >/dev/null
check "the save dialog takes the export's name" choose_file 'C:\data\export.csv'
exported="$(drive)/data/export.csv"
for _ in $(seq 100); do [ -s "$exported" ] && break; sleep 0.1; done
{
  printf '\xEF\xBB\xBF'
  {
    echo 'DispName,DispNameJP,FaxNumber,SubAddress,Password,CompanyName,DepartmentName,ClientName'
    echo 'Long,ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ,04-1,,,,,'
    echo 'Kita,ｷﾀ,03-111,,,,,'
    echo 'Kita(1),ｷﾀ(1),03-999,,,,,'
    echo '"Sun, Ltd.",ｻﾝ,05-1,,,"The ""Sun"" Shop",,'
    echo 'Higashi,ﾋｶﾞｼ,07-111,,,東商事,,東 花子'
  } | crlf
} >"$scratch/export.expected"
check "the UTF-8 export holds every address in reading order" cmp -s "$scratch/export.expected" "$exported"
drv close "$title" >/dev/null
check "the editor closes after the export" ended "$editor" 20
stop_wine
# The export imported into an empty book by fdtool gives the same addresses
# (the registration numbers are the import's own).
fdtool="$build/tools/fdtool/fdtool.exe"
if [ -f "$fdtool" ]; then
  cp "$exported" "$scratch/export.csv"
  cp "$book" "$scratch/applied.fdt"
  printf '%s\r\n' '// This is BrevantZelo Relay Fax AddressBook  Utility Data.' >"$scratch/empty.fdt"
  (cd "$scratch" && wine_run "$locale" "$fdtool" import-csv empty.fdt export.csv back.fdt >/dev/null 2>&1
   wine_run "$locale" "$fdtool" dump back.fdt | tr -d '\r' | cut -f1,2,4- >back.txt
   wine_run "$locale" "$fdtool" dump applied.fdt | tr -d '\r' | cut -f1,2,4- >applied.txt)
  check "the export imported into an empty book gives its addresses back" \
    [ -s "$scratch/applied.txt" ] && cmp -s "$scratch/applied.txt" "$scratch/back.txt"
  stop_wine
fi

# === The same text as UTF-16 "Unicode text", with a row of many reasons =====
japanese_prefix ja-utf16
# Tab-separated, as spreadsheets save it; the last row has four reasons.
{
  printf '\xFF\xFE'
  {
    printf '%s\n' $'Reading\tName\tFax\tSub\tPassword\tCompany\tDepartment\tRecipient' \
      $'ﾋｶﾞｼ\tHigashi\t07-111\t\t\t東商事\t\t東 花子' \
      $'ｷﾀ\tKita\t03-999\t\t\t\t\t' \
      $'漢字\tKanji\t03-1\t\t\t\t\t' \
      $'ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ\tLong\t04-1\t\t\t\t\t' \
      $'ｻﾝ\tSun, Ltd.\t05-1\t\t\t"The ""Sun"" Shop"\t\t' \
      $'ﾖｼﾀﾞ\t𠮷田\tx-1\t\t\t𠮷野家\t\t𠮷田 花子'
  } | crlf | iconv -f UTF-8 -t UTF-16LE
} >"$(drive)/data/list-utf16.csv"
map_file "UTF-16 file" 'C:\data\list-utf16.csv' 'UTF-16 (Unicode ﾃｷｽﾄ)' csv-map-utf16-ja
rows_of "$confirm" 1049 >"$scratch/confirm-utf16.txt"
check "the UTF-16 rows show as the code-page rows do" \
  cmp -s "$scratch/confirm.expected" <(grep -v 'ﾖｼﾀﾞ' "$scratch/confirm-utf16.txt")
many=$(grep -n 'ﾖｼﾀﾞ' "$scratch/confirm-utf16.txt" | cut -d: -f1)
check "the row of many reasons is refused" [ "$(sed -n "${many:-0}p" "$scratch/confirm-utf16.txt" | cut -f1)" = '!' ]
drv select-rows "$confirm" 1049 $((many - 1))
sleep 0.5
reasons="ｼｽﾃﾑの文字ｺｰﾄﾞにない文字 U+20BB7: 登録名称 / ｼｽﾃﾑの文字ｺｰﾄﾞにない文字 U+20BB7: 会社名 / ｼｽﾃﾑの文字ｺｰﾄﾞにない文字 U+20BB7: 宛先名称 / 使用できない文字: ﾌｧｸｽ番号"
check "every reason of the row stands under the list" [ "$(text_of "$confirm" 1063)" = "$reasons" ]
shot csv-confirm-reasons-ja "$confirm"
drv select-all "$confirm" 1049
sleep 0.5
drv click "$confirm" 1051 >/dev/null
check "two selected rows are passed over" \
  [ "$(drv message "$title" | tr -d '\r' | iconv -f CP932 -t UTF-8)" = "$warned"$'\n\n'"選択したﾃﾞｰﾀのうち 2 件（！）は登録されません" ]
drv answer "$title" 1 >/dev/null
drv gone "$title" 10000 "#32770"
sleep 0.5
check "four addresses were added (UTF-16 file)" [ "$(text_of "$confirm" 1060)" = 4 ]
# Only refused rows are left selected: OK asks nothing and closes.
drv select-all "$confirm" 1049
sleep 0.5
drv click "$confirm" 1 >/dev/null
check "OK with only refused rows selected closes both dialogs" drv gone "$map" 10000 "#32770"
drv command "$title" 57603 >/dev/null
book=$(find "$WINEPREFIX/drive_c/users" -path '*FaxbookData/address.fdt' | head -1)
check "the UTF-16 file gives the book the code-page file gave, byte for byte" cmp -s "$scratch/expected.fdt" "$book"
drv close "$title" >/dev/null
check "the editor closes (UTF-16 file)" ended "$editor" 20
stop_wine

# === English library ========================================================
locale=en_US.UTF-8
new_prefix "$scratch/en" en_US.UTF-8 || { notok "wine prefix (en)"; exit 1; }
set_windows_version winxp
app="$(drive)/Program Files/Faxbook"
mkdir -p "$app" "$(drive)/data"
cp "$exe" "$library" "$app/"
reg_set FileName 'C:\nowhere\address.fdt'
reg_set Language English
{
  echo 'Name,Fax,Sub,Password,Company,Department,Recipient'
  echo 'Tanaka,03-1111,,,"Tanaka, Ltd.",Sales,Ms Tanaka'
  echo 'Bad Fax,x-1,,,,,'
  echo 'A name far too long for its field,04-2222,,,,,'
  echo "Worst of all,x-1,abc,def,$(printf 'C%.0s' $(seq 70)),$(printf 'D%.0s' $(seq 70)),A recipient far too long"
} | crlf >"$(drive)/data/people.csv"
start_editor "$app"
check "the editor starts in English" drv wait "$title" 60000 FaxbookMainFrame || exit 1
drv post-command "$title" 32791 >/dev/null
choose_file 'C:\data\people.csv'
check "the mapping dialog opens in English" drv wait "Import Addresses" 20000 "#32770"
check "no registration name outside Japanese" [ "$(drv enabled "Import Addresses" 1051 | tr -d '\r')" = 0 ]
shot csv-map-en "Import Addresses"
drv click "Import Addresses" 1 >/dev/null
check "the confirmation opens in English" drv wait "Confirm Import" 20000 "#32770"
drv select-rows "Confirm Import" 1049 1
shot csv-confirm-en "Confirm Import"
check "the rows sort by their marks first" \
  [ "$(rows_of "Confirm Import" 1049 | cut -f1,2 | tr '\t\n' '|;')" = '|Tanaka;!|Bad Fax;!|Worst of all;?|A name far too long for its field;' ]
drv select-rows "Confirm Import" 1049 2
sleep 0.5
check "every reason of the row stands under the list (English)" \
  [ "$(text_of "Confirm Import" 1063)" = 'Characters the field refuses: Fax Number, Sub-address, Password / Too long, will be cut: Company, Department, Recipient' ]
shot csv-confirm-reasons-en "Confirm Import"
drv click "Confirm Import" 1068 >/dev/null
sleep 1
check "back leads to the mapping again" drv wait "Import Addresses" 10000 "#32770"
drv click "Import Addresses" 2 >/dev/null
drv gone "Import Addresses" 10000 "#32770"
# A file in a folder whose name the English code page cannot write: the
# message says so, for the import and for an export.
mkdir -p "$(drive)/データ"
cp "$(drive)/data/people.csv" "$(drive)/データ/people.csv"
notInCodePage="holds characters that the system code page cannot write (shown as ?), so the file cannot be used."
drv post-command "$title" 32791 >/dev/null
choose_file 'C:\データ\people.csv'
message=$(drv message "Input Error" | tr -d '\r')
check "an import from a Japanese folder says the path cannot be written in the code page" \
  [ "$message" = "The path C:\???\people.csv $notInCodePage Choose a folder and a file whose names use only characters of the system code page." ]
shot csv-path-en "Input Error"
drv answer "Input Error" 1 >/dev/null
drv gone "Input Error" 10000 "#32770"
no_window() { ! drv wait "$1" 2000 "#32770"; }
check "no mapping dialog opens for it" no_window "Import Addresses"
drv post-command "$title" 32800 >/dev/null
choose_file 'C:\データ\export.csv'
check "an export into a Japanese folder says so too" \
  [ "$(drv message "$title" | tr -d '\r' | grep -c "$notInCodePage")" = 1 ]
drv answer "$title" 1 >/dev/null
drv gone "$title" 10000 "#32770"
check "nothing was exported there" [ ! -e "$(drive)/データ/export.csv" ]
drv close "$title" >/dev/null
check "the editor closes (English)" ended "$editor" 20
exit $((failures > 0))

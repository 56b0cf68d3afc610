#!/usr/bin/env bash
# The real faxbook.exe under Wine: an address and a group made through the
# real dialogs (a refused fax number on the way), applied with Ctrl+S, and the
# written book checked byte for byte. Screenshots of each dialog are kept in
# the scratch folder.
#
# Usage: faxbook_editing_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

. "$here/report.sh"

exe="$build/faxbook/faxbook.exe"
driver="$build/tests/wine/faxbook_driver.exe"
for f in "$exe" "$driver"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
locale=ja_JP.UTF-8
rm -rf "$scratch"
mkdir -p "$scratch"

start_display 141 190 || { notok "Xvfb starts"; exit 1; }
editor=""
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null
  stop_wine
  stop_display
}
trap cleanup EXIT

drv() { wine_run "$locale" "$driver" "$@"; }
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# shot NAME TITLE: a picture of the window titled TITLE (captured by its own
# id: with no window manager the root picture shows popups black).
shot() {
  sleep 1  # for the picture only: the window paints first
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | head -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}

new_prefix "$scratch/wine" "$locale" || { notok "wine prefix"; exit 1; }
set_windows_version winxp
wine_run "$locale" reg add 'HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook' /v FileName \
  /d 'C:\nowhere\address.fdt' /f >/dev/null 2>&1
mkdir -p "$scratch/program"
cp "$exe" "$scratch/program/"
LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$scratch/program/faxbook.exe" >/dev/null 2>&1 &
editor=$!
check "the editor starts" drv wait "$title" 60000 FaxbookMainFrame || exit 1

new_address="新規ｱﾄﾞﾚｽの登録"
# add_address NAME READING FAX [SUB]: fills the new-address dialog and confirms.
add_address() {
  drv post-command "$title" 32789 >/dev/null &&
    drv wait "$new_address" "$patience_ms" >/dev/null &&
    drv set-text "$new_address" 1006 "$1" && drv set-text "$new_address" 1005 "$2" &&
    drv set-text "$new_address" 1010 "$3" && drv set-text "$new_address" 1017 "${4:-}"
}

add_address Kita KITA -03
shot address-dialog "$new_address"
drv click "$new_address" 1
message=$(drv message "入力ｴﾗｰ" | tr -d '\r')
check "a fax number starting with - is refused" [ "$message" = "$(sjis 'ﾌｧｸｽ番号に使用できない文字が設定されています')" ]
shot refusal "入力ｴﾗｰ"
drv answer "入力ｴﾗｰ" 1 >/dev/null
drv gone "入力ｴﾗｰ" "$patience_ms" "#32770"
drv set-text "$new_address" 1010 "03-111"
drv click "$new_address" 1
check "the corrected address is taken" drv gone "$new_address" "$patience_ms" "#32770"

add_address Minami MINAMI 06-333 12 && drv click "$new_address" 1
drv gone "$new_address" "$patience_ms" "#32770"

new_group="新規ｸﾞﾙｰﾌﾟの登録"
select_title="新しいｱﾄﾞﾚｽの追加"
drv post-command "$title" 32790 >/dev/null
check "the group dialog opens" drv wait "$new_group" "$patience_ms"
drv set-text "$new_group" 1006 All
drv set-text "$new_group" 1005 ALL
shot group-dialog-names "$new_group"
drv click "$new_group" 1018
check "the member selection opens" drv wait "$select_title" "$patience_ms"
# readings TITLE ID: the readings a list of that dialog shows, on one line.
readings() { drv dialog-rows "$1" "$2" | tr -d '\r' | cut -f2 | tr '\n' ' '; }
check "both addresses can be chosen" eventually_is "KITA MINAMI " readings "$select_title" 1020
drv select-rows "$select_title" 1020 0 1
drv click "$select_title" 1023
check "both addresses are chosen" eventually_is "KITA MINAMI " readings "$select_title" 1021
shot member-selection "$select_title"
drv click "$select_title" 1
drv gone "$select_title" "$patience_ms" "#32770"
check "the group shows its members" eventually_is "KITA MINAMI " readings "$new_group" 1016
drv click "$new_group" 1
check "the group is taken" drv gone "$new_group" "$patience_ms" "#32770"

list_readings() { drv rows "$title" | tr -d '\r' | cut -f2 | tr '\n' ' '; }
check "the list shows the group and both addresses" eventually_is "ALL KITA MINAMI " list_readings
shot list "$title"

drv command "$title" 57603 >/dev/null
book=$(find "$WINEPREFIX/drive_c/users" -path '*FaxbookData/address.fdt' | head -1)
printf '%s\r\n' '// This is BrevantZelo Relay Fax AddressBook  Utility Data.' '' \
  '[FAX_ADDR]=3,3,All,ALL,' \
  '[FAX_ADDR_GM]=4,3,Kita,KITA,03-111,,,,,,0' \
  '[FAX_ADDR_GM]=4,3,Minami,MINAMI,06-333,12,,,,,0' \
  '[FAX_ADDR]=1,1,Kita,KITA,03-111,,,,,,0' \
  '[FAX_ADDR]=1,2,Minami,MINAMI,06-333,12,,,,,0' >"$scratch/expected.fdt"
check "apply writes the book byte for byte" cmp -s "$scratch/expected.fdt" "$book"

drv close "$title" >/dev/null
ended() { ! kill -0 "$editor" 2>/dev/null; }
check "the editor closes after apply without asking" eventually ended
exit $((failures > 0))

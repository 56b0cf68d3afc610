#!/usr/bin/env bash
# The real faxbook.exe under Wine: a device file imported through the real
# open dialog and applied byte for byte as fdtool import-fed writes it;
# save-as through the real save dialog, after which apply still writes the
# book's own file; another book imported with the open dialog; the
# multi-address edit and the replace through their real dialogs; the replace
# taken back with Ctrl+Z and applied, which writes the book as it was before
# it, and done again with Ctrl+Y; and both dialogs and the Edit menu in
# Japanese and English, kept as screenshots in the scratch folder.
#
# Usage: faxbook_bulk_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"

exe="$build/faxbook/faxbook.exe"
driver="$build/tests/wine/faxbook_driver.exe"
fdtool="$build/tools/fdtool/fdtool.exe"
library="$build/lang/ledgresLC.dll"
make_fed="$build/tests/wine/make_fed_file.exe"
for f in "$exe" "$driver" "$fdtool" "$library" "$make_fed"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
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
drive() { printf '%s' "$WINEPREFIX/drive_c"; }
crlf() { sed 's/$/\r/'; }
# shot NAME TITLE: a picture of the window titled TITLE.
shot() {
  sleep 1  # for the picture only: the window paints first
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | head -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}
# rows COLUMN: that column of the main list, one line per row.
rows() { drv rows "$title" | tr -d '\r' | cut -f"$1"; }
# sorted_column COLUMN: that column of the main list on one line, sorted.
sorted_column() { rows "$1" | sort | tr '\n' ' '; }
# until_rows N: waits until the main list holds N rows.
row_count() { drv rows "$title" | wc -l; }
until_rows() { eventually_is "$1" row_count; }
until_file() { eventually [ -f "$1" ]; }
# modified / unmodified: the apply button follows the modified state (it is
# updated when the editor is idle, so it is polled).
modified() { eventually_is 1 drv button-enabled "$title" 57603; }
unmodified() { eventually_is 0 drv button-enabled "$title" 57603; }
start_editor() {
  LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$1/faxbook.exe" >/dev/null 2>&1 &
  editor=$!
}
ended() { poll "$2" eval "! kill -0 $1 2>/dev/null"; }
# press KEYS: keys typed into the main window, as the accelerators take them.
press() { xdotool search --name "^$title\$" windowfocus --sync key "$1" >/dev/null 2>&1; }
# fax_numbers "LIST": the fax number column, sorted, is LIST.
fax_numbers() { [ "$(sorted_column 3)" = "$1" ]; }
# menu_shot NAME KEY: opens the menu of the access key KEY (Alt+KEY), keeps
# the status bar's text in $menu_prompt and a picture of the main window
# with the menu pasted on it (the screen shows a fresh menu black), then
# closes the menu again. The status bar tells both: an open menu shows the
# prompt of its first item there, a closed one the idle message again.
status_is_not() { [ "$(drv status "$title" 0 | tr -d '\r')" != "$1" ]; }
menu_shot() {
  local before
  before=$(drv status "$title" 0 | tr -d '\r')
  press "alt+$2"
  eventually status_is_not "$before"
  menu_prompt=$(drv status "$title" 0 | tr -d '\r')
  local main popup w X Y mx my
  main=$(xdotool search --name "^$title\$" 2>/dev/null | head -1)
  popup=""
  for w in $(xdotool search --onlyvisible --class faxbook 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && popup=$w
  done
  if [ -n "$main" ]; then
    xwd -id "$main" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
    if [ -n "$popup" ]; then
      eval "$(xdotool getwindowgeometry --shell "$main")"
      mx=$X my=$Y
      eval "$(xdotool getwindowgeometry --shell "$popup")"
      xwd -id "$popup" -silent | convert xwd:- "$scratch/$1-popup.png" 2>/dev/null
      convert "$scratch/$1.png" "$scratch/$1-popup.png" -geometry "+$((X - mx))+$((Y - my))" \
        -composite "$scratch/$1.png" 2>/dev/null && rm -f "$scratch/$1-popup.png"
    fi
  fi
  press Escape
  press Escape
  eventually status_is_not "$menu_prompt"
}
reg_set() {
  wine_run "$locale" reg add 'HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook' /v "$1" /d "$2" \
    /f >/dev/null 2>&1
}

# === Japanese =================================================================
locale=ja_JP.UTF-8
new_prefix "$scratch/wine" "$locale" || { notok "wine prefix"; exit 1; }
set_windows_version winxp
app="$(drive)/Program Files/Faxbook"
books="$(drive)/books"
mkdir -p "$app" "$books"
cp "$exe" "$app/"
wine_run "$locale" "$make_fed" 'C:\books\machine.fed' >/dev/null 2>&1
{
  echo '// This is BrevantZelo Relay Fax AddressBook  Utility Data.'
  echo '[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0'
  echo '[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0'
} | crlf >"$books/address.fdt"
reg_set FileName 'C:\books\address.fdt'
start_editor "$app"
check "the editor starts" drv wait "$title" 60000 FaxbookMainFrame || exit 1
book=$(find "$(drive)/users" -path '*FaxbookData/address.fdt' | head -1)
check "the book is seeded from the old location" cmp -s "$books/address.fdt" "$book"

# The device import through the real open dialog.
drv post-command "$title" 32792 >/dev/null
opened=$(drv file-dialog "$patience_ms" 'C:\books\machine.fed' | tr -d '\r')
check "the device import asks for the file" [ -n "$opened" ]
check "the device file's destinations replace the entries" until_rows 4
check "the readings are the destinations' keys" [ "$(sorted_column 2)" = "#0001 #0002 #0003 *0006 " ]
check "the twin name gets a suffix" [ "$(sorted_column 1)" = "#0003 Kita Kita(1) Minami " ]
check "the imported book counts as modified" modified
shot device-import "$title"
(cd "$books" && wine_run "$locale" "$fdtool" import-fed machine.fed expected.fdt >/dev/null 2>&1)
check "fdtool import-fed writes a book" test -s "$books/expected.fdt"

# Save-as through the real save dialog: the copy, and the book's own file
# untouched until apply.
drv post-command "$title" 57604 >/dev/null
saved=$(drv file-dialog "$patience_ms" 'C:\books\copy.fdt' | tr -d '\r')
check "save-as shows the save dialog" [ -n "$saved" ] && [ "$saved" != "$opened" ]
check "save-as writes the copy" until_file "$books/copy.fdt"
check "the copy is the imported book as apply writes it" \
  eventually cmp -s "$books/expected.fdt" "$books/copy.fdt"
check "the book's own file is untouched by save-as" cmp -s "$books/address.fdt" "$book"
check "the book is still modified after save-as" modified
drv command "$title" 57603 >/dev/null
check "apply writes the book's own file" cmp -s "$books/expected.fdt" "$book"
check "apply leaves the copy alone" cmp -s "$books/expected.fdt" "$books/copy.fdt"
check "apply clears the modified state" unmodified

# The multi-address edit on the first two rows.
multi="複数ｱﾄﾞﾚｽの編集"
drv select "$title" 0 1
drv post-command "$title" 1013 >/dev/null
check "edit with two rows opens the multi-address edit" drv wait "$multi" "$patience_ms"
# The window shows before its controls are set up on a loaded machine.
values_disabled() { [ "$(drv enabled "$multi" 1019 | tr -d '\r')" = 0 ]; }
check "its values start disabled" eventually values_disabled
drv click "$multi" 1074
check "a tick enables its value" eventually_is 1 drv enabled "$multi" 1019
check "the tick shows ticked" eventually_is 1 drv checked "$multi" 1074
drv set-text "$multi" 1019 Acme
drv click "$multi" 1072
drv set-text "$multi" 1017 "1-2"
shot multi-edit-ja "$multi"
drv click "$multi" 1
message=$(drv message "入力ｴﾗｰ" | tr -d '\r')
check "a refused sub-address keeps the dialog open" [ "$message" = "$(sjis 'ｻﾌﾞｱﾄﾞﾚｽに使用できない文字が設定されています')" ]
drv answer "入力ｴﾗｰ" 1 >/dev/null
drv gone "入力ｴﾗｰ" "$patience_ms" "#32770"
drv click "$multi" 1072
drv click "$multi" 1
check "the multi-address edit closes on OK" drv gone "$multi" "$patience_ms" "#32770"
companies() { rows 4 | grep -c '^Acme$'; }
check "both entries get the company" eventually_is 2 companies

# The book as it is before the replace, kept by save-as in apply's form.
drv post-command "$title" 57604 >/dev/null
drv file-dialog "$patience_ms" 'C:\books\before.fdt' >/dev/null
check "save-as keeps the book before the replace" until_file "$books/before.fdt"
numbers_before=$(sorted_column 3)
menu_shot edit-menu-ja e
check "the Edit menu opens on Undo with its prompt" \
  [ "$menu_prompt" = "$(sjis '直前の変更を取り消します')" ]

# Replace on every row: the fax numbers' leading 03.
replace="文字列の置換"
drv select "$title" 0 1 2 3
drv post-command "$title" 32796 >/dev/null
check "the replace dialog opens" drv wait "$replace" "$patience_ms"
drv click "$replace" 1071
both_enabled() { echo "$(drv enabled "$replace" 1010 | tr -d '\r')$(drv enabled "$replace" 1011 | tr -d '\r')"; }
check "a tick enables the search and the replacement" eventually_is 11 both_enabled
drv set-text "$replace" 1010 03
drv set-text "$replace" 1011 06
shot replace-ja "$replace"
drv click "$replace" 1
check "the replace dialog closes on OK" drv gone "$replace" "$patience_ms" "#32770"
check "only the numbers' leading 03 are replaced" \
  eventually_is "06-1111 06-2222 06-3333 0612340301 " sorted_column 3

# Ctrl+Z takes the replace back; the book still differs from the applied
# file (the multi-address edit is not applied), and apply then writes the
# book exactly as it was before the replace.
press ctrl+z
check "Ctrl+Z gives every fax number back" eventually fax_numbers "$numbers_before"
check "undone, the book still differs from its file" modified
drv command "$title" 57603 >/dev/null
check "apply after the undo writes the book as it was before the replace" \
  cmp -s "$books/before.fdt" "$book"
check "apply clears the modified state after the undo" unmodified
press ctrl+y
check "Ctrl+Y replaces again" eventually fax_numbers "06-1111 06-2222 06-3333 0612340301 "
check "redone, the book is modified" modified
press ctrl+z
menu_shot edit-menu-undone-ja e
press ctrl+y
check "undone and redone by the keys once more" eventually fax_numbers "06-1111 06-2222 06-3333 0612340301 "

# Ctrl+O: another book through the open dialog; the book differs from the
# editor's own file, so it is modified (apply unsaved: answered No first).
drv post-command "$title" 57601 >/dev/null
question=$(drv message "$title" | tr -d '\r')
check "unsaved work is offered a save first" [ "$question" = "$(sjis '現在のｱﾄﾞﾚｽﾃﾞｰﾀを名前を変えて保存しますか?')" ]
drv answer "$title" 7 >/dev/null
drv file-dialog "$patience_ms" 'C:\books\address.fdt' >/dev/null
check "the other book replaces the entries" until_rows 2
check "the other book's entries show" [ "$(rows 2 | tr '\n' ' ')" = "KITA MINAMI " ]
check "the imported book counts as modified" modified
check "the book's own file is untouched by the import" cmp -s "$books/before.fdt" "$book"
drv close "$title" >/dev/null
drv answer "$title" 7 >/dev/null
check "the editor closes without saving" ended "$editor" 20
check "closing without saving keeps the file" cmp -s "$books/before.fdt" "$book"
stop_wine

# === English ==================================================================
locale=en_US.UTF-8
new_prefix "$scratch/en" "$locale" || { notok "wine prefix (en)"; exit 1; }
set_windows_version vista
app="$(drive)/Program Files/Faxbook"
mkdir -p "$app" "$(drive)/books"
cp "$exe" "$library" "$app/"
{
  echo '// header'
  echo '[FAX_ADDR]=1,1,,North,03-1,,,Firm,,,0'
  echo '[FAX_ADDR]=1,2,,South,06-3,,,Firm,,,0'
} | crlf >"$(drive)/books/address.fdt"
reg_set FileName 'C:\books\address.fdt'
reg_set Language English
start_editor "$app"
check "starts in English" drv wait "$title" "$patience_ms" FaxbookMainFrame
drv select "$title" 0 1
drv post-command "$title" 1013 >/dev/null
check "the multi-address edit opens in English" drv wait "Edit Several Addresses" "$patience_ms"
check "the unused registration name cannot be ticked in English" \
  [ "$(drv enabled "Edit Several Addresses" 1069 | tr -d '\r')" = 0 ]
check "the company is proposed" [ "$(drv text "Edit Several Addresses" 1019 | tr -d '\r')" = Firm ]
drv click "Edit Several Addresses" 1070
shot multi-edit-en "Edit Several Addresses"
drv click "Edit Several Addresses" 2
drv gone "Edit Several Addresses" "$patience_ms" "#32770"
drv post-command "$title" 32796 >/dev/null
check "the replace dialog opens in English" drv wait "Replace Text" "$patience_ms"
drv click "Replace Text" 1074
drv set-text "Replace Text" 1019 Firm
drv set-text "Replace Text" 1024 "Firm Ltd."
shot replace-en "Replace Text"
drv click "Replace Text" 1
drv gone "Replace Text" "$patience_ms" "#32770"
check "the replace reaches both entries in English" eventually_is "Firm Ltd. Firm Ltd. " sorted_column 3
menu_shot edit-menu-en e
check "the English Edit menu opens on Undo with its prompt" [ "$menu_prompt" = "Take back the last change" ]
press ctrl+z
check "Ctrl+Z takes the replace back in English" eventually_is "Firm Firm " sorted_column 3
drv close "$title" >/dev/null
drv answer "$title" 7 >/dev/null
check "closes (English)" ended "$editor" 20
exit $((failures > 0))

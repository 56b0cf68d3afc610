#!/usr/bin/env bash
# One book that two PCs edit: two Wine prefixes (two systems, each with its
# own editor) whose "FileName" names the same file, on NT4 so that each
# editor works on that file in place. A adds X, B (started before A's apply)
# adds Y and edits Z; A applies, then B: the file holds X, Y and Z's edit.
# Then a conflict through the real dialog, with either choice, in Japanese
# and in English (screenshots in SCRATCH). Meanwhile a reader copies the
# file over and over: it only ever sees whole books, since every apply swaps
# the new book in with one rename.
#
# Usage: faxbook_shared_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
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
locale=ja_JP.UTF-8
rm -rf "$scratch"
mkdir -p "$scratch/share"
scratch=$(cd "$scratch" && pwd)
book="$scratch/share/address.fdt"
# The same file seen from both systems: Wine's Z: drive is the Unix root.
book_path="Z:$(printf '%s' "$book" | tr / '\\')"

start_display 191 240 || { notok "Xvfb starts"; exit 1; }
editors=()
reader=""
cleanup() {
  local pid
  for pid in "${editors[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$reader" ] && kill "$reader" 2>/dev/null
  for prefix in "$scratch/a/prefix" "$scratch/b/prefix"; do WINEPREFIX=$prefix stop_wine; done
  stop_display
}
trap cleanup EXIT

sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }
# on A|B COMMAND...: the command in that PC's prefix.
on() {
  local pc=$1
  shift
  WINEPREFIX="$scratch/$pc/prefix" HOME="$scratch/$pc/home" "$@"
}
drv() {
  local pc=$1
  shift
  on "$pc" wine_run "$locale" "$driver" "$@"
}
# start PC: that PC's editor, in the background, once its window shows.
start() {
  on "$1" env LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$scratch/$1/program/faxbook.exe" \
    >/dev/null 2>&1 &
  editors+=($!)
  drv "$1" wait "$title" 60000 FaxbookMainFrame
}
shot() {  # shot NAME TITLE: the window by its own id (popups show black in root shots)
  sleep 1  # for the picture only: the window paints first
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | head -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}
has() { grep -qF -- "$(printf '%s\r' "$1" | sjis)" "$book"; }
rows() { drv "$1" rows "$title" | tr -d '\r' | cut -f2 | tr '\n' ' '; }
# The versions of the book that applies left, to compare the reader's with.
versions="$scratch/versions"
: >"$versions"
keep_version() { md5sum <"$book" >>"$versions"; }
# written: waits until B's apply has ended (its book is no longer modified:
# the apply button, which follows that state when the editor is idle, is
# grey) and keeps the book it left.
written() {
  eventually_is 0 drv b button-enabled "$title" 57603
  keep_version
}
# activate PC: the user switches back to that PC's editor (the editor reads
# a changed file again, or says it will merge it, before this returns).
activate() { drv "$1" activate-app "$title" FaxbookMainFrame >/dev/null; }

new_address="新規ｱﾄﾞﾚｽの登録"
edit_address="ｱﾄﾞﾚｽの編集"
add_address() {  # add_address PC NAME READING FAX
  drv "$1" post-command "$title" 32789 >/dev/null &&
    drv "$1" wait "$new_address" "$patience_ms" >/dev/null &&
    drv "$1" set-text "$new_address" 1006 "$2" && drv "$1" set-text "$new_address" 1005 "$3" &&
    drv "$1" set-text "$new_address" 1010 "$4" && drv "$1" click "$new_address" 1 &&
    drv "$1" gone "$new_address" "$patience_ms" "#32770"
}
edit_fax() {  # edit_fax PC ROW FAX [TITLE]
  local dialog=${4:-$edit_address}
  drv "$1" select "$title" "$2" >/dev/null &&
    drv "$1" post-command "$title" 1013 >/dev/null &&
    drv "$1" wait "$dialog" "$patience_ms" >/dev/null &&
    drv "$1" set-text "$dialog" 1010 "$3" && drv "$1" click "$dialog" 1 &&
    drv "$1" gone "$dialog" "$patience_ms" "#32770"
}
apply() { drv "$1" command "$title" 57603 >/dev/null; }

for pc in a b; do
  new_prefix "$scratch/$pc" "$locale" || { notok "wine prefix ($pc)"; exit 1; }
  use_japanese_ui_font
  set_windows_version nt40
  wine_run "$locale" reg add "$key" /v FileName /d "$book_path" /f >/dev/null 2>&1
  mkdir -p "$scratch/$pc/program"
  cp "$exe" "$scratch/$pc/program/"
done
{
  echo "// This is BrevantZelo Relay Fax AddressBook  Utility Data."
  echo '[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0'
  echo '[FAX_ADDR]=1,2,Abe,ABE,03-2,,,,,,0'
} | crlf >"$book"
keep_version

# A reader that copies the book while the editors apply, as the picker
# reads it: one open, the whole file.
(
  n=0
  while [ ! -e "$scratch/stop-reading" ]; do
    cat "$book" >"$scratch/read.$n" 2>/dev/null || echo "missing" >"$scratch/read.$n"
    n=$((n + 1))
    [ "$n" -ge 4000 ] && n=0
  done
) &
reader=$!

check "A's editor starts on the shared book" start a
check "B's editor starts on the shared book" start b
check "both show the book" [ "$(rows a)" = "ABE KITA " ] && [ "$(rows b)" = "ABE KITA " ]

check "A adds X" add_address a Xa XRAY 04-1
check "B adds Y" add_address b Ya YANKEE 05-1
check "B edits Z" edit_fax b 0 03-9
apply a
keep_version
check "A's apply writes X" has '[FAX_ADDR]=1,3,Xa,XRAY,04-1,,,,,,0'
activate b
check "B, modified, says the file changed and will be merged" \
  eventually_is "$(printf '%s' 'ｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙが他で変更されました。適用時にこの変更とまとめます' | sjis)" \
  drv b status "$title" 0
apply b
keep_version
check "B's apply keeps X" has '[FAX_ADDR]=1,3,Xa,XRAY,04-1,,,,,,0'
check "B's apply writes Y under the next free number" has '[FAX_ADDR]=1,4,Ya,YANKEE,05-1,,,,,,0'
check "B's apply writes Z's edit" has '[FAX_ADDR]=1,2,Abe,ABE,03-9,,,,,,0'
check "B's list shows the merged book" [ "$(rows b)" = "ABE KITA XRAY YANKEE " ]
# A's book is unmodified: back in front, it reads the file again.
activate a
check "A shows B's changes once active again" eventually_is "ABE KITA XRAY YANKEE " rows a

# A conflict: both change Kita's fax number (row 1, by reading).
conflict="変更の衝突"
conflict_round() {  # conflict_round A_FAX B_FAX BUTTON SHOT [EDIT_TITLE]
  edit_fax a 1 "$1" || return 1
  apply a
  keep_version
  edit_fax b 1 "$2" "${5:-$edit_address}" || return 1
  drv b post-command "$title" 57603 >/dev/null
  drv b wait "$conflict_title" "$patience_ms" "#32770" >/dev/null || return 1
  shot "$4" "$conflict_title"
  drv b click "$conflict_title" "$3" >/dev/null
  # OK takes input once every conflict has its version.
  eventually_is 1 drv b enabled "$conflict_title" 1 || return 1
  drv b click "$conflict_title" 1 >/dev/null
  drv b gone "$conflict_title" "$patience_ms" "#32770" >/dev/null
  written
}
conflict_title=$conflict
check "a conflict goes to the dialog; the file's version kept" \
  conflict_round 03-11 03-22 1305 shared-conflict-ja
check "the file keeps A's number" has '[FAX_ADDR]=1,1,Kita,KITA,03-11,,,,,,0'
activate a
check "a conflict resolved with this PC's version" conflict_round 03-33 03-44 1304 shared-conflict-ja-mine
check "the file takes B's number" has '[FAX_ADDR]=1,1,Kita,KITA,03-44,,,,,,0'

# The same dialog in English on B.
b_editor=${editors[1]}
drv b close "$title" >/dev/null
# The next editor may start once this one has ended (one editor a system).
check "B's Japanese editor ends" eventually eval "! kill -0 $b_editor 2>/dev/null"
cp "$library" "$scratch/b/program/"
on b wine_run "$locale" reg add "$key" /v Language /d English /f >/dev/null 2>&1
check "B's editor starts in English" start b
conflict_title="Changed in Both Places"
activate a
check "the English dialog keeps this PC's version" \
  conflict_round 03-55 03-66 1304 shared-conflict-en "Edit Address"
# The English editor keeps the registration names it does not show.
check "the file takes B's number (English), its name kept" has '[FAX_ADDR]=1,1,Kita,KITA,03-66,,,,,,0'

keep_version
touch "$scratch/stop-reading"
wait "$reader" 2>/dev/null
reader=""
whole=1
for f in "$scratch"/read.*; do
  sum=$(md5sum <"$f")
  grep -qxF -- "$sum" "$versions" || { whole=0; echo "# a read saw: $(head -c 300 "$f" | tr '\r\n' '  ')"; break; }
done
check "the reader saw $(ls "$scratch"/read.* | wc -l) whole books, never a part" [ "$whole" = 1 ]

for pc in a b; do drv "$pc" close "$title" >/dev/null; done
[ "$failures" = 0 ]

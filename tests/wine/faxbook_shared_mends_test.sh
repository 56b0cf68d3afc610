#!/usr/bin/env bash
# The shared book when something goes wrong, with the real editor under
# Wine on a file two PCs share (two prefixes on NT4, as in
# faxbook_shared_test.sh):
# - a file cut short, emptied or written over by another program is never
#   merged at apply (the user is told, the file stays as it is);
# - a whole book that lost most of its entries is merged only when the user
#   says yes;
# - after a merge, Ctrl+Z never takes back the other PC's work, and the Undo
#   item's prompt says why nothing before the merge can be undone;
# - back in front, an unmodified editor does not read a damaged file again;
# - the CSV export refuses the book's own file.
#
# Usage: faxbook_shared_mends_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME"
# or "not ok NAME" per check; exits non-zero when any check failed.
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
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
locale=ja_JP.UTF-8
rm -rf "$scratch"
mkdir -p "$scratch/share"
scratch=$(cd "$scratch" && pwd)
book="$scratch/share/address.fdt"
book_path="Z:$(printf '%s' "$book" | tr / '\\')"

start_display 341 390 || { notok "Xvfb starts"; exit 1; }
editors=()
cleanup() {
  local pid
  for pid in "${editors[@]}"; do kill "$pid" 2>/dev/null; done
  for prefix in "$scratch/a/prefix" "$scratch/b/prefix"; do WINEPREFIX=$prefix stop_wine; done
  stop_display
}
trap cleanup EXIT

sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }
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
start() {
  on "$1" env LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$scratch/$1/program/faxbook.exe" \
    >/dev/null 2>&1 &
  editors+=($!)
  drv "$1" wait "$title" 60000 FaxbookMainFrame >/dev/null
}
has() { grep -qF -- "$(printf '%s\r' "$1" | sjis)" "$book"; }
# has_entry NAME READING FAX: an address line of these texts, whatever its
# registration number.
has_entry() { grep -q -- "^\[FAX_ADDR\]=1,[0-9]*,$1,$2,$3,,,,,,0"$'\r'"\$" "$book"; }
rows() { drv "$1" rows "$title" | tr -d '\r' | cut -f2 | tr '\n' ' '; }
rows_are() { [ "$(rows "$1")" = "$2" ]; }
pane_is() { [ "$(drv "$1" status "$title" 0 | tr -d '\r' | iconv -f CP932 -t UTF-8)" = "$2" ]; }
activate() { drv "$1" activate-app "$title" FaxbookMainFrame >/dev/null; }
new_address="新規ｱﾄﾞﾚｽの登録"
add_address() {  # add_address PC NAME READING FAX
  drv "$1" post-command "$title" 32789 >/dev/null &&
    drv "$1" wait "$new_address" 10000 >/dev/null &&
    drv "$1" set-text "$new_address" 1006 "$2" && drv "$1" set-text "$new_address" 1005 "$3" &&
    drv "$1" set-text "$new_address" 1010 "$4" && drv "$1" click "$new_address" 1 &&
    drv "$1" gone "$new_address" 10000 "#32770"
}
# apply_told PC: apply, and the text of the message box it shows (its
# answer in $2, 1 by default).
apply_told() {
  drv "$1" post-command "$title" 57603 >/dev/null || return 1
  drv "$1" message "$title" 15000 | tr -d '\r' | iconv -f CP932 -t UTF-8
  drv "$1" answer "$title" "${2:-1}" >/dev/null
  drv "$1" gone "$title" 10000 message-box >/dev/null
}
# written_since SUM: polls until the book's bytes are no longer SUM.
written_since() { poll 15 sh -c '[ "$(md5sum <"$1")" != "$2" ]' - "$book" "$1"; }

for pc in a b; do
  new_prefix "$scratch/$pc" "$locale" || { notok "wine prefix ($pc)"; exit 1; }
  use_japanese_ui_font
  set_windows_version nt40
  wine_run "$locale" reg add "$key" /v FileName /d "$book_path" /f >/dev/null 2>&1
  mkdir -p "$scratch/$pc/program"
  cp "$exe" "$scratch/$pc/program/"
done
seven() {
  echo "// This is BrevantZelo Relay Fax AddressBook  Utility Data."
  local n
  for n in 1 2 3 4 5 6 7; do echo "[FAX_ADDR]=1,$n,N$n,R$n,03-$n,,,,,,0"; done
}
seven | crlf >"$book"

check "A's editor starts on the shared book of 7 entries" start a
check "A shows the 7 entries" [ "$(rows a)" = "R1 R2 R3 R4 R5 R6 R7 " ]
check "A adds XRAY" add_address a Xa XRAY 04-1

# === A file that is no whole book ============================================
unreadable="ｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙ $book_path を読み込めませんでした。ﾌｧｲﾙはそのまま残ります"
seven | crlf | head -c 150 >"$scratch/cut.fdt"
: >"$scratch/emptied.fdt"
printf 'Name,Fax\r\nfoo,1\r\n' >"$scratch/other.fdt"
for damaged in cut emptied other; do
  cp "$scratch/$damaged.fdt" "$book"
  told=$(apply_told a)
  check "apply over a $damaged file says it cannot be read" [ "$told" = "$unreadable" ]
  check "apply leaves the $damaged file as it is" cmp -s "$scratch/$damaged.fdt" "$book"
done
check "A still shows its book with XRAY" [ "$(rows a)" = "R1 R2 R3 R4 R5 R6 R7 XRAY " ]

# === A whole book that lost most of its entries ================================
printf '%s\r\n' "// This is BrevantZelo Relay Fax AddressBook  Utility Data." >"$book"
cp "$book" "$scratch/header-only.fdt"
told=$(apply_told a 7)
case "$told" in *"7 件の登録がなくなっています"*) lost=1 ;; *) lost=0; echo "# told: $told" ;; esac
check "apply over a book that lost its 7 entries asks first" [ "$lost" = 1 ]
check "No writes nothing" cmp -s "$scratch/header-only.fdt" "$book"
sum=$(md5sum <"$book")
apply_told a 6 >/dev/null
check "Yes merges them as deleted" written_since "$sum"
check "the file then holds XRAY alone" \
  [ "$(grep -c '^\[FAX_ADDR\]' "$book")" = 1 ] && has_entry Xa XRAY 04-1

# === Undo after a merge ========================================================
check "B's editor starts on the shared book" start b
check "B adds YANKEE" add_address b Ya YANKEE 05-1
sum=$(md5sum <"$book")
drv b command "$title" 57603 >/dev/null
check "B's apply writes YANKEE" written_since "$sum"
check "A adds ZULU" add_address a Za ZULU 06-1
sum=$(md5sum <"$book")
drv a command "$title" 57603 >/dev/null
check "A's apply merges YANKEE in" written_since "$sum"
check "the file holds XRAY, YANKEE and ZULU" \
  has_entry Xa XRAY 04-1 && has_entry Ya YANKEE 05-1 && has_entry Za ZULU 06-1
check "A's list shows the merged book" rows_are a "XRAY YANKEE ZULU "
# Ctrl+Z (the command the key sends): before, it took the merge back.
drv a command "$title" 57643 >/dev/null
check "Ctrl+Z after the merge keeps YANKEE in A's list" rows_are a "XRAY YANKEE ZULU "
drv a command "$title" 57603 >/dev/null
check "the next apply keeps YANKEE in the file" has_entry Ya YANKEE 05-1
# The Undo item's prompt: the Edit menu opened with the keyboard shows it.
# Both editors' windows carry the title: A's prompt shows when A's is
# the one focused.
prompts=()
for w in $(xdotool search --name "^$title\$" 2>/dev/null); do
  xdotool windowfocus --sync "$w" key alt+e >/dev/null 2>&1
  sleep 1.5
  prompts+=("$(drv a status "$title" 0 | tr -d '\r' | iconv -f CP932 -t UTF-8)")
  xdotool key Escape Escape >/dev/null 2>&1
  sleep 0.5
done
prompt_seen=0
for p in "${prompts[@]}"; do
  [ "$p" = "他のPCでの変更を取り込んだため、それより前の変更は元に戻せません" ] && prompt_seen=1
done
check "the Undo item's prompt says the history ends at the merge" [ "$prompt_seen" = 1 ]

# === Back in front with a damaged file =========================================
before=$(rows a)
seven | crlf | head -c 100 >"$book"
activate a
check "its status bar says the file is no whole book" \
  poll 5 pane_is a "ｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙが他で書き換えられましたが、完全なｱﾄﾞﾚｽ帳ではないため読み込みませんでした"
check "an unmodified editor does not read a cut file again" rows_are a "$before"
seven | crlf >"$book"
activate a
check "a whole book is read again" poll 10 rows_are a "R1 R2 R3 R4 R5 R6 R7 "

# === Export over the book ======================================================
cp "$book" "$scratch/before-export.fdt"
drv a post-command "$title" 32800 >/dev/null
dialog=$(drv a file-dialog 20000 "$book_path" | tr -d '\r' | iconv -f CP932 -t UTF-8)
# The save dialog asks before it replaces a file: Yes. (Wine's own box is
# titled "エラー", Windows' the dialog's title.)
answer_overwrite() { drv a answer "$dialog" 6 100 >/dev/null || drv a answer "エラー" 6 100 >/dev/null; }
poll 10 answer_overwrite
told=$(drv a message "$title" 15000 | tr -d '\r' | iconv -f CP932 -t UTF-8)
drv a answer "$title" 1 >/dev/null
refusal="$book_path はｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙです。ｴｸｽﾎﾟｰﾄで上書きすることはできません。別のﾌｧｲﾙ名を指定してください"
[ "$told" = "$refusal" ] || echo "# the save dialog \"$dialog\"; told: $told"
check "the export to the book's own file is refused, naming it" [ "$told" = "$refusal" ]
check "the book's file is unchanged by the export" cmp -s "$scratch/before-export.fdt" "$book"

for pc in a b; do drv "$pc" close "$title" >/dev/null; done
[ "$failures" = 0 ]

#!/usr/bin/env bash
# End-to-end tests of faxbook.exe under Wine, on its own Xvfb display:
# installation check, first start on XP (data folder, seeding from the old
# location, rows shown), writing the book, a second instance, closing; then
# the English library on Vista, the registry path on NT4, and the time from
# start to the list shown with the largest book.
#
# Usage: faxbook_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
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
for f in "$exe" "$driver" "$fdtool" "$library" "$build/tests/wine/ui_backend_check.exe"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
rm -rf "$scratch"
mkdir -p "$scratch"

# --- display ------------------------------------------------------------------
start_display 91 140 || { notok "Xvfb starts"; exit 1; }
editors=()
cleanup() {
  local pid
  for pid in "${editors[@]}"; do kill "$pid" 2>/dev/null; done
  stop_wine
  stop_display
}
trap cleanup EXIT

# --- helpers ---------------------------------------------------------------------
locale=ja_JP.UTF-8
drive() { echo "$WINEPREFIX/drive_c"; }
userdir() { local d; for d in "$(drive)"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1; }
drv() { wine_run "$locale" "$driver" "$@"; }
sjis() { iconv -f UTF-8 -t CP932; }
utf8() { iconv -f CP932 -t UTF-8; }
reg_set() { wine_run "$locale" reg add "$key" /v "$1" /d "$2" /f >/dev/null 2>&1; }
reg_clear() { wine_run "$locale" reg delete "$key" /f >/dev/null 2>&1; true; }
# start_editor DIR: starts DIR/faxbook.exe in the background.
start_editor() {
  LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$1/faxbook.exe" >/dev/null 2>&1 &
  editor=$!
  editors+=("$editor")
}
# ended PID SECONDS: the process has ended within the time.
ended() { poll "$2" eval "! kill -0 $1 2>/dev/null"; }
# keys_taken: every key typed so far has been handled by the editor. Keys
# are handled in the order typed: Insert typed after them opens the new
# address dialog once they are, and the dialog is cancelled again.
keys_taken() {
  local dialog="新規ｱﾄﾞﾚｽの登録"
  xdotool search --name "^$title\$" windowfocus --sync key Insert >/dev/null 2>&1
  drv wait "$dialog" "$patience_ms" >/dev/null && drv click "$dialog" 2 >/dev/null &&
    drv gone "$dialog" "$patience_ms" '#32770'
}
shot() { xwd -root -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null; }
crlf() { sed 's/$/\r/'; }

# The old book: scrambled order, a repeated reading, kinds 2 and 3, quotes.
old_book() {
  {
    echo "// an old book"
    echo '[FAX_ADDR]=1,1,北支店,ｷﾀ,03-111-222,,,"北商事, 株式会社",営業部,北 太郎,1'
    echo '[FAX_ADDR]=1,2,南店,ﾐﾅﾐ,06-333-444,12,,"The ""Sun"" Shop",,,2'
    echo '[FAX_ADDR]=1,5,南店二,ﾐﾅﾐ,06-333-445,,,,,,0'
    echo '[FAX_ADDR]=2,4,東,ﾋｶﾞｼ,07-1,,,,,東京,3'
    echo '[FAX_ADDR]=3,3,全店,ｾﾞﾝﾃﾝ,'
    echo '[FAX_ADDR_GM]=4,3,北支店,ｷﾀ,03-111-222,,,"北商事, 株式会社",営業部,北 太郎,1'
    echo '[FAX_ADDR]=1,6,Abe,ABE,011-1,,,,,,0'
  } | crlf | sjis
}

# === Japanese, Windows XP ===============================================================
new_prefix "$scratch/ja" ja_JP.UTF-8 || { notok "wine prefix (ja)"; exit 1; }
set_windows_version winxp
app="$(drive)/Program Files/Faxbook"
mkdir -p "$app" "$(drive)/old"
cp "$exe" "$app/"

# 0. The user-interface backends on real windows (a dialog from a template
# and its report list).
wine_run "$locale" "$build/tests/wine/ui_backend_check.exe" 2>&1 | tr -d '\r' >"$scratch/ui_backend_check.log"
seen=0
while IFS= read -r line; do
  case "$line" in
    "[       OK ] "*) seen=1; name=${line#*] }; ok "ui backend: ${name% (*}" ;;
    "[  FAILED  ] "*" ms)") seen=1; name=${line#*] }; notok "ui backend: ${name% (*}" ;;
  esac
done <"$scratch/ui_backend_check.log"
[ "$seen" = 1 ] || { notok "ui backend check ran"; tail -5 "$scratch/ui_backend_check.log"; }
stop_wine

# 1. Without "FileName" the editor stops with the installation message.
reg_clear
start_editor "$app"
message=$(drv message "$title" | tr -d '\r' | utf8)
check "stops with the installation message when FileName is missing" \
  test "$message" = "ｲﾝｽﾄｰﾙが正しく行なわれていません、再度ｲﾝｽﾄｰﾙを行なってください"
shot install-message
drv answer "$title" 1 >/dev/null
check "ends after the installation message" ended "$editor" 20
check "creates no data folder before the installation check" \
  test ! -e "$(userdir)/Documents/BrevantZelo"

# 2. First start: data folder, book seeded from the old location, rows shown.
old_book >"$(drive)/old/address.fdt"
reg_set FileName 'C:\old\address.fdt'
start_editor "$app"
check "starts and shows its window" drv wait "$title" "$patience_ms" FaxbookMainFrame
data="$(userdir)/Documents/BrevantZelo/FaxbookData"
book="$data/address.fdt"
check "creates the data folder on first start" test -d "$data"
{ printf '// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n'; tail -n +2 "$(drive)/old/address.fdt"; } >"$scratch/seeded.fdt"
check "copies the old book into the new data file" cmp -s "$book" "$scratch/seeded.fdt"
drv rows "$title" | tr -d '\r' | utf8 >"$scratch/rows-ja.txt"
printf '%s\n' \
  "Abe	ABE	011-1			" \
  "北支店	ｷﾀ	03-111-222	北商事, 株式会社	営業部	北 太郎 様" \
  "全店	ｾﾞﾝﾃﾝ				" \
  "東	ﾋｶﾞｼ	07-1			東京 御中" \
  "南店	ﾐﾅﾐ	06-333-444	The \"Sun\" Shop		 殿" >"$scratch/rows-ja.expected"
check "shows the rows in reading order with honorifics" cmp -s "$scratch/rows-ja.txt" "$scratch/rows-ja.expected"
check "counts the rows in the status bar" test "$(drv status "$title" 5 | tr -d '\r')" = 5
check "greys apply while nothing changed" test "$(drv button-enabled "$title" 57603 | tr -d '\r')" = 0
shot faxbook-ja

# 3. Ctrl+S while nothing changed leaves the file alone.
xdotool search --name "^$title\$" windowfocus --sync key ctrl+s >/dev/null 2>&1
check "the editor takes the key" keys_taken
check "Ctrl+S does nothing while the book is unmodified" cmp -s "$book" "$scratch/seeded.fdt"

# 4. The write button saves the rows in reading order, byte for byte as
# fdtool's load-and-apply does.
wine_run "$locale" "$fdtool" normalize --lang 1041 "Z:$scratch/seeded.fdt" "Z:$scratch/applied.fdt" >/dev/null 2>&1
drv command "$title" 1029 >/dev/null
check "writes the book in reading order, byte for byte" cmp -s "$book" "$scratch/applied.fdt"
check "writes an entry of kind 2 back as kind 1" \
  grep -q $'^\[FAX_ADDR\]=1,4,' "$book"

# 5. A second start raises the running editor and ends.
start_editor "$app"
second=$editor
check "refuses a second instance" ended "$second" 20
check "keeps the first instance running" drv wait "$title" 2000 FaxbookMainFrame
check "raises the running editor" test "$(drv foreground | tr -d '\r')" = "$title"

# 6. A change makes closing ask: delete the first row (Abe), Cancel the
# question, apply with Ctrl+S, then close without a question.
first=${editors[1]}
xdotool mousemove 300 380 click 1 >/dev/null 2>&1
xdotool key Home Delete >/dev/null 2>&1
drv answer "$title" 1 >/dev/null
check "deletes the confirmed row" eventually_is 4 drv status "$title" 5
check "enables apply once the book is modified" eventually_is 1 drv button-enabled "$title" 57603
drv close "$title" >/dev/null
question=$(drv message "$title" | tr -d '\r' | utf8)
check "asks on close when modified" test "$question" = "現在のｱﾄﾞﾚｽﾃﾞｰﾀを保存しますか?"
drv answer "$title" 2 >/dev/null
check "stays open when the question is cancelled" drv gone "$title" "$patience_ms" '#32770'
check "keeps running after Cancel" kill -0 "$first"
check "has not written the file before apply" cmp -s "$book" "$scratch/applied.fdt"
xdotool search --name "^$title\$" windowfocus --sync key ctrl+s >/dev/null 2>&1
grep -a -v '^\[FAX_ADDR\]=1,6,Abe,' "$scratch/applied.fdt" >"$scratch/after-delete.fdt"
check "applies with Ctrl+S, byte for byte" eventually cmp -s "$book" "$scratch/after-delete.fdt"
check "greys apply again after applying" eventually_is 0 drv button-enabled "$title" 57603
drv close "$title" >/dev/null
check "closes without asking after apply" ended "$first" 20
check "leaves the book as applied" cmp -s "$book" "$scratch/after-delete.fdt"

# 7. The largest book the limits allow (1000 groups of 80): time from start
# to the list shown.
largest="$build/../native/tests/bench/make_largest_book"
if [ -x "$largest" ]; then
  "$largest" --groups "$scratch/largest.fdt" >/dev/null 2>&1
  cp "$scratch/largest.fdt" "$book"
  rows=$(grep -c '^\[FAX_ADDR\]=' "$scratch/largest.fdt")
  # Into a file: the editor the driver starts keeps its output handle open.
  wine_run "$locale" "$driver" start-timed "C:\\Program Files\\Faxbook\\faxbook.exe" "$title" "$rows" 120000 \
    >"$scratch/time.txt" 2>/dev/null
  ms=$(tr -d '\r' <"$scratch/time.txt")
  if [ -n "$ms" ]; then
    echo "# start to $rows rows shown: $ms ms"
    ok "shows the largest book ($rows rows)"
  else
    notok "shows the largest book"
  fi
  shot faxbook-largest
  drv close "$title" >/dev/null
  check "closes after the largest book" drv gone "$title" "$patience_ms" FaxbookMainFrame
fi
stop_wine

# === English library, Vista, then NT4 ==================================================
locale=en_US.UTF-8
new_prefix "$scratch/en" en_US.UTF-8 || { notok "wine prefix (en)"; exit 1; }
set_windows_version vista
app="$(drive)/Program Files/Faxbook"
mkdir -p "$app" "$(drive)/old"
cp "$exe" "$library" "$app/"
{
  echo "// header"
  echo '[FAX_ADDR]=1,1,,beta,1,,,,,,0'
  echo '[FAX_ADDR]=1,2,,#hash,2,,,,,,0'
  echo '[FAX_ADDR]=1,3,,Alpha,3,,,Firm,,Ms A,1'
  echo '[FAX_ADDR]=1,4,,9lives,4,,,,,,0'
} | crlf >"$(drive)/old/address.fdt"
reg_set FileName 'C:\old\address.fdt'
reg_set Language English
start_editor "$app"
check "starts with the English library on Vista" drv wait "$title" "$patience_ms" FaxbookMainFrame
check "keeps the Vista book under the application data folder" \
  test -f "$(userdir)/AppData/Roaming/BrevantZelo/FaxbookData/address.fdt"
check "shows five columns in other languages" test "$(drv columns "$title" | tr -d '\r')" = 5
drv rows "$title" | tr -d '\r' | cut -f1 >"$scratch/rows-en.txt"
printf '%s\n' "#hash" "9lives" "Alpha" "beta" >"$scratch/rows-en.expected"
check "sorts readings with punctuation first in other languages" cmp -s "$scratch/rows-en.txt" "$scratch/rows-en.expected"
check "shows no honorific in other languages" \
  test "$(drv rows "$title" | tr -d '\r' | sed -n 3p | cut -f5)" = "Ms A"
shot faxbook-en
drv close "$title" >/dev/null
check "closes (English)" ended "$editor" 20

# NT4: the book is the file "FileName" names, read in place.
set_windows_version nt40
rm -rf "$(userdir)/AppData/Roaming/BrevantZelo"
reg_set FileName 'C:\old\address.fdt'
start_editor "$app"
check "starts on NT4" drv wait "$title" "$patience_ms" FaxbookMainFrame
check "reads the registry's book in place on NT4" test "$(drv rows "$title" | wc -l)" = 4
check "creates no data folder on NT4" test ! -e "$(userdir)/AppData/Roaming/BrevantZelo"
drv close "$title" >/dev/null
check "closes (NT4)" ended "$editor" 20

[ "$failures" = 0 ]

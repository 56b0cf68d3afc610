#!/usr/bin/env bash
# End-to-end tests of faxbook.exe under Wine around saves that do not
# finish: the book's name is never without a book while the editor applies
# the largest book again and again; an editor killed while it writes the
# book, or just before it renames it into place, starts again with the
# whole book; and a start after an older version's save was cut (the book
# missing, empty or cut short beside its temporary and backup files) puts
# the book back and says from where.
#
# Usage: faxbook_rescue_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"

exe="$build/faxbook/faxbook.exe"
driver="$build/tests/wine/faxbook_driver.exe"
largest="$build/../native/tests/bench/make_largest_book"
for f in "$exe" "$driver" "$largest"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
rm -rf "$scratch"
mkdir -p "$scratch"

start_display 141 190 || { notok "Xvfb starts"; exit 1; }
editors=()
watcher=
cleanup() {
  local pid
  [ -n "$watcher" ] && kill "$watcher" 2>/dev/null
  for pid in "${editors[@]}"; do kill "$pid" 2>/dev/null; done
  stop_wine
  stop_display
}
trap cleanup EXIT

locale=ja_JP.UTF-8
drive() { echo "$WINEPREFIX/drive_c"; }
userdir() { local d; for d in "$(drive)"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1; }
drv() { wine_run "$locale" "$driver" "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }
sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }
start_editor() {
  LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$app/faxbook.exe" >/dev/null 2>&1 &
  editor=$!
  editors+=("$editor")
}
# The editor's own process (start_editor's is the timeout around it).
editor_process() { pgrep -P "$editor" | head -1; }
ended() { poll "$2" eval "! kill -0 $1 2>/dev/null"; }
rows() { drv rows "$title" | tr -d '\r' | grep -c .; }
leftovers() { find "$data" -maxdepth 1 -name 'address.fdt.~fbk*' | wc -l; }
close_editor() {
  drv close "$title" >/dev/null
  ended "$editor" 30
}

new_prefix "$scratch/ja" ja_JP.UTF-8 || { notok "wine prefix"; exit 1; }
set_windows_version winxp
app="$(drive)/Program Files/Faxbook"
mkdir -p "$app"
cp "$exe" "$app/"
wine_run "$locale" reg add "$key" /v FileName /d 'C:\old\address.fdt' /f >/dev/null 2>&1
data="$(userdir)/Documents/BrevantZelo/FaxbookData"
book="$data/address.fdt"
winbook="C:\\users\\$(basename "$(userdir)")\\Documents\\BrevantZelo\\FaxbookData\\address.fdt"
mkdir -p "$data"

# 1. The name while the editor applies the largest book twenty times.
"$largest" --groups "$scratch/largest.fdt" >/dev/null 2>&1
entries=$(grep -c '^\[FAX_ADDR\]=' "$scratch/largest.fdt")
cp "$scratch/largest.fdt" "$book"
start_editor
check "starts with the largest book" drv wait "$title" 120000 FaxbookMainFrame
(
  looks=0 missing=0
  while [ ! -e "$scratch/stop" ]; do
    [ -e "$book" ] || missing=$((missing + 1))
    looks=$((looks + 1))
  done
  echo "$looks $missing" >"$scratch/watch.txt"
) &
watcher=$!
for _ in $(seq 20); do drv command "$title" 1029 >/dev/null; done
touch "$scratch/stop"
wait "$watcher"
watcher=
read -r looks missing <"$scratch/watch.txt"
echo "# $looks looks at the name during 20 applies, $missing without a book"
check "the book's name is never without a book during 20 applies" \
  test "$looks" -gt 0 -a "$missing" = 0
check "the applies leave nothing beside the book" test "$(leftovers)" = 0
check "the applied book holds every entry" test "$(grep -c '^\[FAX_ADDR\]=' "$book")" = "$entries"
cp "$book" "$scratch/applied.fdt"

# 2. Killed while it applies: while the temporary file is written, and once
# it is whole (just before the rename, or just after).
for point in writing whole; do
  process=$(editor_process)
  size=$(stat -c %s "$book")
  # The save starts while the driver is still ending: watch from now on.
  drv post-command "$title" 1029 >/dev/null &
  poster=$!
  seen=0
  temp=
  for _ in $(seq 200000); do
    temp=
    for f in "$data"/address.fdt.~fbk*.tmp; do [ -e "$f" ] && temp=$f; done
    if [ -n "$temp" ]; then
      seen=1
      [ "$point" = writing ] && break
      [ "$(stat -c %s "$temp" 2>/dev/null)" = "$size" ] && break
    elif [ "$seen" = 1 ]; then
      break  # renamed already: killed just after
    fi
  done
  kill -9 "$process" 2>/dev/null
  wait "$editor" "$poster" 2>/dev/null
  if [ -n "$temp" ] && [ -e "$temp" ]; then
    echo "# killed while $point: a temporary file of $(stat -c %s "$temp") of $size bytes"
  else
    echo "# killed while $point: after the rename"
  fi
  check "a book is under the name after a kill while $point" cmp -s "$book" "$scratch/applied.fdt"
  start_editor
  check "starts again after a kill while $point" drv wait "$title" 120000 FaxbookMainFrame
  check "shows every entry after a kill while $point" test "$(rows)" = "$entries"
  check "says nothing after a kill while $point" drv gone "$title" 0 '#32770'
  drv command "$title" 1029 >/dev/null
  check "the next apply clears what the kill left ($point)" test "$(leftovers)" = 0
done
close_editor

# 3. The states an older version's save (a move away, then a move in) left
# when it was cut, and what the next start makes of them.
header='// This is BrevantZelo Relay Fax AddressBook  Utility Data.'
printf '%s\n' "$header" '[FAX_ADDR]=1,2,南店,ﾐﾅﾐ,06-1,,,,,,0' '[FAX_ADDR]=1,1,北支店,ｷﾀ,03-1,,,,,,0' |
  crlf | sjis >"$scratch/old.fdt"
printf '%s\n' "$header" '[FAX_ADDR]=1,3,Abe,ABE,011-1,,,,,,0' '[FAX_ADDR]=1,1,北支店,ｷﾀ,03-1,,,,,,0' \
  '[FAX_ADDR]=1,2,南店,ﾐﾅﾐ,06-1,,,,,,0' | crlf | sjis >"$scratch/new.fdt"
head -c 150 "$scratch/new.fdt" >"$scratch/cut.fdt"
: >"$scratch/empty.fdt"
bak="$book.~fbk0a000001.bak"
tmp="$book.~fbk0a000002.tmp"
# what: book (a file or "none"), backup, temporary, the leftover expected
# back ("none" when the book stays), the rows then shown.
while IFS='|' read -r what bookfile bakfile tmpfile back shown; do
  rm -f "$data"/address.fdt*
  cp "$scratch/$bakfile.fdt" "$bak"
  touch -d '-3 minutes' "$bak"
  if [ "$bookfile" = cut ]; then
    cp "$scratch/cut.fdt" "$book"
    touch -d '-2 minutes' "$book"
  fi
  cp "$scratch/$tmpfile.fdt" "$tmp"
  touch -d '-1 minutes' "$tmp"
  case "$bookfile" in none | cut) ;; *) cp "$scratch/$bookfile.fdt" "$book" ;; esac
  start_editor
  if [ "$back" = none ]; then
    check "$what: starts" drv wait "$title" "$patience_ms" FaxbookMainFrame
    check "$what: says nothing" drv gone "$title" 0 '#32770'
    check "$what: leaves the book as it was" cmp -s "$book" "$scratch/$bookfile.fdt"
  else
    from=$([ "$back" = tmp ] && echo "$tmp" || echo "$bak")
    expected=$([ "$back" = tmp ] && echo "$scratch/$tmpfile.fdt" || echo "$scratch/$bakfile.fdt")
    check "$what: says the book was put back" drv wait "$title" "$patience_ms" '#32770'
    message=$(drv message "$title" | tr -d '\r' | utf8)
    leftover=$(basename "$from")
    check "$what: names the book and the file it came from" \
      test "${message#*"$winbook "}" != "$message" -a "${message#*"$leftover"}" != "$message"
    drv answer "$title" 1 >/dev/null
    check "$what: starts" drv wait "$title" "$patience_ms" FaxbookMainFrame
    check "$what: puts back the whole book" cmp -s "$book" "$expected"
    check "$what: keeps the other leftover until a save" test "$(leftovers)" = 1
  fi
  check "$what: shows $shown rows" test "$(rows)" = "$shown"
  close_editor
done <<'CASES'
killed between the two moves|none|old|new|tmp|3
killed while the new book was written|none|old|cut|bak|2
another start made an empty book in the gap|empty|old|new|tmp|3
a book cut short before a later save|cut|old|new|tmp|3
killed before the rename of this version|old|old|new|none|2
CASES
echo "# message: $message"

[ "$failures" = 0 ]

#!/usr/bin/env bash
# Measures, under Wine, the time from starting faxbook.exe to its visible
# main window showing the whole book: with an empty book and with the largest
# book the limits allow, in turns, in one prefix (Windows XP, Japanese).
#
#   scripts/measure-editor-start.sh [RUNS]     (default 7 runs of each)
#
# Prints every time and the medians. Needs the native build (for
# make_largest_book) and builds the Windows programs it needs.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-7}
cmake --preset native >/dev/null
cmake --build --preset native --target make_largest_book >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target faxbook faxbook_driver >/dev/null

. tests/wine/lib.sh
scratch="$root/build/start-time"
# The display first: a prefix booted without one starts its programs without.
start_display 150 199 || { echo "no display"; exit 1; }
trap 'stop_wine; stop_display' EXIT
new_prefix "$scratch" ja_JP.UTF-8
set_windows_version winxp

drive="$WINEPREFIX/drive_c"
app="$drive/Program Files/Faxbook"
mkdir -p "$app" "$drive/old"
cp build/win64/faxbook/faxbook.exe "$app/"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
wine_run ja_JP.UTF-8 reg add "$key" /v FileName /d 'C:\old\address.fdt' /f >/dev/null 2>&1
title="Address Book for Relay FAX"
driver=build/win64/tests/wine/faxbook_driver.exe

build/native/tests/bench/make_largest_book --groups "$scratch/largest.fdt"
largestRows=$(grep -c '^\[FAX_ADDR\]=' "$scratch/largest.fdt")
printf '%s\r\n' "// This is BrevantZelo Relay Fax AddressBook  Utility Data." >"$scratch/empty.fdt"

# The first start creates the data folder; the book is then put there.
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 timeout 120 "$WINE64" "$app/faxbook.exe" >/dev/null 2>&1 &
wine_run ja_JP.UTF-8 "$driver" wait "$title" 60000 FaxbookMainFrame || echo "the first start showed no window" >&2
wine_run ja_JP.UTF-8 "$driver" close-ended "$title" 20000 >/dev/null 2>&1 || true
user=$(for d in "$drive"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1)
book="$user/Documents/BrevantZelo/FaxbookData/address.fdt"
[ -d "$(dirname "$book")" ] || { echo "no data folder"; exit 1; }

# time BOOK ROWS: one start, in milliseconds.
time_start() {
  cp "$1" "$book"
  wine_run ja_JP.UTF-8 "$driver" start-timed "C:\\Program Files\\Faxbook\\faxbook.exe" "$title" "$2" 120000 \
    >"$scratch/time.txt" 2>/dev/null || echo "did not show $2 rows" >&2
  tr -d '\r' <"$scratch/time.txt"
  # The next start must not find this editor still running.
  wine_run ja_JP.UTF-8 "$driver" close-ended "$title" 20000 >/dev/null 2>&1
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
: >"$scratch/empty.times"
: >"$scratch/largest.times"
for i in $(seq "$runs"); do
  e=$(time_start "$scratch/empty.fdt" 0)
  l=$(time_start "$scratch/largest.fdt" "$largestRows")
  echo "run $i: empty book $e ms, largest book ($largestRows rows) $l ms"
  echo "$e" >>"$scratch/empty.times"
  echo "$l" >>"$scratch/largest.times"
done
echo "median: empty book $(median <"$scratch/empty.times") ms, largest book $(median <"$scratch/largest.times") ms"

#!/usr/bin/env bash
# Measures, under Wine, the time from starting faxpick.exe (with the driver
# side's command line) to its dialog's list holding the whole book: with a
# book of four entries, with the largest book the limits allow and with the
# one of 1000 groups of 80 members, in turns, in one prefix (Windows XP,
# Japanese). With FAXPICK_OTHER_EXE set to another build's faxpick.exe, that
# program is started too, in the same turns, to compare the two.
#
#   scripts/measure-picker-start.sh [RUNS]     (default 7 runs of each)
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
cmake --build --preset win64 --target faxpick pickresJPN faxbook_driver >/dev/null

. tests/wine/lib.sh
scratch="$root/build/picker-start-time"
# The display first: a prefix booted without one starts its programs without.
start_display 150 199 || { echo "no display"; exit 1; }
trap 'stop_wine; stop_display' EXIT
new_prefix "$scratch" ja_JP.UTF-8
set_windows_version winxp
use_japanese_ui_font

drive="$WINEPREFIX/drive_c"
app="$drive/Program Files/RelayFax"
mkdir -p "$app/other"
cp build/win64/faxpick/faxpick.exe build/win64/lang/pickresJPN.dll "$app/"
programs=('C:\Program Files\RelayFax\faxpick.exe')
if [ -n "${FAXPICK_OTHER_EXE:-}" ]; then
  cp "$FAXPICK_OTHER_EXE" build/win64/lang/pickresJPN.dll "$app/other/"
  programs+=('C:\Program Files\RelayFax\other\faxpick.exe')
fi
user=$(for d in "$drive"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1)
book="$user/Documents/BrevantZelo/FaxbookDATA/address.fdt"
mkdir -p "$(dirname "$book")"
line='"C:\Spool\spooler.dll" "2.1"'
title="宛先の選択"
driver=build/win64/tests/wine/faxbook_driver.exe

build/native/tests/bench/make_largest_book "$scratch/largest.fdt"
build/native/tests/bench/make_largest_book --groups "$scratch/groups.fdt"
{
  printf '%s\r\n' "// This is BrevantZelo Relay Fax AddressBook  Utility Data."
  for n in 1 2 3 4; do printf '[FAX_ADDR]=1,%d,N%d,R%d,0%d,,,,,,0\r\n' "$n" "$n" "$n" "$n"; done
} >"$scratch/four.fdt"

# time_start PROGRAM BOOK: one start, in milliseconds.
time_start() {
  cp "$2" "$book"
  local rows
  rows=$(grep -c '^\[FAX_ADDR\]=' "$2")
  wine_run ja_JP.UTF-8 "$driver" launch-timed "$1" "$line" "$title" 1002 "$rows" 120000 \
    >"$scratch/time.txt" 2>/dev/null || echo "did not show $rows rows" >&2
  tr -d '\r' <"$scratch/time.txt"
  # The next start must not find this picker still running.
  wine_run ja_JP.UTF-8 "$driver" click "$title" 2 >/dev/null 2>&1
  wine_run ja_JP.UTF-8 "$driver" gone "$title" 20000 '#32770' >/dev/null 2>&1
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
rm -f "$scratch"/*.times
for i in $(seq "$runs"); do
  for p in "${!programs[@]}"; do
    for b in four largest groups; do
      t=$(time_start "${programs[$p]}" "$scratch/$b.fdt")
      echo "run $i, program $p, $b book: $t ms"
      echo "$t" >>"$scratch/$p-$b.times"
    done
  done
done
for p in "${!programs[@]}"; do
  echo "median, ${programs[$p]}: four entries $(median <"$scratch/$p-four.times") ms," \
    "largest book $(median <"$scratch/$p-largest.times") ms," \
    "1000 groups $(median <"$scratch/$p-groups.times") ms"
done

#!/usr/bin/env bash
# Runs the destination picker under Wine as the fax driver side runs it:
# installs what is missing, builds the Windows x86_64 picker and its
# language libraries, prepares a Wine prefix in build/run-faxpick/ with the
# picker in "C:\Program Files\RelayFax", the spooler's registry values, the
# user's address book and the job's exchange file where the picker looks
# for them, and starts faxpick.exe with the command line
#   "C:\Program Files\RelayFax\spooler.dll" "2.1"
# (the spooler's path and version). When the picker ends the exchange file
# is printed: OK has rewritten it with the send list, Cancel has left it.
#
#   scripts/run-faxpick.sh [--language Japanese|English] [--windows VERSION]
#                          [--book FILE] [--exchange FILE] [--fresh]
#
# --language  the user's locale: Japanese (default; pickresJPN.dll) or
#             English (pickresENG.dll).
# --windows   the version Wine reports: winxp (default; book and exchange
#             file below the documents folder), vista or win7 (below the
#             application-data folder), nt40 (the book is the file the
#             registry value "FileName" names, the exchange file lies beside
#             the spooler).
# --book      the user's address book (default tests/data/example_ja.fdt).
# --exchange  the job's exchange file (default tests/data/exchange_sample.ini:
#             two destinations listed, three in the job).
# --fresh     a new prefix.
#
# With a display the picker runs until it is closed. Without one it runs on
# its own Xvfb display; the script waits for the dialog, saves a screenshot
# to build/run-faxpick/faxpick.png, cancels and ends.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
language=Japanese
windows=winxp
book="$root/tests/data/example_ja.fdt"
exchange="$root/tests/data/exchange_sample.ini"
fresh=0
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
while [ $# -gt 0 ]; do
  case "$1" in
    --language) language=$2; shift 2 ;;
    --windows) windows=$2; shift 2 ;;
    --book) book=$(absolute "$2"); shift 2 ;;
    --exchange) exchange=$(absolute "$2"); shift 2 ;;
    --fresh) fresh=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target faxpick pickresJPN pickresENG faxbook_driver

. tests/wine/lib.sh
run="$root/build/run-faxpick"
locale=ja_JP.UTF-8
[ "$language" = Japanese ] || locale=en_US.UTF-8
if [ "$fresh" = 1 ] || [ ! -d "$run/prefix/drive_c/windows" ] || [ "$(cat "$run/locale" 2>/dev/null)" != "$locale" ]; then
  echo "preparing a Wine prefix in $run ($locale)"
  new_prefix "$run" "$locale"
  echo "$locale" >"$run/locale"
fi
export WINEPREFIX="$run/prefix" HOME="$run/home"
drive="$WINEPREFIX/drive_c"
app="$drive/Program Files/RelayFax"
mkdir -p "$app"
cp build/win64/faxpick/faxpick.exe build/win64/lang/pickresJPN.dll build/win64/lang/pickresENG.dll "$app/"
spooler='SOFTWARE\Brevant Zelo\RelayFAX\Spooler'
wine_run "$locale" reg add "HKLM\\$spooler" /v InstallPath /d 'C:\Program Files\RelayFax\spooler.dll' /f >/dev/null 2>&1
wine_run "$locale" reg add "HKLM\\$spooler" /v Version /d 2.1 /f >/dev/null 2>&1
wine_run "$locale" reg add 'HKLM\SOFTWARE\Brevant Zelo\RelayFAX\AddressBook' /v FileName \
  /d 'C:\Program Files\RelayFax\address.fdt' /f >/dev/null 2>&1
WINE_LOCALE=$locale set_windows_version "$windows"
stop_wine

# Where this system keeps the book and the exchange file.
user=$(for d in "$drive"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1)
case "$windows" in
  winxp | win2k) base="$user/Documents" ;;
  nt40 | win98 | win95) base="" ;;
  *) base="$user/AppData/Roaming" ;;
esac
if [ -n "$base" ]; then
  bookfile="$base/BrevantZelo/FaxbookDATA/address.fdt"
  jobfile="$base/BrevantZelo/RelayFax/2.1/SendList.ini"
else
  bookfile="$app/address.fdt"
  jobfile="$app/SendList.ini"
fi
mkdir -p "$(dirname "$bookfile")" "$(dirname "$jobfile")"
cp "$book" "$bookfile"
cp "$exchange" "$jobfile"
echo "book: $bookfile"
echo "exchange file: $jobfile"

driver="$root/build/win64/tests/wine/faxbook_driver.exe"
program='C:\Program Files\RelayFax\faxpick.exe'
line='"C:\Program Files\RelayFax\spooler.dll" "2.1"'
title="宛先の選択"
[ "$language" = Japanese ] || title="Select Destinations"
if [ -n "${DISPLAY:-}" ]; then
  wine_run "$locale" "$driver" run "$program" "$line" 86400000 >/dev/null
  echo "--- the exchange file now:"
  tr -d '\r' <"$jobfile" | iconv -f CP932 -t UTF-8
  exit 0
fi

# No display: an Xvfb of our own, a screenshot, Cancel and a clean end.
start_display 91 140 || { echo "Xvfb did not start" >&2; exit 1; }
trap 'stop_wine; stop_display' EXIT
LANG=$locale LC_ALL=$locale "$WINE64" "$driver" run "$program" "$line" 600000 >"$run/exit.txt" 2>&1 &
picker=$!
if wine_run "$locale" "$driver" wait "$title" 60000 '#32770'; then
  sleep 1
  window=$(xdotool search --name "^$title\$" | head -1)
  xwd -id "$window" -silent | convert xwd:- "$run/faxpick.png"
  echo "the picker is running; screenshot: $run/faxpick.png"
  wine_run "$locale" "$driver" click "$title" 2 >/dev/null
  wait "$picker" 2>/dev/null || true
  echo "exit code: $(tr -d '\r' <"$run/exit.txt")"
else
  xwd -root -silent | convert xwd:- "$run/faxpick.png"
  echo "the picker's dialog did not appear; screenshot: $run/faxpick.png" >&2
  exit 1
fi

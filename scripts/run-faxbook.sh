#!/usr/bin/env bash
# Runs the address book editor under Wine, set up as an installer would set
# it up: installs what is missing, builds the Windows x86_64 programs,
# prepares a Wine prefix in build/run/ with the editor in
# "C:\Program Files\Faxbook" and the registry values "FileName" and
# "Language" under HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook, and
# starts faxbook.exe.
#
#   scripts/run-faxbook.sh [--language Japanese|English] [--windows VERSION]
#                          [--book FILE] [--fresh]
#
# --language  the "Language" value (Japanese by default); English also puts
#             the English resource library beside the program.
# --windows   the version Wine reports: winxp (default; the book lives in the
#             documents folder), vista or win7 (application data), nt40 (the
#             book is the file "FileName" names).
# --book      an address book to start with: it becomes the old book that
#             "FileName" names, which a first start copies into a new data
#             folder.
# --fresh     a new prefix (the user's data folder starts empty).
#
# With a display the editor runs until it is closed. Without one it runs on
# its own Xvfb display; the script waits for the list, saves a screenshot
# to build/run/faxbook.png, closes the editor and ends.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
language=Japanese
windows=winxp
book=""
fresh=0
while [ $# -gt 0 ]; do
  case "$1" in
    --language) language=$2; shift 2 ;;
    --windows) windows=$2; shift 2 ;;
    --book) book=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --fresh) fresh=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target faxbook ledgresLC faxbook_driver

. tests/wine/lib.sh
run="$root/build/run"
locale=ja_JP.UTF-8
[ "$language" = Japanese ] || locale=en_US.UTF-8
if [ "$fresh" = 1 ] || [ ! -d "$run/prefix/drive_c/windows" ] || [ "$(cat "$run/locale" 2>/dev/null)" != "$locale" ]; then
  echo "preparing a Wine prefix in $run ($locale)"
  new_prefix "$run" "$locale"
  echo "$locale" >"$run/locale"
fi
export WINEPREFIX="$run/prefix" HOME="$run/home"
app="$WINEPREFIX/drive_c/Program Files/Faxbook"
mkdir -p "$app"
cp build/win64/faxbook/faxbook.exe "$app/"
rm -f "$app/ledgresLC.dll"
[ "$language" = Japanese ] || cp build/win64/lang/ledgresLC.dll "$app/"
[ -z "$book" ] || cp "$book" "$app/address.fdt"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
wine_run "$locale" reg add "$key" /v FileName /d 'C:\Program Files\Faxbook\address.fdt' /f >/dev/null 2>&1
wine_run "$locale" reg add "$key" /v Language /d "$language" /f >/dev/null 2>&1
WINE_LOCALE=$locale set_windows_version "$windows"
# The set-up ran without a window system; the editor's session starts anew
# on the display it is given.
stop_wine

exe="$app/faxbook.exe"
if [ -n "${DISPLAY:-}" ]; then
  LANG=$locale LC_ALL=$locale "$WINE64" "$exe"
  exit 0
fi

# No display: an Xvfb of our own, a screenshot, and a clean end.
start_display 91 140 || { echo "Xvfb did not start" >&2; exit 1; }
trap 'stop_wine; stop_display' EXIT
LANG=$locale LC_ALL=$locale "$WINE64" "$exe" >"$run/editor.log" 2>&1 &
editor=$!
title="Address Book for Relay FAX"
driver="$root/build/win64/tests/wine/faxbook_driver.exe"
if wine_run "$locale" "$driver" wait "$title" 60000 FaxbookMainFrame; then
  sleep 1
  xwd -root -silent | convert xwd:- "$run/faxbook.png"
  echo "the editor is running; screenshot: $run/faxbook.png"
  wine_run "$locale" "$driver" close "$title" >/dev/null
  wait "$editor" 2>/dev/null || true
else
  xwd -root -silent | convert xwd:- "$run/faxbook.png"
  echo "the editor's window did not appear; screenshot: $run/faxbook.png" >&2
  exit 1
fi

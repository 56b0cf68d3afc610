#!/usr/bin/env bash
# Runs the address book editor under Wine, set up as the installer sets it
# up, and starts faxbook.exe with the user's book.
#
#   scripts/run-faxbook.sh [--language Japanese|English] [--windows VERSION]
#                          [--book FILE] [--fresh]
#
# --language  the "Language" value and the language of the program's files
#             (Japanese by default; English adds the English resource
#             library and help). The user's book stays as it is.
# --windows   the version Wine reports, which decides where the user's book
#             lives: winxp (default) and win2k in the documents folder,
#             vista, win7, win8 and win10 in the application data folder,
#             nt40 and older in the shared book that "FileName" names.
# --book      puts FILE in place as the user's book, every time it is given;
#             a different book already there is kept beside it as
#             address.fdt.DATE-TIME.bak.
# --fresh     a new Wine prefix: every book of the old one is gone.
#
# The prefix lives in build/run/wine/ (FAXBOOK_RUN_DIR chooses another folder
# than build/run) and is kept from run to run. With a display the editor runs until it is
# closed. Without one it runs on its own Xvfb display; the script waits for
# the list, says how many entries it shows, saves a screenshot to
# faxbook.png beside the prefix, closes the editor and ends.
#
# Programs already running in the prefix (a picker, the editor itself) keep
# running: the script only ever ends the editor it started. Without a
# display, an editor already running is left alone and none is started
# (there is one editor at a time); --fresh is refused while any program
# runs there.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
language=Japanese
windows=winxp
book=""
fresh=0
while [ $# -gt 0 ]; do
  case "$1" in
    --language) language=${2:-}; shift 2 ;;
    --windows) windows=${2:-}; shift 2 ;;
    --book)
      [ -f "${2:-}" ] || { echo "no such book: ${2:-}" >&2; exit 2; }
      book=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --fresh) fresh=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$language" in
  Japanese) locale=ja_JP.UTF-8 lang=ja ;;
  English) locale=en_US.UTF-8 lang=en ;;
  *) echo "--language is Japanese or English" >&2; exit 2 ;;
esac
# The system class the editor derives from the version: 1 documents, 2
# application data, 0 the registry's book.
case "$windows" in
  winxp | win2k) class=1 ;;
  vista | win7 | win8 | win81 | win10) class=2 ;;
  nt40 | nt351 | win98 | win95 | winme) class=0 ;;
  *) echo "unknown --windows $windows" >&2; exit 2 ;;
esac

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target faxbook ledgresLC faxbook_driver help_files

. tests/wine/lib.sh
run=${FAXBOOK_RUN_DIR:-$root/build/run}
mkdir -p "$run"
run=$(cd "$run" && pwd)
# What runs in the prefix now is the user's: it is never ended, and no new
# prefix is made under it.
busy=$(prefix_programs "$run/wine/prefix")
if [ "$fresh" = 1 ] && [ -n "$busy" ]; then
  echo "programs run in the Wine prefix $run/wine; close them before --fresh:" >&2
  echo "$busy" | sed 's/^/  /' >&2
  exit 2
fi
# Without a display the editor gets an Xvfb of its own, from the start, so
# that whatever the set-up starts in Wine has a display too.
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  if echo "$busy" | grep -qi 'faxbook\.exe$'; then
    echo "the editor already runs in the Wine prefix $run/wine and keeps running; none started:"
    echo "$busy" | sed 's/^/  /'
    exit 0
  fi
  start_display 91 140 || { echo "Xvfb did not start" >&2; exit 1; }
  own_display=1
fi
editor=""
session=""
# At the end: the editor this script started, if it still runs, and then
# the display, once the session the script began (if it began one) is over.
finish() {
  if [ -n "$editor" ] && kill -0 "$editor" 2>/dev/null; then
    kill "$editor" 2>/dev/null
    wait "$editor" 2>/dev/null
  fi
  if [ "$own_display" = 1 ]; then
    if [ -z "$busy" ] && [ -n "$session" ]; then
      WINEPREFIX=$session WINESERVER_WAIT=20 wait_wine || true
    fi
    stop_display
  fi
}
trap finish EXIT
# The prefix and its home folder in a folder of their own, which only
# --fresh (or a missing prefix) starts anew.
if [ "$fresh" = 1 ] || [ ! -d "$run/wine/prefix/drive_c/windows" ]; then
  echo "preparing a new Wine prefix in $run/wine"
  new_prefix "$run/wine" "$locale"
fi
export WINEPREFIX="$run/wine/prefix" HOME="$run/wine/home"
session=$WINEPREFIX
# A session that ran without a display and is ending (no program of the
# user's in it) is let end: the editor's starts anew on its display.
[ -n "$busy" ] || WINESERVER_WAIT=20 wait_wine || true
drive="$WINEPREFIX/drive_c"

# The program's folder, as the installer fills it: the program and the
# chosen language's library and help, nothing of the other language.
app="$drive/Program Files/Brevant Zelo/Address Book for Relay FAX"
mkdir -p "$app"
cp build/win64/faxbook/faxbook.exe "$app/"
rm -f "$app/ledgresLC.dll" "$app/FAXBOOK.HLP" "$app/FAXBOOK.CNT" "$app/FAXBOOK.GID"
cp "build/win64/help/$lang/FAXBOOK.HLP" "build/win64/help/$lang/FAXBOOK.CNT" "$app/"
[ "$lang" = en ] && cp build/win64/lang/ledgresLC.dll "$app/"

# The shared book "FileName" names, placed once as the installer does.
shared="$drive/users/Public/Documents/BrevantZelo/FaxbookData"
mkdir -p "$shared"
[ -f "$shared/address.fdt" ] ||
  printf '// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n' >"$shared/address.fdt"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
wine_run "$locale" reg add "$key" /v FileName /d 'C:\users\Public\Documents\BrevantZelo\FaxbookData\address.fdt' /f >/dev/null 2>&1
wine_run "$locale" reg add "$key" /v Language /d "$language" /f >/dev/null 2>&1
WINE_LOCALE=$locale set_windows_version "$windows"
use_japanese_ui_font

# The user's book as the editor finds it for this version of Windows.
user=""
for d in "$drive"/users/*/; do [ "$(basename "$d")" = Public ] || { user=${d%/}; break; }; done
case "$class" in
  1) user_book="$user/Documents/BrevantZelo/FaxbookData/address.fdt" ;;
  2) user_book="$user/AppData/Roaming/BrevantZelo/FaxbookData/address.fdt" ;;
  *) user_book="$shared/address.fdt" ;;
esac
if [ -n "$book" ]; then
  mkdir -p "$(dirname "$user_book")"
  if [ -f "$user_book" ] && cmp -s "$book" "$user_book"; then
    echo "the user's book already is $book"
  else
    if [ -f "$user_book" ]; then
      backup="$user_book.$(date +%Y%m%d-%H%M%S).bak"
      mv "$user_book" "$backup"
      echo "the previous book is kept as $backup"
    fi
    cp "$book" "$user_book.tmp"
    mv "$user_book.tmp" "$user_book"
    echo "the user's book now is a copy of $book"
  fi
fi
echo "the user's book: $user_book"
if [ -n "$busy" ]; then
  echo "the editor starts beside what runs in the prefix, which keeps running:"
  echo "$busy" | sed 's/^/  /'
fi

exe="$app/faxbook.exe"
if [ "$own_display" = 0 ]; then
  LANG=$locale LC_ALL=$locale "$WINE64" "$exe"
  exit 0
fi

# No display: on its own Xvfb, a screenshot, and a clean end. The driver
# starts the editor (which ends with it) and looks only at its windows.
title="Address Book for Relay FAX"
driver="$root/build/win64/tests/wine/faxbook_driver.exe"
program='C:\Program Files\Brevant Zelo\Address Book for Relay FAX\faxbook.exe'
started=0
start_own "$locale" "$driver" "$program" "" "$run/editor.log" && started=1
editor=$own
if [ "$started" = 1 ] && wine_run "$locale" "$driver" wait "$title" 60000 FaxbookMainFrame >/dev/null; then
  sleep 1
  xwd -root -silent | convert xwd:- "$run/faxbook.png"
  entries=$(wine_run "$locale" "$driver" status "$title" 5 | tr -d '\r')
  echo "the editor shows ${entries:-no} entries; screenshot: $run/faxbook.png"
  wine_run "$locale" "$driver" close "$title" >/dev/null
  wait "$editor" 2>/dev/null || true
else
  xwd -root -silent | convert xwd:- "$run/faxbook.png"
  echo "the editor's window did not appear; screenshot: $run/faxbook.png" >&2
  exit 1
fi

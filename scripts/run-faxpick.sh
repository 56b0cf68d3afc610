#!/usr/bin/env bash
# Runs the destination picker under Wine as the fax driver side runs it:
# installs what is missing, builds the Windows x86_64 picker, its language
# libraries and help files, keeps a Wine prefix with the picker installed in
# "C:\Program Files\RelayFax" and the spooler's registry values, and starts
# faxpick.exe with the command line
#   "C:\Program Files\RelayFax\spooler.dll" "2.1"
# (the spooler's path and version).
#
#   scripts/run-faxpick.sh [--language Japanese|English] [--windows VERSION]
#                          [--book FILE] [--exchange FILE] [--fresh]
#
# --language  the user's locale (Japanese by default): the picker takes
#             pickresJPN.dll and faxpickJP.hlp, or pickresENG.dll and
#             faxpickEN.hlp. Every file of the prefix stays as it is.
# --windows   the version Wine reports, which decides where the user's book
#             and the job's exchange file live: winxp (default) and win2k
#             below the documents folder, vista, win7, win8, win81 and win10
#             below the application data folder, nt40, win98, win95 and
#             winme the shared book the registry value "FileName" names and
#             the exchange file in the picker's folder. Each place keeps its
#             files.
# --book      puts a copy of FILE in place as the user's book, every time it
#             is given; a different book already there is kept beside it as
#             address.fdt.DATE-TIME.bak.
# --exchange  puts a copy of FILE in place as the job's exchange file
#             (SendList.ini), every time it is given; a different file
#             already there is kept beside it as SendList.ini.DATE-TIME.bak.
# --fresh     a new Wine prefix: every book, exchange file and picker
#             setting (FilePath.ini) of the old one is gone.
#
# Without --book or --exchange the files already in place stay: the book as
# it was, the exchange file as the last run left it (OK rewrites it with the
# send list), FilePath.ini (the book chosen with OK) as the picker wrote it.
# Where there is none yet, the script places tests/data/example_ja.fdt as
# the book and tests/data/exchange_sample.ini (two destinations listed,
# three in the job) as the exchange file, and says so.
#
# The prefix is the editor's (scripts/run-faxbook.sh): build/run/wine/, or
# the folder FAXBOOK_RUN_DIR names, so that the picker shows the book the
# editor keeps, and what is entered in the one shows in the other.
# FAXPICK_RUN_DIR puts the picker into a prefix of its own instead. The
# prefix is kept from run to run. With a display the picker runs until
# it is closed, and the script then prints the exchange file. Without one
# it runs on its own Xvfb display; the script waits for the dialog, says
# how many entries and destinations it shows, saves a screenshot to
# faxpick.png beside the prefix, cancels and ends.
#
# Programs already running in the prefix (an editor, another picker) keep
# running: the picker starts beside them, and the script only ever ends the
# picker it started. --fresh is refused while any program runs there.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
language=Japanese
windows=winxp
book=""
exchange=""
fresh=0
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
while [ $# -gt 0 ]; do
  case "$1" in
    --language) language=${2:-}; shift 2 ;;
    --windows) windows=${2:-}; shift 2 ;;
    --book)
      [ -f "${2:-}" ] || { echo "no such book: ${2:-}" >&2; exit 2; }
      book=$(absolute "$2"); shift 2 ;;
    --exchange)
      [ -f "${2:-}" ] || { echo "no such exchange file: ${2:-}" >&2; exit 2; }
      exchange=$(absolute "$2"); shift 2 ;;
    --fresh) fresh=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$language" in
  Japanese) locale=ja_JP.UTF-8 title="宛先の選択" ;;
  English) locale=en_US.UTF-8 title="Select Destinations" ;;
  *) echo "--language is Japanese or English" >&2; exit 2 ;;
esac
# The system class the picker derives from the version: 1 documents, 2
# application data, 0 the spooler's folder and the registry's book.
case "$windows" in
  winxp | win2k) class=1 ;;
  vista | win7 | win8 | win81 | win10) class=2 ;;
  nt40 | win98 | win95 | winme) class=0 ;;
  *) echo "unknown --windows $windows" >&2; exit 2 ;;
esac

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target faxpick pickresJPN pickresENG faxbook_driver help_files

. tests/wine/lib.sh
run=${FAXPICK_RUN_DIR:-${FAXBOOK_RUN_DIR:-$root/build/run}}
mkdir -p "$run"
run=$(cd "$run" && pwd)
# What runs in the prefix now is the user's: it is never ended, and no new
# prefix is made under it.
busy=$(prefix_programs "$run/wine/prefix")
if [ ! -e "$run/wine" ] && [ -n "$(prefix_programs "$run/prefix")" ]; then
  echo "programs run in the Wine prefix $run/prefix of an earlier layout; close them first" >&2
  exit 2
fi
if [ "$fresh" = 1 ] && [ -n "$busy" ]; then
  echo "programs run in the Wine prefix $run/wine; close them before --fresh:" >&2
  echo "$busy" | sed 's/^/  /' >&2
  exit 2
fi
# Without a display the picker gets an Xvfb of its own, from the start, so
# that whatever the set-up starts in Wine has a display too.
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  start_display 91 140 || { echo "Xvfb did not start" >&2; exit 1; }
  own_display=1
fi
picker=""
session=""
# At the end: the picker this script started, if it still runs, and then
# the display, once the session the script began (if it began one) is over.
finish() {
  if [ -n "$picker" ] && kill -0 "$picker" 2>/dev/null; then
    kill "$picker" 2>/dev/null
    wait "$picker" 2>/dev/null
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
# --fresh (or a missing prefix) starts anew. Runs of an earlier layout kept
# them beside the screenshot: they move in.
if [ ! -e "$run/wine" ] && [ -d "$run/prefix/drive_c/windows" ] && [ -d "$run/home" ]; then
  mkdir -p "$run/wine"
  mv "$run/prefix" "$run/home" "$run/wine/"
  rm -f "$run/locale"
  echo "the Wine prefix of earlier runs now lives in $run/wine"
fi
if [ "$fresh" = 1 ] || [ ! -d "$run/wine/prefix/drive_c/windows" ]; then
  echo "preparing a new Wine prefix in $run/wine"
  new_prefix "$run/wine" "$locale"
fi
export WINEPREFIX="$run/wine/prefix" HOME="$run/wine/home"
session=$WINEPREFIX
# A session that ran without a display and is ending (no program of the
# user's in it) is let end: the picker's starts anew on its display.
[ -n "$busy" ] || WINESERVER_WAIT=20 wait_wine || true
drive="$WINEPREFIX/drive_c"

# The picker's folder, as the installer fills it: the program, and the
# libraries and help files of both languages (the picker takes the user's).
app="$drive/Program Files/RelayFax"
mkdir -p "$app"
cp build/win64/faxpick/faxpick.exe build/win64/lang/pickresJPN.dll build/win64/lang/pickresENG.dll \
  build/win64/help/ja/faxpickJP.hlp build/win64/help/ja/faxpickJP.cnt \
  build/win64/help/en/faxpickEN.hlp build/win64/help/en/faxpickEN.cnt "$app/"
spooler='SOFTWARE\Brevant Zelo\RelayFAX\Spooler'
wine_run "$locale" reg add "HKLM\\$spooler" /v InstallPath /d 'C:\Program Files\RelayFax\spooler.dll' /f >/dev/null 2>&1
wine_run "$locale" reg add "HKLM\\$spooler" /v Version /d 2.1 /f >/dev/null 2>&1
# The book of older systems: the shared book, as the installer and
# scripts/run-faxbook.sh place it.
shared="$drive/users/Public/Documents/BrevantZelo/FaxbookData"
mkdir -p "$shared"
[ -f "$shared/address.fdt" ] ||
  printf '// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n' >"$shared/address.fdt"
wine_run "$locale" reg add 'HKLM\SOFTWARE\Brevant Zelo\RelayFAX\AddressBook' /v FileName \
  /d 'C:\users\Public\Documents\BrevantZelo\FaxbookData\address.fdt' /f >/dev/null 2>&1
WINE_LOCALE=$locale set_windows_version "$windows"
use_japanese_ui_font

# Where the picker finds the book and the exchange file on this version.
user=""
for d in "$drive"/users/*/; do [ "$(basename "$d")" = Public ] || { user=${d%/}; break; }; done
case "$class" in
  1) base="$user/Documents" ;;
  2) base="$user/AppData/Roaming" ;;
  *) base="" ;;
esac
# The picker spells the book's folder FaxbookDATA, the editor FaxbookData:
# Windows finds either under the other's name, so this script takes the
# folder as it already is (or the editor's spelling), as Windows would.
folder_of() {
  local found
  found=$(find "$1" -maxdepth 1 -iname "$2" -type d 2>/dev/null | head -1)
  echo "${found:-$1/$2}"
}
if [ -n "$base" ]; then
  bookfile="$(folder_of "$base/BrevantZelo" FaxbookData)/address.fdt"
  jobfile="$base/BrevantZelo/RelayFax/2.1/SendList.ini"
else
  bookfile="$shared/address.fdt"
  jobfile="$app/SendList.ini"
fi

# place SOURCE TARGET WHAT: a copy of SOURCE becomes TARGET; a different
# file there is kept beside it as a backup.
place() {
  mkdir -p "$(dirname "$2")"
  if [ -f "$2" ] && cmp -s "$1" "$2"; then
    echo "the $3 already is a copy of $1"
    return
  fi
  if [ -f "$2" ]; then
    local backup
    backup="$2.$(date +%Y%m%d-%H%M%S).bak"
    mv "$2" "$backup"
    echo "the previous $3 is kept as $backup"
  fi
  cp "$1" "$2.tmp"
  mv "$2.tmp" "$2"
  echo "the $3 now is a copy of $1"
}
# seed SOURCE TARGET WHAT: a copy of SOURCE when there is no TARGET yet.
seed() {
  [ -f "$2" ] && return
  mkdir -p "$(dirname "$2")"
  cp "$1" "$2"
  echo "there was no $3 yet: it starts as a copy of $1"
}
if [ -n "$book" ]; then place "$book" "$bookfile" book; else seed tests/data/example_ja.fdt "$bookfile" book; fi
if [ -n "$exchange" ]; then
  place "$exchange" "$jobfile" "exchange file"
else
  seed tests/data/exchange_sample.ini "$jobfile" "exchange file"
fi
echo "the user's book: $bookfile"
echo "the exchange file: $jobfile"
settings="$(dirname "$jobfile")/FilePath.ini"
if [ -f "$settings" ]; then echo "the picker's settings: $settings"; fi
if [ -n "$busy" ]; then
  echo "the picker starts beside what runs in the prefix, which keeps running:"
  echo "$busy" | sed 's/^/  /'
fi

driver="$root/build/win64/tests/wine/faxbook_driver.exe"
program='C:\Program Files\RelayFax\faxpick.exe'
line='"C:\Program Files\RelayFax\spooler.dll" "2.1"'
charset=CP932
[ "$language" = Japanese ] || charset=CP1252
if [ "$own_display" = 0 ]; then
  WINE_TIMEOUT=86400 wine_run "$locale" "$driver" run "$program" "$line" 86400000 >/dev/null
  echo "--- the exchange file now:"
  tr -d '\r' <"$jobfile" | iconv -f "$charset" -t UTF-8
  exit 0
fi

# No display: on its own Xvfb, a screenshot, Cancel and a clean end. The
# driver looks only at the windows of the picker it started (another
# picker may show the same dialog), and ends it with itself.
started=0
start_own "$locale" "$driver" "$program" "$line" "$run/exit.txt" && started=1
picker=$own
if [ "$started" = 1 ] && wine_run "$locale" "$driver" wait "$title" 60000 '#32770'; then
  sleep 1
  window=$(xdotool search --name "^$title\$" | head -1)
  xwd -id "$window" -silent | convert xwd:- "$run/faxpick.png"
  entries=$(wine_run "$locale" "$driver" dialog-rows "$title" 1002 | wc -l)
  destinations=$(wine_run "$locale" "$driver" dialog-rows "$title" 1005 | wc -l)
  echo "the picker shows $entries entries and $destinations destinations; screenshot: $run/faxpick.png"
  wine_run "$locale" "$driver" click "$title" 2 >/dev/null
  wait "$picker" 2>/dev/null || true
  echo "exit code: $(tr -d '\r' <"$run/exit.txt")"
else
  xwd -root -silent | convert xwd:- "$run/faxpick.png"
  echo "the picker's dialog did not appear; screenshot: $run/faxpick.png" >&2
  exit 1
fi

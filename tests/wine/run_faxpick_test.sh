#!/usr/bin/env bash
# scripts/run-faxpick.sh does what it says: the first run places the sample
# book and exchange file; later runs, and a change of language, keep the
# book, the exchange file as the last run left it and the picker's
# settings; --book and --exchange put their file in place every time they
# are given, keeping the one before as a backup; the picker shows what is
# in place. Neither run script ends a program the user runs in the prefix:
# the picker starts beside a running editor and the editor beside a
# running picker, each left as it was; --fresh is refused meanwhile.
#
# Usage: run_faxpick_test.sh WIN64_BUILD SCRATCH (the build must be the one
# the script builds, build/win64 of this tree). Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed. At the end,
# without FAXPICK_RUN_DIR, the picker shares the editor's prefix
# (scripts/run-faxbook.sh) and shows the book the editor keeps; the user's
# programs run on an Xvfb display of the test's own.
set -u
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/report.sh"
. "$here/lib.sh"
root=$(cd "$here/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)
export FAXPICK_RUN_DIR="$scratch/run"
unset DISPLAY

run() { "$root/scripts/run-faxpick.sh" "$@" >"$scratch/out" 2>&1; local s=$?; cat "$scratch/out"; return $s; }
said() { grep -q "^$1" "$scratch/out"; }
shows() { said "the picker shows $1 entries and $2 destinations"; }
drive="$FAXPICK_RUN_DIR/wine/prefix/drive_c"
# The picker's folder name differs from the editor's in letter case only.
find_file() { find "$drive/users" -ipath "*/Documents/BrevantZelo/$1" 2>/dev/null | head -1; }
user_book() { find_file FaxbookDATA/address.fdt; }
job() { find_file RelayFax/2.1/SendList.ini; }
backups() { find "$drive/users" -name "$1.*.bak" | wc -l; }

# exchange FILE N: an exchange file listing N destinations of a job of N.
exchange() {
  local i
  {
    printf '[BASE_INFO]\r\nItemNum=%d\r\nItemNumTotal=%d\r\n' "$2" "$2"
    for i in $(seq 0 $(($2 - 1))); do
      printf '[ITEM_%03d]\r\nFaxNumber=0%d\r\nDispName=D%d\r\nDispNameJP=D%d\r\n' "$i" "$i" "$i" "$i"
    done
  } >"$1"
}
printf '%s\r\n' '// a book' '[FAX_ADDR]=1,1,Abe,ABE,011,,,,,,0' '[FAX_ADDR]=1,2,Ito,ITO,022,,,,,,0' \
  '[FAX_ADDR]=1,3,Ueda,UEDA,033,,,,,,0' >"$scratch/three.fdt"

# 1. The first run places the samples and says so.
run >/dev/null
check "the first run places the sample book" cmp -s "$(user_book)" "$root/tests/data/example_ja.fdt"
check "and the sample exchange file" cmp -s "$(job)" "$root/tests/data/exchange_sample.ini"
check "and says so" said "there was no exchange file yet"
check "the picker shows them" shows 3 2

# 2. What a run left stays: the exchange file as OK rewrote it and the
# settings that chose a shared book.
exchange "$scratch/left.ini" 1
cp "$scratch/left.ini" "$(job)"
mkdir -p "$drive/Shared"
printf '%s\r\n' '// shared' '[FAX_ADDR]=1,9,Honsha,HONSHA,03-999,,,,,,3' >"$drive/Shared/address.fdt"
printf '[PARAM]\r\nTYPE=1\r\nHostName=\r\nFilePath=C:\\Shared\\address.fdt\r\n' >"$(dirname "$(job)")/FilePath.ini"
cp "$(dirname "$(job)")/FilePath.ini" "$scratch/settings.ini"
run >/dev/null
check "a later run keeps the exchange file the last one left" cmp -s "$(job)" "$scratch/left.ini"
check "and the picker's settings" cmp -s "$(dirname "$(job)")/FilePath.ini" "$scratch/settings.ini"
check "the picker shows the shared book and the destination left" shows 1 1

# 3. A change of language keeps everything in place.
run --language English >/dev/null
check "a change of language keeps the exchange file" cmp -s "$(job)" "$scratch/left.ini"
check "and the settings" cmp -s "$(dirname "$(job)")/FilePath.ini" "$scratch/settings.ini"
check "and the book" cmp -s "$(user_book)" "$root/tests/data/example_ja.fdt"
check "the English picker shows them" shows 1 1

# 4. --exchange and --book put their file in place, keeping the one before.
rm -f "$(dirname "$(job)")/FilePath.ini"
exchange "$scratch/four.ini" 4
run --exchange "$scratch/four.ini" --book "$scratch/three.fdt" >/dev/null
check "--exchange puts the file in place" cmp -s "$(job)" "$scratch/four.ini"
check "keeping the one before as a backup" \
  cmp -s "$(find "$drive/users" -name 'SendList.ini.*.bak' | head -1)" "$scratch/left.ini"
check "--book puts the book in place" cmp -s "$(user_book)" "$scratch/three.fdt"
check "keeping the one before as a backup" \
  cmp -s "$(find "$drive/users" -name 'address.fdt.*.bak' | head -1)" "$root/tests/data/example_ja.fdt"
check "and the script says so" said "the previous exchange file is kept as "
check "the picker shows the new files" shows 3 4
run --exchange "$scratch/four.ini" >/dev/null
check "the same exchange file again makes no backup" test "$(backups SendList.ini)" = 1

# 5. Without a prefix of its own the picker runs in the editor's: the book
# the editor was given (and keeps) is the one the picker shows.
unset FAXPICK_RUN_DIR
export FAXBOOK_RUN_DIR="$scratch/shared"
"$root/scripts/run-faxbook.sh" --book "$scratch/three.fdt" >"$scratch/out" 2>&1
check "the editor keeps the book it was given" said "the editor shows 3 entries"
run >/dev/null
check "the picker shows the editor's book" shows 3 2
check "and has not put its sample book in its place" \
  cmp -s "$(find "$FAXBOOK_RUN_DIR/wine/prefix/drive_c/users" -ipath '*/Documents/BrevantZelo/FaxbookData/address.fdt' | head -1)" \
  "$scratch/three.fdt"

# 6. The user's editor runs (on the user's display) in that prefix: the
# picker starts beside it, and the editor is still there afterwards, as
# after a refused --fresh.
driver="$root/build/win64/tests/wine/faxbook_driver.exe"
editor_title="Address Book for Relay FAX"
picker_title="宛先の選択"
if start_display 231 270; then
  user_display=$DISPLAY
  unset DISPLAY
  jobs_started=()
  cleanup() {
    local pid
    for pid in "${jobs_started[@]}"; do kill "$pid" 2>/dev/null; done
    WINEPREFIX="$FAXBOOK_RUN_DIR/wine/prefix" stop_wine
    stop_display
  }
  trap cleanup EXIT
  # As the user: the driver in the shared prefix on the user's display.
  user() {
    WINEPREFIX="$FAXBOOK_RUN_DIR/wine/prefix" HOME="$FAXBOOK_RUN_DIR/wine/home" \
      DISPLAY=$user_display LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 timeout 180 "$WINE64" "$driver" "$@"
  }
  running() { kill -0 "$1" 2>/dev/null; }

  DISPLAY=$user_display "$root/scripts/run-faxbook.sh" >"$scratch/user-editor.out" 2>&1 &
  user_editor=$!
  jobs_started+=("$user_editor")
  check "the user's editor runs" user wait "$editor_title" 120000 FaxbookMainFrame
  run >/dev/null
  check "the picker starts beside the user's editor" shows 3 2
  check "and says what keeps running" said "the picker starts beside what runs in the prefix"
  check "the user's editor is still there after the picker's run" \
    user wait "$editor_title" 5000 FaxbookMainFrame
  check "and still running" running "$user_editor"
  run --fresh >/dev/null
  check "--fresh is refused while the editor runs" said "programs run in the Wine prefix"
  check "the prefix stays" test -f "$(find "$FAXBOOK_RUN_DIR/wine/prefix/drive_c/users" -ipath '*/FaxbookData/address.fdt' | head -1)"
  check "the user's editor is still there after the refused --fresh" \
    user wait "$editor_title" 5000 FaxbookMainFrame
  "$root/scripts/run-faxbook.sh" >"$scratch/out" 2>&1
  check "the editor's script leaves the running editor alone" said "the editor already runs"
  check "which is still there" user wait "$editor_title" 5000 FaxbookMainFrame
  user close "$editor_title" >/dev/null
  check "the user's editor ends when the user closes it" poll 60 eval '! running "$user_editor"'

  # 7. The user's picker runs: the editor's script starts the editor beside
  # it, and a second picker's run cancels only its own dialog.
  DISPLAY=$user_display "$root/scripts/run-faxpick.sh" >"$scratch/user-picker.out" 2>&1 &
  user_picker=$!
  jobs_started+=("$user_picker")
  check "the user's picker runs" user wait "$picker_title" 120000 '#32770'
  "$root/scripts/run-faxbook.sh" >"$scratch/out" 2>&1
  check "the editor starts beside the user's picker" said "the editor shows 3 entries"
  check "the user's picker is still there after the editor's run" \
    user wait "$picker_title" 5000 '#32770'
  run >/dev/null
  check "a second picker starts beside the user's" shows 3 2
  check "the user's picker is still there after the second one's run" \
    user wait "$picker_title" 5000 '#32770'
  check "and still running" running "$user_picker"
  user click "$picker_title" 2 >/dev/null
  check "the user's picker ends when the user cancels it" poll 60 eval '! running "$user_picker"'
else
  notok "Xvfb starts for the user's programs"
fi

[ "$failures" = 0 ]

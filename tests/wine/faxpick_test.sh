#!/usr/bin/env bash
# End-to-end tests of faxpick.exe under Wine, on its own Xvfb display,
# started as the fax driver side starts it (the exact command line
# "SPOOLER PATH" "VERSION"): on Windows XP in Japanese the exchange file of
# the job is read back, Cancel leaves it byte for byte, OK rewrites it
# exactly; a shared book given as a plain path loads; an unreachable host
# falls back to the personal book; an exchange file that another program
# holds open is never written over unread, a read-only one not at all, and
# what cannot be done is told;
# the English library in English; the time from start to the largest books
# shown.
#
# Usage: faxpick_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
rm -rf "$2"
mkdir -p "$2"
scratch=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"

exe="$build/faxpick/faxpick.exe"
driver="$build/tests/wine/faxbook_driver.exe"
for f in "$exe" "$driver" "$build/lang/pickresJPN.dll" "$build/lang/pickresENG.dll"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
start_display 141 190 || { notok "Xvfb starts"; exit 1; }
. "$here/picker_lib.sh"
cleanup() {
  local pid
  for pid in "${runs[@]}"; do kill "$pid" 2>/dev/null; done
  stop_wine
  stop_display
}
trap cleanup EXIT

# The job: three destinations listed, five in all; a section of its own.
exchange_ja() {
  {
    printf '%s\n' "[DRIVER]" "Job=7" "[BASE_INFO]" "ItemNum=3" "ItemNumTotal=5"
    item 000 0311 "東商事" "" "東 一郎" "様" "東" "ﾋｶﾞｼ"
    item 001 0322 "" "" "" "" "西" "ﾆｼ"
    item 002 0333 "" "" "" "" "中" "ﾅｶ"
  } | crlf | sjis
}

exchange_en() {
  {
    printf '%s\n' "[BASE_INFO]" "ItemNum=3" "ItemNumTotal=5"
    item 000 0311 "East Trading" "" "Ann East" "" "East" "East"
    item 001 0322 "" "" "" "" "West" "West"
    item 002 0333 "" "" "" "" "Centre" "Centre"
  } | crlf
}

# === Japanese, Windows XP ================================================================
locale=ja_JP.UTF-8 charset=CP932
setup_prefix "$scratch/ja" ja_JP.UTF-8 book_ja exchange_ja || { notok "wine prefix (ja)"; exit 1; }
title="宛先の選択"

# 1. Start with the job's list; Cancel after changes leaves the file alone.
cp "$job" "$scratch/job-before.ini"
check "starts as the driver side starts it" pick
rows 1002 >"$scratch/rows-ja.txt"
printf '%s\n' \
  "Abe	ABE	011-1			  " \
  "北支店	ｷﾀ	03-111-222	北商事, 株式会社	営業部	北 太郎 様" \
  "全店	ｾﾞﾝﾃﾝ				" \
  "南店	ﾐﾅﾐ	06-333-444	The Sun Shop		 殿" >"$scratch/rows-ja.expected"
check "shows the personal book in reading order" cmp -s "$scratch/rows-ja.txt" "$scratch/rows-ja.expected"
rows 1005 >"$scratch/send-ja.txt"
printf '%s\n' "0311	東商事		東 一郎 様" "0322			 " "0333			 " >"$scratch/send-ja.expected"
check "reads the job's destinations back" cmp -s "$scratch/send-ja.txt" "$scratch/send-ja.expected"
check "counts 80 less the job's others" \
  test "$(drv text "$title" 1016 | tr -d '\r' | utf8)" = "登録件数 3件（あと 75件登録できます）"
drv set-text "$title" 1012 "北" >/dev/null
found() { rows 1004 | cut -f1; }
check "searches as the user types" eventually_is "北支店" found
lists_shown() { echo "$(drv shown "$title" 1004 | tr -d '\r')$(drv shown "$title" 1002 | tr -d '\r')"; }
check "shows the result list in place of the book" eventually_is 10 lists_shown
drv click "$title" 1007 >/dev/null
until_shown 1002
# 詳細 on the group: its members in the confirmation, closed with Escape.
drv select-rows "$title" 1002 2 >/dev/null
check "shows 詳細 for a selected group" until_shown 1008
drv click "$title" 1008 >/dev/null
confirm="グループ確認"
if drv wait "$confirm" "$patience_ms" '#32770' >/dev/null; then
  members=$(drv dialog-rows "$confirm" 1006 | tr -d '\r' | utf8 | cut -f1 | tr '\n' ' ')
  check "the confirmation lists the group's members" test "$members" = "北支店 南店 "
  check "the confirmation names the group" test "$(drv text "$confirm" 1013 | tr -d '\r' | utf8)" = "全店"
  sleep 0.3  # for the picture only
  shot confirm-ja "$confirm"
  xdotool search --name "^$confirm\$" windowfocus --sync key Escape >/dev/null 2>&1
  check "Escape closes the confirmation" drv gone "$confirm" "$patience_ms" '#32770'
else
  notok "opens the group confirmation"
fi
drv select-rows "$title" 1002 1 >/dev/null
sleep 0.3  # for the picture only
shot picker-ja
drv click "$title" 1010 >/dev/null
until_rows 1005 0
drv click "$title" 2 >/dev/null
check "ends after Cancel with exit code 0" ended
check "Cancel leaves the exchange file byte for byte" cmp -s "$job" "$scratch/job-before.ini"
check "Cancel writes no settings" test ! -e "$settings"

# 2. Delete the second destination, register 北支店, OK: the file lists the
# job's two others and 北支店, its other section kept.
pick >/dev/null
drv select-rows "$title" 1005 1 >/dev/null
drv click "$title" 1009 >/dev/null
until_rows 1005 2
drv select-rows "$title" 1002 1 >/dev/null
drv click "$title" 1011 >/dev/null
check "registers the selected address" until_rows 1005 3
drv click "$title" 1 >/dev/null
check "ends after OK with exit code 0" ended
{
  printf '%s\n' "[DRIVER]" "Job=7" "[BASE_INFO]" "ItemNum=3" "ItemNumTotal=5"
  item 000 0311 "東商事" "" "東 一郎" "様" "東" "ﾋｶﾞｼ"
  item 001 0333 "" "" "" "" "中" "ﾅｶ"
  item 002 03-111-222 "北商事, 株式会社" "営業部" "北 太郎" "様" "北支店" "ｷﾀ"
} | crlf | sjis >"$scratch/job-after.expected"
check "OK rewrites the exchange file exactly" cmp -s "$job" "$scratch/job-after.expected"
printf '[PARAM]\r\nTYPE=0\r\nHostName=\r\nFilePath=\r\n' >"$scratch/settings.expected"
check "OK writes the settings beside it" cmp -s "$settings" "$scratch/settings.expected"

# 3. A shared book given as a plain path (no host) loads without any
# connection; the choice is remembered on OK.
mkdir -p "$(drive)/Shared"
{ echo "// shared"; echo '[FAX_ADDR]=1,9,本社,ﾎﾝｼｬ,03-999,,,,,,3'; } | crlf | sjis >"$(drive)/Shared/address.fdt"
printf '[PARAM]\r\nTYPE=1\r\nHostName=\r\nFilePath=C:\\Shared\\address.fdt\r\n' >"$settings"
exchange_ja >"$job"
pick >/dev/null
check "loads a shared book given as a plain path" test "$(rows 1002 | cut -f1)" = "本社"
# Enter is OK: the dialog has no default button.
xdotool search --name "^$title\$" windowfocus --sync key Return >/dev/null 2>&1
check "ends with OK on Enter" ended
check "remembers the shared book" grep -q $'^TYPE=1\r$' "$settings"

# 4. A shared book on a host that cannot be reached: the access message, then
# the personal book.
printf '[PARAM]\r\nTYPE=1\r\nHostName=nohost\r\nFilePath=\\share\\address.fdt\r\n' >"$settings"
LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$driver" run "$program" "$line" 120000 \
  >"$scratch/exit.txt" 2>/dev/null &
runs+=($!)
message=$(drv message faxpick | tr -d '\r' | utf8)
check "tells that the shared book cannot be reached" test "$message" = "ファイルにアクセスすることができません"
check "the access message belongs to the destination dialog" test "$(drv owner faxpick | utf8)" = "$title"
drv answer faxpick 1 >/dev/null
drv wait "$title" "$patience_ms" '#32770' >/dev/null
check "falls back to the personal book" until_rows 1002 4
drv click "$title" 2 >/dev/null
check "ends after the fall-back" ended

# 5. The exchange file in another program's hands. Held without sharing at
# the start: the user is told once, naming the file, and OK leaves it alone.
# Held so at OK: nothing is written, the user is told and the dialog stays
# open with its list, and OK writes once the file is free. Held by a program
# that lets others only read it: it cannot be written, the user is told.
# Held with reading and writing shared: OK writes it.
printf '[PARAM]\r\nTYPE=0\r\n' >"$settings"
exchange_ja >"$job"
cp "$job" "$scratch/job-before.ini"
cp "$settings" "$scratch/settings-before.ini"
winjob='C:\users\'"$(basename "$(userdir)")"'\Documents\BrevantZelo\RelayFax\2.1\SendList.ini'
# hold none|r|rw: another program holds the exchange file open until release.
hold() {
  drv hold "$winjob" "$1" 120000 >"$scratch/hold.txt" &
  holder=$!
  runs+=("$holder")
  eventually grep -q held "$scratch/hold.txt"
}
release() { drv release >/dev/null; wait "$holder"; }
# told ID NAME: the message box of the picker shows string ID's text with
# the exchange file's name, owned by the destination dialog; a screenshot
# NAME; then it is answered and gone.
told() {
  local text
  text=$(drv message faxpick | tr -d '\r' | utf8)
  echo "# the message: $text"
  local expected
  case $1 in
    119) expected="宛先を受け渡すファイル「$winjob」を読み込めません。ほかのプログラムが使用している可能性があります。ここで選んだ宛先はFAXの送信に渡されません。" ;;
    120) expected="宛先を受け渡すファイル「$winjob」を読み込めないため、宛先を書き込みませんでした。ほかのプログラムがこのファイルを使用していないか確認して、もう一度[OK]を押してください。" ;;
    121) expected="宛先を受け渡すファイル「$winjob」に書き込めませんでした。ファイルが読み取り専用になっていないか、ほかのプログラムが使用していないか確認して、もう一度[OK]を押してください。" ;;
    122) expected="宛先を受け渡すファイル「$winjob」は読み取り専用のため、宛先を書き込みませんでした。ファイルの読み取り専用を解除して、もう一度[OK]を押してください。" ;;
  esac
  sleep 0.5  # for the picture only
  shot "$2" faxpick
  local owner
  owner=$(drv owner faxpick | utf8)
  drv answer faxpick 1 >/dev/null
  drv gone faxpick "$patience_ms" '#32770' >/dev/null
  [ "$text" = "$expected" ] && [ "$owner" = "$title" ]
}
register_one() {
  drv select-rows "$title" 1002 1 >/dev/null
  drv click "$title" 1011 >/dev/null
  until_rows 1005 "$1"
}

check "another program holds the exchange file without sharing" hold none
LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$driver" run "$program" "$line" 120000 \
  >"$scratch/exit.txt" 2>/dev/null &
runs+=($!)
check "tells at the start that the held file cannot be read, naming it" told 119 held-at-start
drv wait "$title" "$patience_ms" '#32770' >/dev/null
check "a file that cannot be read lists nothing" test "$(count 1005)" = 0
register_one 1
drv click "$title" 1 >/dev/null
check "OK ends without a second message" ended
release
check "the file that could not be read is left byte for byte" cmp -s "$job" "$scratch/job-before.ini"
check "so are the settings" cmp -s "$settings" "$scratch/settings-before.ini"

pick >/dev/null
register_one 4
hold none
drv click "$title" 1 >/dev/null
check "OK on a file held without sharing says it cannot be read, naming it" told 120 held-at-ok
check "the dialog stays open with its send list" until_rows 1005 4
check "nothing was written over the held file" cmp -s "$job" "$scratch/job-before.ini"
release
drv click "$title" 1 >/dev/null
check "OK again once the file is free ends" ended
check "and writes the send list" grep -q $'^ItemNum=4\r$' "$job"

exchange_ja >"$job"
hold r
pick >/dev/null
check "a file others may only read lists its destinations" until_rows 1005 3
register_one 4
drv click "$title" 1 >/dev/null
check "OK on a file others may only read says it cannot be written, naming it" told 121 not-written
check "the dialog stays open with its send list after that" until_rows 1005 4
drv click "$title" 2 >/dev/null
check "Cancel then ends" ended
release
check "the file that could not be written is left byte for byte" cmp -s "$job" "$scratch/job-before.ini"

hold rw
pick >/dev/null
register_one 4
drv click "$title" 1 >/dev/null
check "OK on a file held with reading and writing shared writes it" ended
release
check "the shared file lists the send list" grep -q $'^ItemNum=4\r$' "$job"

# A read-only exchange file (the attribute is the file's permission bits
# under Wine): OK says so, naming it, writes nothing and keeps the dialog
# with its list; once the file may be written, OK writes it.
exchange_ja >"$job"
cp "$job" "$scratch/job-before.ini"
chmod a-w "$job"
pick >/dev/null
register_one 4
drv click "$title" 1 >/dev/null
check "OK on a read-only file says so, naming it" told 122 read-only
check "the dialog stays open with its send list after that too" until_rows 1005 4
check "the read-only file is left byte for byte" cmp -s "$job" "$scratch/job-before.ini"
chmod u+w "$job"
drv click "$title" 1 >/dev/null
check "OK once the file may be written ends" ended
check "and writes the send list into it" grep -q $'^ItemNum=4\r$' "$job"

# 6. The largest books: time from start to the list shown.
largest="$build/../native/tests/bench/make_largest_book"
if [ -x "$largest" ]; then
  printf '[PARAM]\r\nTYPE=0\r\n' >"$settings"
  for kind in "" --groups; do
    "$largest" $kind "$scratch/largest.fdt" >/dev/null 2>&1
    cp "$scratch/largest.fdt" "$personal"
    entries=$(grep -c '^\[FAX_ADDR\]=' "$scratch/largest.fdt")
    wine_run "$locale" "$driver" launch-timed "$program" "$line" "$title" 1002 "$entries" 120000 \
      >"$scratch/time.txt" 2>/dev/null
    ms=$(tr -d '\r' <"$scratch/time.txt")
    if [ -n "$ms" ]; then
      echo "# start to $entries rows shown${kind:+ ($kind)}: $ms ms"
      ok "shows the largest book${kind:+ with 1000 groups} ($entries rows)"
    else
      notok "shows the largest book${kind:+ with 1000 groups}"
    fi
    if [ -z "$kind" ]; then sleep 1; shot picker-largest; fi  # the sleep for the picture only
    drv click "$title" 2 >/dev/null
    drv gone "$title" "$patience_ms" '#32770' >/dev/null
  done
  book_ja >"$personal"
fi
stop_wine

# === English =============================================================================
locale=en_US.UTF-8 charset=CP1252
setup_prefix "$scratch/en" en_US.UTF-8 book_en exchange_en || { notok "wine prefix (en)"; exit 1; }
title="Select Destinations"
check "starts in English with the English library" pick
check "counts in English" test "$(drv text "$title" 1016 | tr -d '\r')" = "Destinations: 3 (75 more can be added)"
until_rows 1002 4  # the list fills after the dialog shows
check "shows readings as names in English" \
  test "$(drv dialog-rows "$title" 1002 | tr -d '\r' | iconv -f CP1252 -t UTF-8 | cut -f1 | tr '\n' ' ')" = "All Müller North South "
# Typing in the list moves to the next row whose name starts so.
drv select-rows "$title" 1002 0 >/dev/null
drv focus "$title" 1002 >/dev/null
until_shown 1008
xdotool search --name "^$title\$" windowfocus --sync key s >/dev/null 2>&1
check "typing a letter in the list selects the row it starts" \
  poll 5 eval '[ "$(drv shown "$title" 1008 | tr -d "\r")" = 0 ]'
sleep 1.5
xdotool search --name "^$title\$" windowfocus --sync key a >/dev/null 2>&1
check "and another letter the next row it starts" until_shown 1008
drv select-rows "$title" 1002 1 >/dev/null
sleep 0.3  # for the picture only
shot picker-en
drv click "$title" 2 >/dev/null
check "ends after Cancel in English" ended
# OK on a file held open without sharing: told in English, naming the file.
winjob='C:\users\'"$(basename "$(userdir)")"'\Documents\BrevantZelo\RelayFax\2.1\SendList.ini'
pick >/dev/null
hold none
drv click "$title" 1 >/dev/null
text=$(drv message faxpick | tr -d '\r' | utf8)
sleep 0.5  # for the picture only
shot held-at-ok-en faxpick
check "tells in English that the held file cannot be read, naming it" test "$text" = \
  "The destinations were not saved, because the file \"$winjob\" cannot be read. Another program may be using it. Close that program and click OK again, or click Cancel."
drv answer faxpick 1 >/dev/null
drv gone faxpick "$patience_ms" '#32770' >/dev/null
release
drv click "$title" 2 >/dev/null
check "ends after Cancel in English once more" ended
stop_wine

[ "$failures" = 0 ]

#!/usr/bin/env bash
# The real faxbook.exe under Wine behaves as a careful Windows program: each
# dialog is owned by the window that opened it and centred on it, the
# windows under a dialog take no input while it runs, a dialog's message
# box is its own, Escape gives the keyboard back to the dialog below, F1
# opens the help topic of the window the user is in (the help file is the
# one the build wrote) without an error box, and the list headers show the
# sort. In Japanese and in English; a screenshot of every window is kept in
# the scratch folder.
#
# Usage: faxbook_manners_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
# "not ok NAME" per check; exits non-zero when any check failed.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/report.sh"

exe="$build/faxbook/faxbook.exe"
driver="$build/tests/wine/faxbook_driver.exe"
library="$build/lang/ledgresLC.dll"
for f in "$exe" "$driver" "$library" "$build/help/ja/FAXBOOK.HLP" "$build/help/en/FAXBOOK.HLP"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
title="Address Book for Relay FAX"
key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)

start_display 191 240 || { notok "Xvfb starts"; exit 1; }
editor=""
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null
  stop_wine
  stop_display
}
trap cleanup EXIT

drv() { wine_run "$locale" "$driver" "$@"; }
utf8() { tr -d '\r' | iconv -f "$charset" -t UTF-8; }
# shot NAME TITLE: a picture of the window titled TITLE, taken by its own
# id (without a window manager the root picture shows new popups black).
shot() {
  sleep 1  # for the picture only: the window paints first
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | tail -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}
press() { xdotool search --name "^$1\$" windowfocus --sync key "$2" >/dev/null 2>&1; }
# centred WINDOW OWNER [OWNER_CLASS]: the window's centre is the owner's
# centre, unless the screen's edge pushed the window inside.
centred() {
  local x y w h ox oy ow oh ex ey
  read -r x y w h < <(drv rect "$1" '#32770' | tr -d '\r')
  read -r ox oy ow oh < <(drv rect "$2" "${3:-#32770}" | tr -d '\r')
  [ -n "${w:-}" ] && [ -n "${ow:-}" ] || return 1
  ex=$((ox + (ow - w) / 2)); ey=$((oy + (oh - h) / 2))
  [ "$ex" -lt 0 ] && ex=0; [ "$ey" -lt 0 ] && ey=0
  [ $((ex + w)) -gt 1024 ] && ex=$((1024 - w)); [ $((ey + h)) -gt 768 ] && ey=$((768 - h))
  echo "# $1 at $x,$y ${w}x$h; $2 at $ox,$oy ${ow}x$oh; centred would be $ex,$ey"
  [ $((x - ex)) -le 1 ] && [ $((ex - x)) -le 1 ] && [ $((y - ey)) -le 1 ] && [ $((ey - y)) -le 1 ]
}
# help_topic: the first line of the topic the help viewer shows (empty
# while it has shown none yet).
help_topic() { drv help-text | utf8 | head -1; }
topic_shown() { [ -n "$(help_topic)" ]; }
# f1_opens WINDOW FIRST_LINE: F1 in the window titled WINDOW opens the help
# viewer on the topic whose first line is FIRST_LINE, and no error box
# comes up (no dialog or message box more than before).
f1_opens() {
  local boxes topic=""
  boxes=$(drv windows | grep -c '^#32770')
  press "$1" F1
  if ! drv wait "$help_title" "$patience_ms" MS_WINHELP >/dev/null; then
    drv windows | utf8 | sed 's/^/# shown: /'
    return 1
  fi
  eventually topic_shown
  topic=$(help_topic)
  echo "# the help viewer shows: $topic"
  [ "$topic" = "$2" ] && [ "$(drv windows | grep -c '^#32770')" = "$boxes" ]
}
# Closes the viewer and waits until it has ended (until then a new help
# request would go to the ending viewer).
close_help() {
  drv close-window "$help_title" MS_WINHELP >/dev/null
  drv none MS_WINHELP "$patience_ms"
}
# keyboard_in TITLE: the window TITLE becomes the active window of the
# editor and a control of it has the keyboard focus.
active_is() {
  active=$(drv active "$title" FaxbookMainFrame | utf8)
  [ "${active%%$'\t'*}" = "$1" ] && [ "${active##*$'\t'}" != 0 ]
}
keyboard_in() {
  active=""
  eventually active_is "$1" && return 0
  echo "# active window and focus: $active"
  return 1
}

# run_language LOCALE LANGUAGE WINDOWS: a prefix with the editor installed
# in that language, its book holding two addresses, and the editor started.
run_language() {
  locale=$1
  new_prefix "$scratch/$2" "$locale" || { notok "wine prefix ($2)"; return 1; }
  set_windows_version "$3"
  local app="$WINEPREFIX/drive_c/Program Files/Faxbook" lang=ja
  [ "$2" = English ] && lang=en
  mkdir -p "$app" "$WINEPREFIX/drive_c/old"
  cp "$exe" "$build/help/$lang/FAXBOOK.HLP" "$build/help/$lang/FAXBOOK.CNT" "$app/"
  [ "$2" = English ] && cp "$library" "$app/"
  printf '%s\r\n' '// old book' '[FAX_ADDR]=1,1,Kita,KITA,03-111,,,,,,0' \
    '[FAX_ADDR]=1,2,Minami,MINAMI,06-333,,,,,,0' >"$WINEPREFIX/drive_c/old/address.fdt"
  wine_run "$locale" reg add "$key" /v FileName /d 'C:\old\address.fdt' /f >/dev/null 2>&1
  wine_run "$locale" reg add "$key" /v Language /d "$2" /f >/dev/null 2>&1
  LANG=$locale LC_ALL=$locale timeout 600 "$WINE64" "$app/faxbook.exe" >/dev/null 2>&1 &
  editor=$!
  drv wait "$title" 60000 FaxbookMainFrame
}

close_editor() {
  drv close "$title" >/dev/null
  eventually eval "! kill -0 $editor 2>/dev/null"
  editor=""
  stop_wine
}

# === Japanese ===========================================================================
charset=CP932
help_title="Address Book for Relay FAX ヘルプ"
if run_language ja_JP.UTF-8 Japanese winxp; then
  ok "the editor starts (ja)"
  shot main-ja "$title"
  check "the main list shows the reading sorted ascending" \
    test "$(drv header-arrows "$title" | tr -d '\r')" = "$(printf -- '-\tup\t-\t-\t-\t-')"

  check "F1 on the main window opens its topic, no error box" f1_opens "$title" "メイン ウィンドウ"
  shot help-main-ja "$help_title"
  close_help
  boxes=$(drv windows | grep -c '^#32770')
  drv post-command "$title" 57667 >/dev/null
  drv wait "$help_title" "$patience_ms" MS_WINHELP >/dev/null
  eventually topic_shown
  contents=$(help_topic)
  check "Help Topics opens the help's contents, no error box" \
    test "$contents" = "目次" -a "$(drv windows | grep -c '^#32770')" = "$boxes"
  shot help-contents-ja "$help_title"
  close_help

  group="新規ｸﾞﾙｰﾌﾟの登録"
  select="新しいｱﾄﾞﾚｽの追加"
  drv post-command "$title" 32790 >/dev/null
  drv wait "$group" "$patience_ms" >/dev/null
  check "the group dialog belongs to the main window" test "$(drv owner "$group" | utf8)" = "$title"
  check "the group dialog is centred on the main window" centred "$group" "$title" FaxbookMainFrame
  check "the main window takes no input under the group dialog" \
    test "$(drv window-enabled "$title" FaxbookMainFrame | tr -d '\r')" = 0
  shot group-ja "$group"

  check "F1 in the group dialog opens the group topic" f1_opens "$group" "グループの登録と編集"
  shot help-group-ja "$help_title"
  close_help

  drv click "$group" 1018 >/dev/null
  drv wait "$select" "$patience_ms" >/dev/null
  check "the member selection belongs to the group dialog" test "$(drv owner "$select" | utf8)" = "$group"
  check "the member selection is centred on the group dialog" centred "$select" "$group"
  check "the group dialog takes no input under the member selection" \
    test "$(drv window-enabled "$group" '#32770' | tr -d '\r')" = 0
  check "nor does the main window" test "$(drv window-enabled "$title" FaxbookMainFrame | tr -d '\r')" = 0
  check "the member lists show their sort" \
    test "$(drv header-arrows "$select" 1020 | tr -d '\r')" = "$(printf -- '-\tup\t-')"
  shot member-select-ja "$select"
  # The three windows as they stand on the screen, each centred on the one
  # below (the dialogs have painted by now).
  sleep 1  # for the picture only
  xwd -root -silent | convert xwd:- "$scratch/stacked-ja.png" 2>/dev/null
  press "$select" Escape
  check "Escape closes the member selection" drv gone "$select" "$patience_ms" '#32770'
  check "Escape gives the keyboard back to the group dialog" keyboard_in "$group"
  check "the group dialog takes input again" test "$(drv window-enabled "$group" '#32770' | tr -d '\r')" = 1

  drv click "$group" 1 >/dev/null  # OK with no name
  drv wait "入力ｴﾗｰ" "$patience_ms" '#32770' >/dev/null
  check "the group dialog's message belongs to it" test "$(drv owner "入力ｴﾗｰ" | utf8)" = "$group"
  shot group-message-ja "入力ｴﾗｰ"
  drv answer "入力ｴﾗｰ" 1 >/dev/null
  drv gone "入力ｴﾗｰ" "$patience_ms" '#32770'
  drv click "$group" 2 >/dev/null
  drv gone "$group" "$patience_ms" '#32770'
  check "the main window takes input again" test "$(drv window-enabled "$title" FaxbookMainFrame | tr -d '\r')" = 1

  address="新規ｱﾄﾞﾚｽの登録"
  drv post-command "$title" 32789 >/dev/null
  drv wait "$address" "$patience_ms" >/dev/null
  check "the address dialog belongs to the main window" test "$(drv owner "$address" | utf8)" = "$title"
  check "the address dialog is centred on the main window" centred "$address" "$title" FaxbookMainFrame
  shot address-ja "$address"
  drv click "$address" 2 >/dev/null
  drv gone "$address" "$patience_ms" '#32770'

  # The bulk dialogs and a file dialog belong to the main window too, and
  # F1 opens their topics.
  multi="複数ｱﾄﾞﾚｽの編集"
  drv select "$title" 0 1 >/dev/null
  drv post-command "$title" 1013 >/dev/null
  drv wait "$multi" "$patience_ms" >/dev/null
  check "the multi-address edit belongs to the main window" test "$(drv owner "$multi" | utf8)" = "$title"
  check "the multi-address edit is centred on the main window" centred "$multi" "$title" FaxbookMainFrame
  check "F1 in the multi-address edit opens its topic" f1_opens "$multi" "複数ｱﾄﾞﾚｽの編集"
  close_help
  drv click "$multi" 2 >/dev/null
  drv gone "$multi" "$patience_ms" '#32770'
  replace="文字列の置換"
  drv post-command "$title" 32796 >/dev/null
  drv wait "$replace" "$patience_ms" >/dev/null
  check "the replace dialog belongs to the main window" test "$(drv owner "$replace" | utf8)" = "$title"
  check "the replace dialog is centred on the main window" centred "$replace" "$title" FaxbookMainFrame
  check "F1 in the replace dialog opens its topic" f1_opens "$replace" "文字列の置換"
  close_help
  drv click "$replace" 2 >/dev/null
  drv gone "$replace" "$patience_ms" '#32770'
  drv post-command "$title" 57604 >/dev/null
  check "the save-as file dialog belongs to the main window" \
    test "$(drv file-dialog-owner "$patience_ms" | utf8)" = "$title"

  about="faxbookのﾊﾞｰｼﾞｮﾝ情報"
  drv post-command "$title" 57664 >/dev/null
  drv wait "$about" "$patience_ms" >/dev/null
  check "the about box belongs to the main window" test "$(drv owner "$about" | utf8)" = "$title"
  check "the about box is centred on the main window" centred "$about" "$title" FaxbookMainFrame
  shot about-ja "$about"
  drv click "$about" 1 >/dev/null
  drv gone "$about" "$patience_ms" '#32770'
  close_editor
else
  notok "the editor starts (ja)"
fi

# === English ============================================================================
charset=CP1252
help_title="Address Book for Relay FAX Help"
if run_language en_US.UTF-8 English vista; then
  ok "the editor starts (en)"
  shot main-en "$title"
  check "the English list shows its name column sorted ascending" \
    test "$(drv header-arrows "$title" | tr -d '\r')" = "$(printf -- 'up\t-\t-\t-\t-')"
  check "F1 opens the English main topic, no error box" f1_opens "$title" "The main window"
  shot help-main-en "$help_title"
  close_help

  drv post-command "$title" 32790 >/dev/null
  drv wait "New Group" "$patience_ms" >/dev/null
  check "the English group dialog greys the unused registration name" \
    test "$(drv enabled "New Group" 1006 | tr -d '\r')" = 0
  check "the English group dialog is centred on the main window" centred "New Group" "$title" FaxbookMainFrame
  shot group-en "New Group"
  drv click "New Group" 1018 >/dev/null
  drv wait "Add Addresses" "$patience_ms" >/dev/null
  check "the English member selection belongs to the group dialog" \
    test "$(drv owner "Add Addresses" | utf8)" = "New Group"
  shot member-select-en "Add Addresses"
  press "Add Addresses" Escape
  drv gone "Add Addresses" "$patience_ms" '#32770'
  drv click "New Group" 2 >/dev/null
  drv gone "New Group" "$patience_ms" '#32770'

  drv post-command "$title" 32789 >/dev/null
  drv wait "New Address" "$patience_ms" >/dev/null
  check "the English address dialog greys the unused registration name" \
    test "$(drv enabled "New Address" 1006 | tr -d '\r')" = 0
  check "the English address dialog takes the name" \
    test "$(drv enabled "New Address" 1005 | tr -d '\r')" = 1
  shot address-en "New Address"
  check "F1 in the English address dialog opens its topic" f1_opens "New Address" "New and edited addresses"
  shot help-address-en "$help_title"
  close_help
  drv click "New Address" 1 >/dev/null  # OK with no name
  drv wait "Input Error" "$patience_ms" '#32770' >/dev/null
  check "the English message names the name field" test "$(drv message "Input Error" | utf8)" = "Please enter a name."
  check "the address dialog's message belongs to it" test "$(drv owner "Input Error" | utf8)" = "New Address"
  shot address-message-en "Input Error"
  drv answer "Input Error" 1 >/dev/null
  drv gone "Input Error" "$patience_ms" '#32770'
  drv click "New Address" 2 >/dev/null
  drv gone "New Address" "$patience_ms" '#32770'

  drv post-command "$title" 57664 >/dev/null
  drv wait "About Faxbook" "$patience_ms" >/dev/null
  check "the English about box is centred on the main window" centred "About Faxbook" "$title" FaxbookMainFrame
  shot about-en "About Faxbook"
  drv click "About Faxbook" 1 >/dev/null
  drv gone "About Faxbook" "$patience_ms" '#32770'
  close_editor
else
  notok "the editor starts (en)"
fi

[ "$failures" = 0 ]

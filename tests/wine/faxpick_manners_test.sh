#!/usr/bin/env bash
# The real faxpick.exe under Wine behaves as a careful Windows program: the
# destination dialog opens centred on the screen; the group confirmation
# is owned by it, centred on it, and leaves it disabled while it runs; its
# message boxes and the file-open dialog of 共有 / Shared are its own; the
# help button and F1 open the help file of the picker's language from the
# library's folder without an error box; the address lists' headers show
# the sort; the keyboard stays in the dialog when a button disables
# itself. In Japanese and in English; a screenshot of every window is
# kept in the scratch folder.
#
# Usage: faxpick_manners_test.sh WIN64_BUILD SCRATCH. Prints "ok NAME" or
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
for f in "$exe" "$driver" "$build/lang/pickresJPN.dll" "$build/lang/pickresENG.dll" \
  "$build/help/ja/faxpickJP.hlp" "$build/help/en/faxpickEN.hlp"; do
  [ -f "$f" ] || { notok "built: $(basename "$f")"; exit 1; }
done
start_display 241 290 || { notok "Xvfb starts"; exit 1; }
. "$here/picker_lib.sh"
cleanup() {
  local pid
  for pid in "${runs[@]}"; do kill "$pid" 2>/dev/null; done
  stop_wine
  stop_display
}
trap cleanup EXIT

# The job holds 79 destinations, one of them listed: one more fits, a
# group of two does not.
exchange_full() {
  {
    printf '%s\n' "[BASE_INFO]" "ItemNum=1" "ItemNumTotal=79"
    item 000 0311 "" "" "" "" "East" "East"
  } | crlf
}

press() { xdotool search --name "^$1\$" windowfocus --sync key "$2" >/dev/null 2>&1; }
arrows() { drv header-arrows "$title" "$1" | tr -d '\r'; }
# until_arrows ID ARROWS: polls until the headers of list ID show ARROWS.
until_arrows() {
  eventually_is "$2" arrows "$1" && return 0
  echo "# headers of $1: $(arrows "$1")"
  return 1
}
tabs() { local IFS=$'\t'; echo "$*"; }
boxes() { drv windows | grep -c '^#32770'; }
# centred WINDOW [OWNER]: the window's centre is the owner's centre (the
# screen's when none is named), unless the screen's edge pushed it inside.
centred() {
  local x y w h ox=0 oy=0 ow=1024 oh=768 ex ey
  read -r x y w h < <(drv rect "$1" '#32770' | tr -d '\r')
  [ $# -gt 1 ] && read -r ox oy ow oh < <(drv rect "$2" '#32770' | tr -d '\r')
  [ -n "${w:-}" ] && [ -n "${ow:-}" ] || return 1
  ex=$((ox + (ow - w) / 2)); ey=$((oy + (oh - h) / 2))
  [ "$ex" -lt 0 ] && ex=0; [ "$ey" -lt 0 ] && ey=0
  [ $((ex + w)) -gt 1024 ] && ex=$((1024 - w)); [ $((ey + h)) -gt 768 ] && ey=$((768 - h))
  echo "# $1 at $x,$y ${w}x$h; ${2:-the screen} at $ox,$oy ${ow}x$oh; centred would be $ex,$ey"
  [ $((x - ex)) -le 1 ] && [ $((ex - x)) -le 1 ] && [ $((y - ey)) -le 1 ] && [ $((ey - y)) -le 1 ]
}
# stacked NAME WINDOW...: the windows' pictures pasted where they stand on
# the screen, later ones on top (the root picture shows new popups black).
# A picture holds the client area: the frame is around it, the caption
# above.
stacked() {
  local name=$1 args=() x y w h iw ih border
  shift
  for window in "$@"; do
    shot "part" "$window" || continue
    read -r x y w h < <(drv rect "$window" '#32770' | tr -d '\r')
    read -r iw ih < <(identify -format '%w %h' "$scratch/part.png")
    border=$(((w - iw) / 2))
    cp "$scratch/part.png" "$scratch/part-${#args[@]}.png"
    args+=("$scratch/part-${#args[@]}.png" -geometry "+$((x + border))+$((y + h - ih - border))" -composite)
  done
  convert -size 1024x768 xc:black "${args[@]}" "$scratch/$name.png" 2>/dev/null
  rm -f "$scratch"/part*.png
}
enabled() { test "$(drv window-enabled "$1" '#32770' | tr -d '\r')" = "$2"; }
# help_topic: the first line of the topic the help viewer shows (empty
# while it has shown none yet).
help_topic() { drv help-text | utf8 | head -1; }
topic_shown() { [ -n "$(help_topic)" ]; }
# help_opens FIRST_LINE ACTION...: the action opens the help viewer on the
# file's topic whose first line is FIRST_LINE, and no error box comes up.
help_opens() {
  local before topic="" expected=$1
  shift
  before=$(boxes)
  "$@" >/dev/null
  if ! drv wait "$help_title" "$patience_ms" MS_WINHELP >/dev/null; then
    drv windows | utf8 | sed 's/^/# shown: /'
    return 1
  fi
  eventually topic_shown
  topic=$(help_topic)
  echo "# the help viewer shows: $topic"
  [ "$topic" = "$expected" ] && [ "$(boxes)" = "$before" ]
}
close_help() {
  drv close-window "$help_title" MS_WINHELP >/dev/null
  drv none MS_WINHELP "$patience_ms"
}
active_is() {
  active=$(drv active "$title" '#32770' | utf8)
  [ "${active%%$'\t'*}" = "$1" ] && [ "${active##*$'\t'}" != 0 ]
}
keyboard_in() {
  active=""
  eventually active_is "$1" && return 0
  echo "# active window and focus: $active"
  return 1
}

# focus_in ID: the keyboard focus is on control ID of the destination
# dialog; focus_moved_from ID: on another control of it.
focused() { drv active "$title" '#32770' | utf8 | cut -f2; }
focus_is() { f=$(focused); [ "$f" = "$1" ]; }
focus_is_not() { f=$(focused); [ "$f" != "$1" ] && [ "$f" != 0 ]; }
focus_in() {
  f=""
  eventually focus_is "$1" && return 0
  echo "# the focus is on $f"
  return 1
}
focus_moved_from() {
  f=""
  eventually focus_is_not "$1" && return 0
  echo "# the focus is on $f"
  return 1
}

# run_language LANG: one language from start to Cancel. Set before: locale,
# charset, title, confirm (the confirmation's title), help_title, contents
# and group_topic (first lines of the help's topics), columns (of the
# address lists), reading (the column the book is in order of), group_row
# (the group's row in the full list), search_text; languages, when set, a
# folder of drive C on the search path that holds the language libraries
# and help files instead of the program's folder.
run_language() {
  local lang=$1 empty sorted
  setup_prefix "$scratch/$lang" "$locale" "book_$lang" exchange_full || { notok "wine prefix ($lang)"; return; }
  if [ -n "${languages:-}" ]; then
    mkdir -p "$(drive)/$languages"
    mv "$app"/pickres*.dll "$app"/faxpick*.hlp "$app"/faxpick*.cnt "$(drive)/$languages/"
    export WINEPATH="C:\\$languages"
  fi
  check "the picker starts ($lang)" pick || return
  check "the destination dialog opens centred on the screen ($lang)" centred "$title"
  sleep 1  # for the picture only
  shot "picker-$lang"

  # The group confirmation over the destination dialog.
  drv select-rows "$title" 1002 "$group_row" >/dev/null
  until_shown 1008
  drv click "$title" 1008 >/dev/null
  if drv wait "$confirm" "$patience_ms" '#32770' >/dev/null; then
    check "the confirmation belongs to the destination dialog ($lang)" \
      test "$(drv owner "$confirm" | utf8)" = "$title"
    check "the confirmation is centred on it ($lang)" centred "$confirm" "$title"
    check "the destination dialog takes no input under it ($lang)" enabled "$title" 0
    check "the keyboard starts in the confirmation's member list ($lang)" \
      test "$(drv active "$confirm" '#32770' | utf8)" = "$confirm"$'\t'1006
    sleep 1  # for the picture only
    shot "confirm-$lang" "$confirm"
    stacked "stacked-$lang" "$title" "$confirm"
    check "F1 in the confirmation opens its topic, no error box ($lang)" \
      help_opens "$group_topic" press "$confirm" F1
    sleep 1  # for the picture only
    shot "help-group-$lang" "$help_title"
    close_help
    press "$confirm" Escape
    check "Escape closes the confirmation ($lang)" drv gone "$confirm" "$patience_ms" '#32770'
    check "the keyboard is back in the destination dialog ($lang)" keyboard_in "$title"
    check "the destination dialog takes input again ($lang)" enabled "$title" 1
  else
    notok "the group confirmation opens ($lang)"
  fi

  # Too many destinations: the dialog's own message box.
  drv click "$title" 1011 >/dev/null
  if drv wait "faxpick" "$patience_ms" '#32770' >/dev/null; then
    check "the limit's message belongs to the destination dialog ($lang)" \
      test "$(drv owner faxpick | utf8)" = "$title"
    sleep 1  # for the picture only
    shot "too-many-$lang" faxpick
    drv answer faxpick 1 >/dev/null
    drv gone faxpick "$patience_ms" '#32770'
  else
    notok "the limit's message shows ($lang)"
  fi
  check "the limit keeps the send list ($lang)" until_rows 1005 1

  # 共有 / Shared: the file-open dialog is the destination dialog's.
  drv click "$title" 1030 >/dev/null
  check "the file-open dialog belongs to the destination dialog ($lang)" \
    test "$(drv file-dialog-owner "$patience_ms" | utf8)" = "$title"
  options() { echo "$(drv checked "$title" 1029 | tr -d '\r')$(drv checked "$title" 1030 | tr -d '\r')"; }
  check "a cancelled file-open dialog goes back to the personal book ($lang)" eventually_is 10 options

  # Help: the button and F1 open the contents of the language's file, which
  # lies beside the language library (in English that library is found on
  # the search path, away from the program).
  check "the help button opens the help's contents, no error box ($lang)" \
    help_opens "$contents" drv click "$title" 57670
  sleep 1  # for the picture only
  shot "help-contents-$lang" "$help_title"
  close_help
  check "F1 in the destination dialog opens the help's contents ($lang)" \
    help_opens "$contents" press "$title" F1
  close_help

  # Help left open from the confirmation closes with the picker.
  drv select-rows "$title" 1002 "$group_row" >/dev/null
  until_shown 1008
  drv click "$title" 1008 >/dev/null
  drv wait "$confirm" "$patience_ms" '#32770' >/dev/null
  check "F1 in the confirmation opens its topic again ($lang)" help_opens "$group_topic" press "$confirm" F1
  drv click "$confirm" 1 >/dev/null
  check "OK closes the confirmation beside the help viewer ($lang)" drv gone "$confirm" "$patience_ms" '#32770'

  # The headers: the book's order, then the clicks' shared state.
  empty=(); for _ in $(seq "$columns"); do empty+=(-); done
  sorted=("${empty[@]}"); sorted[$reading]=up
  check "the address list shows the order of the book ($lang)" until_arrows 1002 "$(tabs "${sorted[@]}")"
  drv click-header "$title" 1002 2 >/dev/null
  sorted=("${empty[@]}"); sorted[2]=up
  check "a header click shows its column ascending ($lang)" until_arrows 1002 "$(tabs "${sorted[@]}")"
  drv click-header "$title" 1002 2 >/dev/null
  sorted[2]=down
  check "a second click shows it descending ($lang)" until_arrows 1002 "$(tabs "${sorted[@]}")"
  drv set-text "$title" 1012 "${search_text}" >/dev/null
  until_shown 1004
  check "the result list shows the full list's order ($lang)" until_arrows 1004 "$(tabs "${sorted[@]}")"
  drv click-header "$title" 1004 2 >/dev/null
  sorted[2]=up
  check "the result list's click continues the shared state ($lang)" until_arrows 1004 "$(tabs "${sorted[@]}")"
  check "the send list shows no sort ($lang)" test "$(arrows 1005)" = "$(tabs - - - -)"
  drv click "$title" 1007 >/dev/null
  until_shown 1002

  # 削除 / Remove and すべて削除 / Remove All disable themselves when used:
  # the keyboard goes on in the lists, Tab and Escape work at once.
  drv select-rows "$title" 1005 0 >/dev/null
  drv click "$title" 1009 >/dev/null
  until_rows 1005 0
  check "after 削除 the keyboard is in the address list ($lang)" focus_in 1002
  press "$title" Tab
  check "Tab moves on from there ($lang)" focus_moved_from 1002
  drv select-rows "$title" 1002 1 >/dev/null
  drv click "$title" 1011 >/dev/null
  eventually eval '[ "$(count 1005)" != 0 ]'
  drv click "$title" 1010 >/dev/null
  until_rows 1005 0
  check "after すべて削除 the keyboard is in the address list ($lang)" focus_in 1002
  press "$title" Escape
  check "Escape then ends the picker ($lang)" ended
  check "the help viewer left open closes with the picker ($lang)" drv none MS_WINHELP "$patience_ms"
  stop_wine
}

# === Japanese ===========================================================================
locale=ja_JP.UTF-8 charset=CP932
title="宛先の選択" confirm="グループ確認"
help_title="宛先の選択 ヘルプ" contents="宛先の選択" group_topic="グループの確認"
columns=6 reading=1 group_row=2 search_text="北"
run_language ja

# === English ============================================================================
locale=en_US.UTF-8 charset=CP1252
title="Select Destinations" confirm="Group Members"
help_title="Select Destinations Help" contents="Selecting destinations"
group_topic="Looking into a group" columns=5 reading=0 group_row=0 search_text="N" languages=Languages
run_language en

[ "$failures" = 0 ]

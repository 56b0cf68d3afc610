#!/usr/bin/env bash
# The installer under Wine, in one fresh prefix: a silent installation under
# a Japanese locale, its files, registry values and shared data folder; the
# installed editor started (when the build has one); a second, English
# installation over it; the silent uninstallation, waited for both ways (its
# copy of itself, and in place with _?=); then the installer's pages as a
# user sees them, in Japanese and English, with screenshots in SCRATCH.
#
# installer_test.sh BUILD SCRATCH: BUILD is the win64 build folder (with
# installer/faxbook-setup.exe and installer/stage/), SCRATCH a folder of its
# own. Prints "ok NAME" or "not ok NAME" per check.
set -u
build=$(cd "$1" && pwd)
scratch=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/lib.sh"

setup="$build/installer/faxbook-setup.exe"
stage="$build/installer/stage"
. "$here/report.sh"

xvfb=""
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
  stop_wine
  [ -n "$xvfb" ] && stop_display
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

if [ ! -f "$setup" ] || [ ! -d "$stage" ]; then
  notok "installer built" "no $setup"
  exit 1
fi
ok "installer built"
if ! new_prefix "$scratch" ja_JP.UTF-8; then
  notok "wine prefix"
  exit 1
fi

drive="$WINEPREFIX/drive_c"
# The faces Japanese pages are laid out for, as on Windows (see lib.sh).
use_japanese_ui_font
# The product's one name and one version: the editor's title and about box.
product="Address Book for Relay FAX"
version=$(sed -n 's/.*"Version \([0-9][0-9.]*\)".*/\1/p' "$here/../../faxbook/res/faxbook.rc" | head -1)
instdir="$drive/Program Files/Brevant Zelo/$product"
shared="$drive/users/Public/Documents/BrevantZelo"
book="$shared/FaxbookData/address.fdt"
book_key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
spooler_key='HKLM\SOFTWARE\Brevant Zelo\RelayFAX\Spooler'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\BrevantZeloFaxbook'

# reg_value KEY NAME: the data of a registry value, empty when missing.
reg_value() {
  wine_run ja_JP.UTF-8 reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 \{2,\}REG_[A-Z_]* \{2,\}//p"
}
reg_has_key() { wine_run ja_JP.UTF-8 reg query "$1" >/dev/null 2>&1; }

# installed_as LANG OTHER: every staged program, every editor file of the
# language and the picker's files of every language (it takes the one of
# each user's locale) are installed byte for byte, no editor file only the
# other language has is left, and the setup library is not installed.
picker_file() { case "$1" in pickres*.dll | faxpick*.hlp | faxpick*.cnt) return 0 ;; esac; return 1; }
installed_as() {
  local file name
  for file in "$stage"/bin/faxbook.exe "$stage"/bin/faxpick.exe "$stage/$1"/* "$stage/$2"/*; do
    [ -f "$file" ] || continue
    name=$(basename "$file")
    case "$file" in "$stage/$2"/*) picker_file "$name" || continue ;; esac
    cmp -s "$file" "$instdir/$name" || { echo "  differs: $file"; return 1; }
  done
  for file in "$stage/$2"/*; do
    name=$(basename "$file")
    [ -f "$file" ] && [ ! -f "$stage/$1/$name" ] && ! picker_file "$name" || continue
    [ ! -e "$instdir/$name" ] || { echo "  left over: $name"; return 1; }
  done
  [ -f "$instdir/uninstall.exe" ] && [ ! -e "$instdir/setuphelp.dll" ]
}

mode_of() { stat -c %a "$1" 2>/dev/null; }
header=$'// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n'

# 1. Silent installation; the language follows the user's (Japanese).
wine_run ja_JP.UTF-8 "$setup" /S
check "silent installation exits 0" [ $? = 0 ]
check "installed files are those the build produced" installed_as ja en
check "registry FileName names the shared book" \
  [ "$(reg_value "$book_key" FileName)" = 'C:\users\Public\Documents\BrevantZelo\FaxbookData\address.fdt' ]
check "registry Language follows the user's language" [ "$(reg_value "$book_key" Language)" = Japanese ]
# No fax driver's setup has written the spooler values: the picker's own
# path and the product's version stand in for them.
check "the picker's spooler values stand in where the driver has written none" \
  [ "$(reg_value "$spooler_key" InstallPath)" = "C:\\Program Files\\Brevant Zelo\\$product\\faxpick.exe" -a \
    "$(reg_value "$spooler_key" Version)" = "$version" ]
check "registry uninstall entry" \
  [ "$(reg_value "$uninstall_key" UninstallString)" = "\"C:\\Program Files\\Brevant Zelo\\$product\\uninstall.exe\"" ]
check "the uninstall entry carries the program's name, version and icon" \
  [ "$(reg_value "$uninstall_key" DisplayName)" = "$product" -a \
    "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" -a \
    "$(reg_value "$uninstall_key" DisplayIcon)" = "C:\\Program Files\\Brevant Zelo\\$product\\faxbook.exe,0" ]
# The programs' own version resources name the product and version of the
# uninstall entry.
driver="$build/tests/wine/faxbook_driver.exe"
for program in faxbook.exe faxpick.exe; do
  [ -f "$stage/bin/$program" ] || continue
  check "$program carries the product's name and version" \
    [ "$(wine_run ja_JP.UTF-8 "$driver" file-version "$instdir/$program" | tr -d '\r')" = "$product"$'\t'"$version" ]
done
check "the start menu names the product once" \
  [ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/$product/$product.lnk" ]
printf '%s' "$header" >"$scratch/header"
check "shared book copied by bzMyCopyFile" cmp -s "$book" "$scratch/header"
# Wine keeps no access lists; it maps Everyone GENERIC_ALL onto mode 777.
check "shared folders opened by bzSetFolderSecurity and bzSetFullAccessToDir" \
  [ "$(mode_of "$shared")" = 777 -a "$(mode_of "$shared/FaxbookData")" = 777 ]

# 2. The installed editor starts: its window shows, and it has passed its
# installation check and made the user's own book.
editor_window() { xdotool search --onlyvisible --class faxbook >/dev/null 2>&1; }
user_book() { compgen -G "$drive/users/*/AppData/Roaming/BrevantZelo/FaxbookData/address.fdt" >/dev/null; }
if [ ! -f "$stage/bin/faxbook.exe" ]; then
  ok "installed editor starts # skipped: the build has no faxbook.exe"
else
  # A Wine session started without a display keeps drawing nowhere.
  stop_wine
  if ! start_display 291 340; then
    notok "installed editor starts" "Xvfb did not start"
  else
    (cd "$instdir" && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 exec "$WINE64" ./faxbook.exe) >/dev/null 2>&1 &
    editor_pid=$!
    # A loaded machine takes a while for Wine's first start in a prefix.
    if ! poll 120 editor_window; then
      notok "installed editor starts" "no editor window within 120 s"
      xwd -root -silent 2>/dev/null | convert xwd:- "$scratch/editor-start.png" 2>/dev/null
    elif ! poll 60 user_book; then
      notok "installed editor starts" "no user's book made"
    elif ! kill -0 "$editor_pid" 2>/dev/null; then
      notok "installed editor starts" "the editor ended"
    else
      ok "installed editor starts"
    fi
    kill "$editor_pid" 2>/dev/null
    editor_pid=""
  fi
  stop_wine
fi

# 3. A second installation in English over the first keeps the shared book
# as the users left it, and its own spooler values (written anew).
printf '%s[FAX_ADDR]=1,1,Kita,KITA,03-111,,,,,,0\r\n' "$header" >"$book"
cp "$book" "$scratch/book-before"
wine_run ja_JP.UTF-8 "$setup" /S /LANGUAGE=English
check "English installation over it" [ $? = 0 ]
check "the stand-in spooler values stay the picker's" \
  [ "$(reg_value "$spooler_key" InstallPath)" = "C:\\Program Files\\Brevant Zelo\\$product\\faxpick.exe" ]
check "registry Language English" [ "$(reg_value "$book_key" Language)" = English ]
check "English files installed" installed_as en ja
check "shared book kept on reinstallation" cmp -s "$book" "$scratch/book-before"

# 4. Silent uninstallation: "uninstall.exe /S" starts a copy of itself and
# returns at once; the copy has done everything when the prefix's programs
# have all ended. The spooler values the fax driver's setup wrote after the
# installation stay.
wine_run ja_JP.UTF-8 reg add "$spooler_key" /v InstallPath /d 'C:\Spool\spooler.dll' /f >/dev/null 2>&1
wine_run ja_JP.UTF-8 reg add "$spooler_key" /v Version /d 2.1 /f >/dev/null 2>&1
wine_run ja_JP.UTF-8 "$instdir/uninstall.exe" /S
wait_wine
check "uninstaller removes the programs and their folders" \
  [ ! -e "$instdir" -a ! -e "$(dirname "$instdir")" ]
check "uninstaller removes the registry values" \
  eval '! reg_has_key "$book_key" && ! reg_has_key "$uninstall_key"'
check "uninstaller keeps the fax driver's spooler values" \
  [ "$(reg_value "$spooler_key" InstallPath)" = 'C:\Spool\spooler.dll' -a "$(reg_value "$spooler_key" Version)" = 2.1 ]
check "uninstaller keeps the shared book" cmp -s "$book" "$scratch/book-before"

# 4b. Run in place ("_?=FOLDER", the folder without quotes even with spaces:
# the command line goes as it is through the driver), the uninstaller
# returns when it is done and leaves only itself for its caller to delete.
if [ -f "$driver" ]; then
  wine_run ja_JP.UTF-8 "$setup" /S
  winfolder="C:\\Program Files\\Brevant Zelo\\$product"
  wine_run ja_JP.UTF-8 "$driver" run "$winfolder\\uninstall.exe" "/S _?=$winfolder" 120000 >/dev/null
  check "an uninstaller run in place has removed everything else when it returns" \
    eval '[ "$(ls "$instdir")" = uninstall.exe ] && ! reg_has_key "$book_key" && ! reg_has_key "$uninstall_key"'
  rm -f "$instdir/uninstall.exe"
  rmdir "$instdir" "$(dirname "$instdir")" 2>/dev/null
fi

# 5. The pages a user sees, in Japanese and English: the folder page with
# its Install button, and the finish page. Screenshots by window id (no
# window manager: the root picture shows new popups black).
if [ -n "$xvfb" ] && [ -f "$driver" ]; then
  setup_window() { xdotool search --onlyvisible --name "^$product" 2>/dev/null | head -1; }
  setup_shown() { [ -n "$(setup_window)" ]; }
  page_shot() {
    sleep 1  # for the picture only: the window paints first
    local id
    id=$(setup_window)
    [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
  }
  for run in ja_JP.UTF-8:Japanese en_US.UTF-8:English; do
    locale=${run%%:*}
    language=${run#*:}
    LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$setup" /LANGUAGE=$language >/dev/null 2>&1 &
    setup_pid=$!
    check "the $language installer opens on its folder page" poll 60 setup_shown
    page_shot "installer-folder-$language"
    xdotool windowfocus --sync "$(setup_window)" key Return >/dev/null 2>&1
    check "the $language installer installs and ends on its finish page" \
      poll 60 [ -e "$instdir/uninstall.exe" ]
    sleep 2  # for the picture only
    page_shot "installer-finish-$language"
    kill "$setup_pid" 2>/dev/null
    wait "$setup_pid" 2>/dev/null
    stop_wine
    wine_run ja_JP.UTF-8 "$instdir/uninstall.exe" /S
    wait_wine
  done
fi

[ "$failures" = 0 ]

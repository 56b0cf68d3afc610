# Shared pieces of the picker's Wine tests (sourced after lib.sh and
# report.sh, with $build, $scratch and $driver set):
#
# setup_prefix DIR LOCALE BOOK EXCHANGE: a fresh prefix on Windows XP with
#   the picker installed in "C:\Program Files\RelayFax" (program, both
#   language libraries and both help files, as the installer places them),
#   the personal book and the job's exchange file written by the functions
#   BOOK and EXCHANGE. Sets $app, $personal, $jobdir, $job and $settings.
# pick: starts the picker as the driver side does (the exact command line
#   "SPOOLER PATH" "VERSION") and waits for $title; the exit code of the run
#   lands in $scratch/exit.txt.
# ended: the picker has closed and ended with exit code 0.
# $locale and $charset (CP932 or CP1252) follow the language in use.

program='C:\Program Files\RelayFax\faxpick.exe'
line='"C:\Spool\spooler.dll" "2.1"'
runs=()
drive() { echo "$WINEPREFIX/drive_c"; }
userdir() { local d; for d in "$(drive)"/users/*/; do [ "$(basename "$d")" != Public ] && echo "${d%/}"; done | head -1; }
drv() { wine_run "$locale" "$driver" "$@"; }
sjis() { iconv -f UTF-8 -t CP932; }
utf8() { tr -d '\r' | iconv -f "${charset:-CP932}" -t UTF-8; }
crlf() { sed 's/$/\r/'; }

pick() {
  rm -f "$scratch/exit.txt"
  LANG=$locale LC_ALL=$locale timeout 300 "$WINE64" "$driver" run "$program" "$line" 120000 \
    >"$scratch/exit.txt" 2>/dev/null &
  runs+=($!)
  drv wait "$title" "$patience_ms" '#32770'
}

ended() {
  drv gone "$title" "$patience_ms" '#32770' || return 1
  eventually [ -s "$scratch/exit.txt" ]
  [ "$(tr -d '\r' <"$scratch/exit.txt")" = 0 ]
}

rows() { drv dialog-rows "$title" "$1" | utf8; }
count() { drv dialog-rows "$title" "$1" | wc -l; }
# until_rows ID N: polls until list ID holds N rows.
until_rows() { eventually_is "$2" count "$1"; }
# until_shown ID: polls until control ID of the dialog is visible.
until_shown() { eventually_is 1 drv shown "$title" "$1"; }
# shot NAME [WINDOW TITLE]: a picture of that window, taken by its own id
# (without a window manager the root picture shows new popups black).
shot() {
  local window
  window=$(xdotool search --name "^${2:-$title}\$" 2>/dev/null | head -1)
  [ -n "$window" ] && xwd -id "$window" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}
item() {  # item N FAX COMPANY DEPARTMENT CLIENT RESPECT NAME READING
  printf '%s\n' "[ITEM_$1]" "FaxNumber=$2" "SubAddress=" "Password=" "CompanyName=$3" \
    "DepartmentName=$4" "ClientName=$5" "Respect=$6" "DispName=$7" "DispNameJP=$8"
}

# The sample books: a single address, a group of two, another address.
book_ja() {
  {
    echo "// This is BrevantZelo Relay Fax AddressBook  Utility Data."
    echo '[FAX_ADDR]=1,1,北支店,ｷﾀ,03-111-222,,,"北商事, 株式会社",営業部,北 太郎,1'
    echo '[FAX_ADDR]=3,3,全店,ｾﾞﾝﾃﾝ,'
    echo '[FAX_ADDR_GM]=4,3,北支店,ｷﾀ,03-111-222,,,"北商事, 株式会社",営業部,北 太郎,1'
    echo '[FAX_ADDR_GM]=4,3,南店,ﾐﾅﾐ,06-333-444,12,,The Sun Shop,,,2'
    echo '[FAX_ADDR]=1,2,南店,ﾐﾅﾐ,06-333-444,12,,The Sun Shop,,,2'
    echo '[FAX_ADDR]=1,6,Abe,ABE,011-1,,,,,,0'
  } | crlf | sjis
}

book_en() {
  {
    echo "// This is BrevantZelo Relay Fax AddressBook  Utility Data."
    echo '[FAX_ADDR]=1,1,North Branch,North,03-111-222,,,"North, Ltd.",Sales,Tom North,1'
    echo '[FAX_ADDR]=3,3,All Branches,All,'
    echo '[FAX_ADDR_GM]=4,3,North Branch,North,03-111-222,,,"North, Ltd.",Sales,Tom North,1'
    echo '[FAX_ADDR_GM]=4,3,South Shop,South,06-333-444,12,,The Sun Shop,,,2'
    echo '[FAX_ADDR]=1,2,South Shop,South,06-333-444,12,,The Sun Shop,,,2'
    echo '[FAX_ADDR]=1,6,Müller,Müller,011-1,,,Müller GmbH,,Hans Müller,0'
  } | crlf | iconv -f UTF-8 -t CP1252
}

setup_prefix() {
  new_prefix "$1" "$2" || return 1
  set_windows_version winxp
  app="$(drive)/Program Files/RelayFax"
  mkdir -p "$app"
  cp "$exe" "$build/lang/pickresJPN.dll" "$build/lang/pickresENG.dll" "$app/"
  local help
  for help in ja/faxpickJP.hlp ja/faxpickJP.cnt en/faxpickEN.hlp en/faxpickEN.cnt; do
    [ -f "$build/help/$help" ] && cp "$build/help/$help" "$app/"
  done
  local docs
  docs="$(userdir)/Documents"
  personal="$docs/BrevantZelo/FaxbookDATA/address.fdt"
  jobdir="$docs/BrevantZelo/RelayFax/2.1"
  job="$jobdir/SendList.ini"
  settings="$jobdir/FilePath.ini"
  mkdir -p "$(dirname "$personal")" "$jobdir"
  $3 >"$personal"
  $4 >"$job"
}

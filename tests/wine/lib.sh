# Shared pieces of the Wine tests (sourced).
#
# new_prefix DIR LOCALE: a fresh Wine prefix in DIR whose user folders are
# real folders inside DIR (never the Unix home), booted under LOCALE
# (ja_JP.UTF-8 gives code page 932, en_US.UTF-8 gives 1252).
# wine_run LOCALE PROGRAM ARGS...: runs an x86_64 program in $WINEPREFIX.
# set_windows_version VERSION: winxp, vista, win7, nt40, ... for the prefix.
# use_japanese_ui_font: Japanese dialogs in the prefix's fonts as Windows draws them.
# prefix_programs PREFIX: the programs running in a Wine prefix.
# start_own LOCALE DRIVER PROGRAM LINE LOG: a program started through the
#   driver, which looks only at its windows afterwards.

WINE64=${WINE64:-/usr/lib/wine/wine64}
export WINEDEBUG=-all

new_prefix() {
  local dir=$1 locale=$2
  rm -rf "$dir"
  mkdir -p "$dir/home"
  export WINEPREFIX="$dir/prefix" HOME="$dir/home"
  LANG=$locale LC_ALL=$locale timeout 180 "$WINE64" wineboot -i >/dev/null 2>&1
  local user
  for user in "$WINEPREFIX"/drive_c/users/*/; do
    local f
    for f in "$user"*; do
      if [ -L "$f" ]; then rm -f "$f"; mkdir -p "$f"; fi
    done
  done
  [ -d "$WINEPREFIX/drive_c/windows" ]
}

wine_run() {
  local locale=$1
  shift
  LANG=$locale LC_ALL=$locale timeout "${WINE_TIMEOUT:-300}" "$WINE64" "$@"
}

set_windows_version() {
  wine_run "${WINE_LOCALE:-ja_JP.UTF-8}" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# Japanese Windows draws dialogs and lists ("MS Shell Dlg") in MS UI Gothic,
# and installers' pages in MS PGothic, both proportional faces. Wine has none and falls back to the fixed-pitch IPA
# Gothic, whose 12-pixel glyphs lose their underscores and descenders (in
# lists and help texts alike, whatever the row's height) and whose wide
# Latin letters overrun texts laid out for MS UI Gothic. IPA P Gothic is the
# proportional face of the same family and draws both whole.
use_japanese_ui_font() {
  local face
  for face in 'MS UI Gothic' 'ＭＳ Ｐゴシック' 'MS PGothic'; do
    wine_run ja_JP.UTF-8 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
      /d IPAPGothic /f >/dev/null 2>&1
  done
}

# start_display FIRST LAST: an Xvfb of its own on the first free display
# number from FIRST to LAST; exports DISPLAY and sets xvfb to its process id.
# False when none could be started.
start_display() {
  local n
  for n in $(seq "$1" "$2"); do
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    # Tests run side by side: the display is ours only when the lock
    # names our server (another one may have taken the number first).
    if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ] &&
      [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$xvfb" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  done
  xvfb=""
  return 1
}

stop_display() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}

# wait_wine: until every program of the prefix has ended (an uninstaller's
# copy of itself too), at most five minutes (WINESERVER_WAIT seconds).
wait_wine() {
  timeout "${WINESERVER_WAIT:-300}" "${WINESERVER:-/usr/lib/wine/wineserver64}" -w >/dev/null 2>&1
}

# prefix_programs PREFIX: "PID PROGRAM" for each program that runs in the
# Wine prefix, other than Wine's own (services, the desktop, ...: whatever
# runs from C:\windows). Nothing when none runs.
prefix_programs() {
  local prefix pid exe env name
  prefix=$(realpath -m "$1")
  # Wine's loader is what every program of every prefix runs as.
  for exe in $(find /proc -mindepth 2 -maxdepth 2 -name exe \( -lname '*/wine64' -o -lname '*/wine' \
    -o -lname '*/wine64-preloader' -o -lname '*/wine-preloader' \) 2>/dev/null); do
    pid=${exe%/exe}
    env=$(tr '\0' '\n' 2>/dev/null <"$pid/environ" | sed -n 's/^WINEPREFIX=//p')
    [ -n "$env" ] && [ "$(realpath -m "$env")" = "$prefix" ] || continue
    name=$(tr '\0' '\n' 2>/dev/null <"$pid/cmdline" | head -1)
    case "$name" in
      [Cc]:\\[Ww][Ii][Nn][Dd][Oo][Ww][Ss]\\*) continue ;;
    esac
    echo "${pid#/proc/} $name"
  done
}

# start_own LOCALE DRIVER PROGRAM LINE LOG: starts PROGRAM (its Windows path)
# with the command line LINE through the driver's run, in the background
# (the driver's process in $own, which ends the program with itself; the
# driver's output in LOG); once the program runs, exports
# FAXBOOK_DRIVER_PROCESS, its process id, so that the driver looks only at
# its windows. False when it did not start.
start_own() {
  local started="$5.started"
  rm -f "$started"
  LANG=$1 LC_ALL=$1 "$WINE64" "$2" run "$3" "$4" 600000 "Z:$started" >"$5" 2>&1 &
  own=$!
  local i
  for i in $(seq 300); do
    grep -q '[0-9]' "$started" 2>/dev/null && break
    kill -0 "$own" 2>/dev/null || break
    sleep 0.1
  done
  FAXBOOK_DRIVER_PROCESS=$(tr -dc '0-9' 2>/dev/null <"$started")
  rm -f "$started"
  export FAXBOOK_DRIVER_PROCESS
  [ -n "$FAXBOOK_DRIVER_PROCESS" ]
}

# stop_wine: ends every program of the prefix at once. Only for prefixes a
# test made for itself: never where a user may run a program.
stop_wine() {
  "${WINESERVER:-/usr/lib/wine/wineserver64}" -k >/dev/null 2>&1 || true
}

# editor_test_setup BUILD SCRATCH FIRST LAST: what a system test of the
# editor starts with: exe, driver and library (the English library) of the
# build, which must be there ("not ok built: NAME" and false when one is
# not), title and key (the editor's window title and registry key), an
# empty SCRATCH whose absolute path $scratch then is, and an X display of
# its own among FIRST to LAST. When the test exits, the editor ($editor)
# is ended, Wine stopped and the display gone.
editor_test_setup() {
  exe="$1/faxbook/faxbook.exe"
  driver="$1/tests/wine/faxbook_driver.exe"
  library="$1/lang/ledgresLC.dll"
  local f
  for f in "$exe" "$driver" "$library"; do
    [ -f "$f" ] || { notok "built: $(basename "$f")"; return 1; }
  done
  title="Address Book for Relay FAX"
  key='HKLM\SOFTWARE\Brevant Zelo\RelayFax\AddressBook'
  rm -rf "$2"
  mkdir -p "$2"
  scratch=$(cd "$2" && pwd)
  start_display "$3" "$4" || { notok "Xvfb starts"; return 1; }
  editor=""
  trap 'editor_test_cleanup' EXIT
}
editor_test_cleanup() {
  [ -n "${editor:-}" ] && kill "$editor" 2>/dev/null
  stop_wine
  stop_display
}

# window_shot NAME TITLE: a picture of the window titled TITLE in
# $scratch/NAME.png, taken by its own id (without a window manager the root
# picture shows new popups black).
window_shot() {
  sleep 1  # for the picture only: the window paints first
  local id
  id=$(xdotool search --name "^$2\$" 2>/dev/null | head -1)
  [ -n "$id" ] && xwd -id "$id" -silent | convert xwd:- "$scratch/$1.png" 2>/dev/null
}

# Shared pieces of the Wine tests (sourced).
#
# new_prefix DIR LOCALE: a fresh Wine prefix in DIR whose user folders are
# real folders inside DIR (never the Unix home), booted under LOCALE
# (ja_JP.UTF-8 gives code page 932, en_US.UTF-8 gives 1252).
# wine_run LOCALE PROGRAM ARGS...: runs an x86_64 program in $WINEPREFIX.
# set_windows_version VERSION: winxp, vista, win7, nt40, ... for the prefix.

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

stop_wine() {
  "${WINESERVER:-/usr/lib/wine/wineserver64}" -k >/dev/null 2>&1 || true
}

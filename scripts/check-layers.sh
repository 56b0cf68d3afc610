#!/usr/bin/env bash
# Fails when a lower layer includes a higher one, or when files or folders
# include each other round in a circle.
#   scripts/check-layers.sh [TREE]     (the source tree by default)
set -u
if [ $# -gt 0 ]; then
  cd "$1" || exit 2
else
  cd "$(dirname "$0")/.."
fi
lib=$(cd "$(dirname "${BASH_SOURCE[0]}")/lib" && pwd)
status=0

# Each rule: a folder and the folders its files must not include.
rule() {
  local folder=$1
  shift
  [ -d "$folder" ] || return 0
  local banned
  for banned in "$@"; do
    local hits
    hits=$(grep -rn --include='*.h' --include='*.cpp' "#include \"$banned/" "$folder" 2>/dev/null)
    if [ -n "$hits" ]; then
      echo "$folder must not include $banned/:"
      echo "$hits" | sed 's/^/  /'
      status=1
    fi
  done
}
rule platform store faxbook faxpick tools setup
rule store faxbook faxpick tools setup
rule faxbook/editing faxbook/shell faxbook/import
rule faxbook/import faxbook/shell
# The rules and the import engine: below the editor's dialogs and fdtool,
# free of the user-interface layer.
rule booklib/rules faxbook/shell faxbook/editing faxbook/import booklib/csv booklib/device \
  faxbook/res platform/ui
rule booklib/device faxbook/shell faxbook/editing faxbook/import booklib/csv faxbook/res platform/ui
rule booklib/csv faxbook/shell faxbook/editing faxbook/import booklib/device faxbook/res platform/ui
rule booklib/merge faxbook/shell faxbook/editing faxbook/import booklib/csv booklib/device \
  faxbook/res platform/ui
rule tools/fdtool faxbook/shell faxbook/editing faxbook/import faxbook/res platform/ui
rule faxpick faxbook
rule faxbook faxpick

# Circles: between the files, and between the folders. A folder's test
# programs (*_test.cpp) stand above it, so their includes count for a
# folder of their own.
sources=$(find . \( -path ./build -o -path ./out -o -name '.*' ! -name . \) -prune -o \
  -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' -o -name '*.inc' \
  -o -name '*.rc' -o -name '*.rc2' \) -print | sed 's|^\./||' | LC_ALL=C sort)
if [ -n "$sources" ]; then
  circles=$({
    printf 'F\t%s\n' $sources
    # shellcheck disable=SC2086
    grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $sources /dev/null
  } | awk -f "$lib/include_cycles.awk")
  if [ -n "$circles" ]; then
    echo "$circles"
    status=1
  fi
fi

[ "$status" = 0 ] && echo "layers ok"
exit "$status"

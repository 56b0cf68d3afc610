#!/usr/bin/env bash
# Fails when a lower layer includes a higher one. Each rule: a folder and
# the folders its files must not include.
set -u
cd "$(dirname "$0")/.."
status=0
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
rule faxbook/rules faxbook/shell faxbook/editing faxbook/import faxbook/csv faxbook/device \
  faxbook/res platform/ui
rule faxbook/device faxbook/shell faxbook/editing faxbook/import faxbook/csv faxbook/res platform/ui
rule faxbook/csv faxbook/shell faxbook/editing faxbook/import faxbook/device faxbook/res platform/ui
rule faxbook/merge faxbook/shell faxbook/editing faxbook/import faxbook/csv faxbook/device \
  faxbook/res platform/ui
rule tools/fdtool faxbook/shell faxbook/editing faxbook/import faxbook/res platform/ui
rule faxpick faxbook
rule faxbook faxpick
[ "$status" = 0 ] && echo "layers ok"
exit "$status"

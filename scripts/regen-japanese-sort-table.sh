#!/usr/bin/env bash
# Regenerates platform/text/japanese_sort_table.cpp from the system's own
# Japanese sort keys: builds the generator for Windows and runs it under Wine
# with code page 932. Run it after a change of the generator or of Wine, then
# run the Wine collation test (tests/wine/collation_system_test).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target japanese_sort_table_gen
. tests/wine/lib.sh
scratch="$root/build/win64/sort-table"
new_prefix "$scratch" ja_JP.UTF-8
(cd "$scratch" && wine_run ja_JP.UTF-8 "$root/build/win64/platform/japanese_sort_table_gen.exe" table.cpp)
stop_wine
cp "$scratch/table.cpp" platform/text/japanese_sort_table.cpp
echo "wrote platform/text/japanese_sort_table.cpp"

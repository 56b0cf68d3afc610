#!/usr/bin/env bash
# Measures, under Wine, the editor's apply of the largest book the limits
# allow (order, format, temporary file, flush, replace) against writing and
# flushing the same bytes alone, in turns, in one Japanese prefix.
#
#   scripts/measure-apply-under-wine.sh [ROUNDS]     (default 15)
#
# Prints the medians and their ratio. Needs the native build (for
# make_largest_book) and builds the Windows program it needs.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
rounds=${1:-15}
cmake --preset native >/dev/null
cmake --build --preset native --target make_largest_book >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target apply_timing >/dev/null

. tests/wine/lib.sh
scratch="$root/build/apply-time"
trap 'stop_wine' EXIT
new_prefix "$scratch" ja_JP.UTF-8
build/native/tests/bench/make_largest_book --groups "$scratch/largest.fdt"
wine_run ja_JP.UTF-8 build/win64/tests/wine/apply_timing.exe "$scratch/largest.fdt" "$rounds"

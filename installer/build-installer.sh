#!/usr/bin/env bash
# build-installer.sh BUILD [OUT]: stages what the Windows x86_64 build folder
# BUILD holds and makes the installer from it with makensis, by default
# BUILD/installer/faxbook-setup.exe. The version is the program's own, as
# its about box shows it (faxbook/res/faxbook.rc).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
out=${2:-$build/installer/faxbook-setup.exe}
stage=$build/installer/stage
version=$(sed -n 's/.*"Version \([0-9][0-9.]*\)".*/\1/p' "$here/../faxbook/res/faxbook.rc" | head -1)
[ -n "$version" ] || { echo "build-installer.sh: no version in faxbook.rc" >&2; exit 1; }
"$here/stage.sh" "$build" "$stage"
mkdir -p "$(dirname "$out")"
makensis -V2 -DSTAGE="$stage" -DOUTFILE="$out" -DVERSION="$version" "$here/faxbook.nsi"
echo "installer: $out"

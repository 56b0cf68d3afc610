#!/usr/bin/env bash
# build-installer.sh BUILD [OUT]: stages what the Windows x86_64 build folder
# BUILD holds and makes the installer from it with makensis, by default
# BUILD/installer/faxbook-setup.exe. FAXBOOK_VERSION sets the version (1.0).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
out=${2:-$build/installer/faxbook-setup.exe}
stage=$build/installer/stage
"$here/stage.sh" "$build" "$stage"
mkdir -p "$(dirname "$out")"
makensis -V2 -DSTAGE="$stage" -DOUTFILE="$out" -DVERSION="${FAXBOOK_VERSION:-1.0}" \
  "$here/faxbook.nsi"
echo "installer: $out"

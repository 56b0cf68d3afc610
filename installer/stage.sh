#!/usr/bin/env bash
# stage.sh BUILD STAGE: gathers what the installer ships from a Windows build
# folder into STAGE, in the layout faxbook.nsi expects:
#   STAGE/bin/  the programs and the setup library
#   STAGE/en/   English resource libraries and help files
#   STAGE/ja/   Japanese ones
# Only files the build has produced are staged; the installer includes what
# it finds. An editor resource library or help file ("ledgresLC.dll",
# "FAXBOOK.HLP" and its contents "FAXBOOK.CNT") counts as Japanese when a folder of its path is named ja,
# jp, jpn or japanese, and as English otherwise.
set -eu
build=$(cd "$1" && pwd)
stage=$2
rm -rf "$stage"
mkdir -p "$stage/bin" "$stage/en" "$stage/ja"
stage=$(cd "$stage" && pwd)

# Every file of the build with this name (case ignored), nearest first,
# leaving out the stage itself and CMake's and the tests' scratch folders.
found() {
  find "$build" \( -path "$stage" -o -name CMakeFiles -o -name googletest -o -name wine-run \) -prune \
    -o -type f -iname "$1" -print | awk '{ print length($0) "\t" $0 }' | sort -n | cut -f2-
}

language_of() {
  case "$(dirname "${1#"$build"}" | tr 'A-Z' 'a-z')/" in
    */ja/* | */jp/* | */jpn/* | */japanese/*) echo ja ;;
    *) echo en ;;
  esac
}

first() { found "$1" | head -1; }

for name in setuphelp.dll; do
  file=$(first "$name")
  [ -n "$file" ] || { echo "stage.sh: $name is missing in $build" >&2; exit 1; }
  cp "$file" "$stage/bin/$name"
done
for name in faxbook.exe faxpick.exe; do
  file=$(first "$name")
  if [ -n "$file" ]; then cp "$file" "$stage/bin/$name"; fi
done

# The editor's library and help file carry one name in every language.
for name in ledgresLC.dll FAXBOOK.HLP FAXBOOK.CNT; do
  while IFS= read -r file; do
    target="$stage/$(language_of "$file")/$name"
    [ -e "$target" ] || cp "$file" "$target"
  done < <(found "$name")
done
# The picker's carry the language in their names.
for pair in en:pickresENG.dll en:faxpickEN.hlp en:faxpickEN.cnt ja:pickresJPN.dll ja:faxpickJP.hlp \
  ja:faxpickJP.cnt; do
  file=$(first "${pair#*:}")
  if [ -n "$file" ]; then cp "$file" "$stage/${pair%%:*}/${pair#*:}"; fi
done
find "$stage" -type f | sed "s|^$stage/|staged: |" | sort

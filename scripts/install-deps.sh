#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
# Idempotent and quiet: packages already present are not fetched again.
set -eu
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
  wine wine64 xvfb xdotool x11-apps imagemagick fonts-ipafont-gothic locales nsis
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Wine keeps code page 1252 unless the locales exist: Japanese (932),
# English (1252) and Czech (1250) for the system tests.
have_locales=1
for l in ja_JP en_US cs_CZ; do
  locale -a 2>/dev/null | grep -qi "^$l.utf8$" || have_locales=0
done
if [ "$have_locales" = 0 ]; then
  $sudo sed -i -E 's/^# *(ja_JP.UTF-8|en_US.UTF-8|cs_CZ.UTF-8)/\1/' /etc/locale.gen
  $sudo locale-gen >/dev/null
fi

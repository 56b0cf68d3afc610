# The report lines of a Wine test script (sourced): "ok NAME" or
# "not ok NAME" per check, with the failures counted in $failures.
failures=0
ok() { echo "ok $1"; }
notok() { echo "not ok $1${2:+ # $2}"; failures=$((failures + 1)); }
check() {
  local name=$1
  shift
  if "$@"; then ok "$name"; else notok "$name"; fi
}

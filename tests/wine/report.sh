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

# poll SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds or
# SECONDS have passed.
poll() {
  local tries=$(($1 * 5))
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.2
    tries=$((tries - 1))
  done
  return 1
}

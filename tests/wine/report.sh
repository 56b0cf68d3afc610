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
# SECONDS have passed (however long each run of it takes).
poll() {
  local deadline=$((SECONDS + $1))
  shift
  while :; do
    "$@" && return 0
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# How long a step's result may take to show under load. A wait ends as soon
# as the state it waits for is there, so only a failure waits this long.
patience=${FAXBOOK_WINE_PATIENCE:-60}
patience_ms=$((patience * 1000))

# eventually COMMAND...: poll with the patience above.
eventually() { poll "$patience" "$@"; }

# eventually_is TEXT COMMAND...: until COMMAND prints TEXT (carriage returns
# and the last line end dropped).
prints() {
  local want=$1
  shift
  [ "$("$@" | tr -d '\r')" = "$want" ]
}
eventually_is() { eventually prints "$@"; }

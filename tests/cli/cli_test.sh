#!/usr/bin/env bash
# The built program's command line as a shell sees it, with no display at all: which stream each answer goes
# to and the exit status.
#   cli_test.sh PROGRAM
set -uo pipefail
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail=0

# arguments | status | stdout's first line | stderr's first line ('' = empty)
while IFS='|' read -r args status first_out first_err; do
  first_err=${first_err//PROGRAM/$program}
  # shellcheck disable=SC2086 # the arguments split on purpose
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" $args >"$out" 2>"$err"
  rc=$?
  got_out=$(head -n 1 "$out") got_err=$(head -n 1 "$err")
  if [ "$rc" != "$status" ] || [ "$got_out" != "$first_out" ] || [ "$got_err" != "$first_err" ]; then
    echo "FAIL: '$args': status $rc (want $status), stdout '$got_out' (want '$first_out'), stderr '$got_err' (want '$first_err')"
    fail=1
  fi
  # A usage error also shows the usage, on the same stream.
  if [ "$status" = 2 ] && ! grep -q '^Usage: ZorvelFreeTintwise \[options\]$' "$err"; then
    echo "FAIL: '$args': no usage on standard error"
    fail=1
  fi
done <<'CASES'
--help|0|Usage: ZorvelFreeTintwise [options]|
-h -platform xcb|0|Usage: ZorvelFreeTintwise [options]|
--version|0|ZorvelFreeTintwise 1.25|
-style fusion -v|0|ZorvelFreeTintwise 1.25|
--bogus|2||ZorvelFreeTintwise: Unknown option 'bogus'.
-display|2||ZorvelFreeTintwise: Missing value after '-display'.
extra|2||ZorvelFreeTintwise: Unexpected argument 'extra'.
|1||ZorvelFreeTintwise: no display found; on a machine without one run it as: xvfb-run -a PROGRAM
CASES
exit $fail

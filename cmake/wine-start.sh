#!/usr/bin/env bash
# wine-start.sh COMMAND [ARGUMENTS...]
#
# Runs a test program through Wine (COMMAND is wine itself, or a wrapper of
# it) and passes on its output and exit code. Wine 8 on a busy machine now and
# then ends a process it is starting with a failure before the program has
# run at all: no output, a failing exit code, in a fraction of the usual
# start-up time. A test program always writes something (GoogleTest's first
# line), so a run that fails having written nothing is taken for such a start
# and made again, at most twice more, each retry said on standard error. A
# program that fails with output, or fails silently three times, fails; so
# does a test that ends with 0 before its summary.
set -uo pipefail
out=$(mktemp) err=$(mktemp)
child=0
printf -v command '%q ' "$@"
trap 'rm -f "$out" "$err"' EXIT
# CTest ends a test that overruns its time: end the program with it.
trap '[[ $child == 0 ]] || kill -TERM "$child" 2>/dev/null; exit 143' TERM INT
for attempt in 1 2 3; do
  started=$SECONDS
  "$@" >"$out" 2>"$err" &
  child=$!
  wait "$child"
  status=$?
  child=0
  if [[ $status == 0 || -s $out || -s $err || $attempt == 3 ]]; then
    break
  fi
  echo "wine-start.sh: exit code $status and no output after" \
       "$((SECONDS - started)) s from: ${command% }; starting it again" >&2
done
cat "$out"
cat "$err" >&2
# A test run (not a listing) that ends with 0 but without GoogleTest's
# summary was ended from outside, as Wine's default Ctrl+C handler ends a
# process, with exit code 0, before the test could fail.
if [[ $status == 0 && " $* " == *" --gtest_filter="* ]] && ! grep -q '^\[  PASSED  \]' "$out"; then
  echo "wine-start.sh: exit code 0 but no test summary from: ${command% }" >&2
  exit 1
fi
exit "$status"

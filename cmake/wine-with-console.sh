#!/usr/bin/env bash
# wine-with-console.sh WINE PROGRAM [ARGUMENTS...]
#
# Runs a Windows program under Wine with a console of its own, for tests that
# need one. Wine gives a program a console when its standard input is a
# terminal, so the program runs in a fresh pseudo-terminal (script(1)); its
# standard output and error still go where the caller's do, and what Wine
# draws on the pseudo-terminal is dropped. The program's exit code is kept.
set -euo pipefail
command=$(printf '%q ' "$@")
SHELL=/bin/bash exec script --quiet --return --command "$command >&3 2>&4" /dev/null 3>&1 4>&2 </dev/null >/dev/null

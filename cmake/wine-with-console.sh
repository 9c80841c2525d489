#!/usr/bin/env bash
# wine-with-console.sh WINE PROGRAM [ARGUMENTS...]
#
# Runs a Windows program under Wine with a console of its own, for tests that
# need one. Wine gives a program a console when its standard input is a
# terminal, so the program runs in a fresh pseudo-terminal (script(1)); its
# standard output and error still go where the caller's do, and what Wine
# draws on the pseudo-terminal is dropped. The program's exit code is kept.
#
# script(1) reads an empty FIFO that it never sees end. At the end of its
# input it would type the terminal's end-of-file; Wine's console turns the
# terminal raw without discarding what was typed, and that end-of-file then
# arrives as a NUL, a Ctrl+@ key in the middle of a test's own keys.
set -euo pipefail
command=$(printf '%q ' "$@")
fifo_folder=$(mktemp -d)
mkfifo "$fifo_folder/input"
# Opened for reading and writing, the FIFO neither blocks this open nor ever
# ends; removed at once, it lives as long as the descriptor.
exec 5<>"$fifo_folder/input"
rm -r "$fifo_folder"
SHELL=/bin/bash exec script --quiet --return --command "$command >&3 2>&4" /dev/null 3>&1 4>&2 <&5 5<&- >/dev/null

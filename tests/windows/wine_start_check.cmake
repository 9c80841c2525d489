# cmake -DSCRIPT=wine-start.sh -DWORK=folder -P wine_start_check.cmake
# The starter of the tests under Wine, given stand-ins for a Wine run: it
# starts again only a run that failed having written nothing, at most three
# runs in all, passes on the last run's output and exit code, and fails a
# test that ends with 0 before GoogleTest's summary.
#
# Each row: name | what the stand-in does on its runs 1, 2, 3 (exit code,
# then what it writes: "-" nothing, "o" a line on stdout, "e" one on stderr,
# "p" GoogleTest's summary line) | exit code expected | runs expected |
# retries said on stderr | arguments given after the stand-in's own.
cmake_policy(VERSION 3.25)
set(rows
  "passes at once|0o 0o 0o|0|1|0|"
  "failed silently, then passes|9- 0o 0o|0|2|1|"
  "failed silently twice, then passes|9- 9- 0o|0|3|2|"
  "fails silently each time|9- 9- 9-|9|3|2|"
  "fails with output|1o 0o 0o|1|1|0|"
  "fails with a message on stderr|1e 0o 0o|1|1|0|"
  "passes writing nothing|0- 0- 0-|0|1|0|"
  "a test passes with its summary|0p 0p 0p|0|1|0|--gtest_filter=A.B"
  "a test ends with 0 before its summary|0o 0p 0p|1|1|0|--gtest_filter=A.B"
  "a listing has no summary|0o 0o 0o|0|1|0|--gtest_list_tests")
file(MAKE_DIRECTORY ${WORK})
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" row "${row}")
  list(GET row 0 name)
  list(GET row 1 runs)
  list(GET row 2 expected_status)
  list(GET row 3 expected_runs)
  list(GET row 4 expected_retries)
  list(GET row 5 arguments)
  file(REMOVE ${WORK}/runs)
  # The stand-in counts its runs in a file and acts as the row says for this one.
  execute_process(
    COMMAND ${SCRIPT} sh -c [[
      n=$(($(cat "$1/runs" 2>/dev/null || echo 0) + 1)); echo $n > "$1/runs"
      set -- $2; eval "step=\${$n}"
      case ${step#?} in o) echo "run $n";; e) echo "run $n" >&2;; p) echo "[  PASSED  ] 1 test.";; esac
      exit "${step%?}"]] stand-in ${WORK} "${runs}" ${arguments}
    INPUT_FILE /dev/null OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
  file(READ ${WORK}/runs made)
  string(STRIP "${made}" made)
  string(REGEX MATCHALL "starting it again" retries "${err}")
  list(LENGTH retries retries)
  if(NOT status EQUAL expected_status OR NOT made EQUAL expected_runs OR NOT retries EQUAL expected_retries)
    message(FATAL_ERROR "${name}: exit code ${status} after ${made} runs and ${retries} retries said, "
                        "expected ${expected_status} after ${expected_runs} and ${expected_retries}; "
                        "stdout [${out}] stderr [${err}]")
  endif()
  # What the last run wrote, and only that, reaches the caller, each on its stream.
  string(REGEX REPLACE "wine-start.sh: [^\n]*\n" "" err_of_runs "${err}")
  math(EXPR last "${made} - 1")
  string(REPLACE " " ";" steps "${runs}")
  list(GET steps ${last} step)
  set(expected_out "")
  set(expected_err "")
  if(step MATCHES "o$")
    set(expected_out "run ${made}\n")
  elseif(step MATCHES "p$")
    set(expected_out "[  PASSED  ] 1 test.\n")
  elseif(step MATCHES "e$")
    set(expected_err "run ${made}\n")
  endif()
  if(NOT out STREQUAL expected_out OR NOT err_of_runs STREQUAL expected_err)
    message(FATAL_ERROR "${name}: stdout [${out}] stderr [${err_of_runs}], "
                        "expected [${expected_out}] and [${expected_err}]")
  endif()
endforeach()

# cmake -DWINE=... -DBINARY=helmholtz.exe -P without_console_check.cmake
# Started with no console (Wine gives none when no standard handle is a
# terminal), the program says so in one line on standard error and exits 255.
execute_process(COMMAND ${WINE} ${BINARY}
                INPUT_FILE /dev/null OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
                TIMEOUT 120)
if(NOT status EQUAL 255)
  message(FATAL_ERROR "exit code ${status}, expected 255; stderr: ${err}")
endif()
if(NOT err MATCHES "^helmholtz: cannot run without a console: [^\r\n]*\r?\n$")
  message(FATAL_ERROR "standard error is not the one line expected: [${err}]")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "standard output is not empty: [${out}]")
endif()

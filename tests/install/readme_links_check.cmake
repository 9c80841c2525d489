# Installs the build into a fresh prefix and checks that every relative link
# and picture in the installed README names a file that is there.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DDOCDIR=share/doc/helmholtz -P readme_links_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install ${BUILD_DIR} --prefix ${PREFIX} failed")
endif()

set(readme ${PREFIX}/${DOCDIR}/README.md)
if(NOT EXISTS ${readme})
  message(FATAL_ERROR "no README.md in ${PREFIX}/${DOCDIR}")
endif()
file(READ ${readme} text)
# Square brackets would keep CMake from splitting the list of matches.
string(REPLACE "[" "<" text "${text}")
string(REPLACE "]" ">" text "${text}")
# [text](target) and ![text](target), with an optional "title" after the target.
string(REGEX MATCHALL ">\\([^)]+\\)" links "${text}")
set(checked 0)
set(missing "")
foreach(link IN LISTS links)
  string(REGEX REPLACE "^>\\(([^ )]+).*$" "\\1" target "${link}")
  # Web addresses and places inside the README itself are not files.
  if(target MATCHES "^[a-z]+:" OR target MATCHES "^#")
    continue()
  endif()
  string(REGEX REPLACE "#.*$" "" path "${target}")
  math(EXPR checked "${checked} + 1")
  if(NOT EXISTS ${PREFIX}/${DOCDIR}/${path})
    list(APPEND missing ${target})
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
if(missing)
  message(FATAL_ERROR "links in the installed README that lead nowhere: ${missing}")
endif()
if(checked EQUAL 0)
  message(FATAL_ERROR "the installed README has no relative link to check")
endif()
message(STATUS "${checked} relative links in the installed README resolve")

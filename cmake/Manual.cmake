# The manual page as it is installed and packaged: docs/helmholtz.1 with the
# program and its version in .Os, which man shows in the page's header and
# footer. The source leaves .Os bare (mandoc -T lint asks that of a page that
# is not part of an operating system), so the version is written in here,
# from project(), and never goes stale.
set(HELMHOLTZ_MANUAL ${PROJECT_BINARY_DIR}/package/helmholtz.1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/helmholtz.1)
file(READ ${PROJECT_SOURCE_DIR}/docs/helmholtz.1 manual_source)
string(REGEX REPLACE "\n\\.Os\n" "\n.Os helmholtz ${PROJECT_VERSION}\n" manual_versioned "${manual_source}")
if(manual_versioned STREQUAL manual_source)
  message(FATAL_ERROR "docs/helmholtz.1 has no bare .Os line for the version to go in")
endif()
file(GENERATE OUTPUT ${HELMHOLTZ_MANUAL} CONTENT "${manual_versioned}")

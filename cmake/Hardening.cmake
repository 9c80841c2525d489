# The hardening a Debian package is expected to have, for the Release build on
# Unix: fortified C library calls, stack protector, position-independent
# executable, read-only relocations bound at start-up. The flags come from
# dpkg-buildflags (with every hardening feature asked for) where it exists,
# so that they follow the distribution; elsewhere from the list below. Only
# the hardening part is taken: optimisation and debug information stay the
# build type's.

set(HELMHOLTZ_HARDENING_FALLBACK_COMPILE -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat
                                         -Werror=format-security)
set(HELMHOLTZ_HARDENING_FALLBACK_LINK -Wl,-z,relro -Wl,-z,now)

function(helmholtz_dpkg_buildflags variable result)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${variable}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    set(flags "")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^(-g.*|-O.*|-f(file|debug|macro)-prefix-map=.*)$")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

if(NOT WIN32 AND CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT HELMHOLTZ_SANITIZE AND NOT HELMHOLTZ_FUZZ)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  set(compile_flags ${HELMHOLTZ_HARDENING_FALLBACK_COMPILE})
  set(link_flags ${HELMHOLTZ_HARDENING_FALLBACK_LINK})
  if(DPKG_BUILDFLAGS)
    helmholtz_dpkg_buildflags(CPPFLAGS cpp_flags)
    helmholtz_dpkg_buildflags(CXXFLAGS cxx_flags)
    helmholtz_dpkg_buildflags(LDFLAGS ld_flags)
    if(cxx_flags AND ld_flags)
      set(compile_flags ${cpp_flags} ${cxx_flags})
      set(link_flags ${ld_flags})
    endif()
  endif()
  add_compile_options(${compile_flags})
  add_link_options(${link_flags})
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  message(STATUS "helmholtz: hardening ${compile_flags} ${link_flags} -pie")
endif()

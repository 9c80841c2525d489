# Installation on Unix (the Windows build has WindowsPackage.cmake) and the packages
# that CPack makes from it: a .deb for Debian and its derivatives, and a
# .tar.gz of the same tree.
#
#   cpack -G DEB    ->  helmholtz_1.0.0-1_amd64.deb
#   cpack -G TGZ    ->  helmholtz-1.0.0-Linux.tar.gz
#
# Installing and packaging need the program only: they do not build the tests
# first (the README builds the helmholtz target, then installs or packs).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(HELMHOLTZ_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)
set(HELMHOLTZ_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)

include(Manual)
# The Debian changelog's first entry names the version: a release that
# forgets it stops here rather than ships it.
file(STRINGS ${HELMHOLTZ_DEBIAN_DIR}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^helmholtz \\(${PROJECT_VERSION}-([0-9]+)\\) ")
  message(FATAL_ERROR "packaging/debian/changelog begins with '${changelog_top}'; "
                      "its first entry must be for ${PROJECT_VERSION}-<revision>")
endif()
set(HELMHOLTZ_DEBIAN_REVISION ${CMAKE_MATCH_1})

# Debian wants the manual page and the changelog compressed with gzip -9n
# (no name or time stamp inside, so the package is the same on every build).
find_program(GZIP_PROGRAM gzip REQUIRED)
function(helmholtz_gzip source name)
  add_custom_command(OUTPUT ${HELMHOLTZ_PACKAGE_DIR}/${name}.gz
                     COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${HELMHOLTZ_PACKAGE_DIR}/${name}.gz
                     DEPENDS ${source})
endfunction()
helmholtz_gzip(${HELMHOLTZ_MANUAL} helmholtz.1)
helmholtz_gzip(${HELMHOLTZ_DEBIAN_DIR}/changelog changelog.Debian)
add_custom_target(helmholtz_package_files
                  DEPENDS ${HELMHOLTZ_PACKAGE_DIR}/helmholtz.1.gz ${HELMHOLTZ_PACKAGE_DIR}/changelog.Debian.gz)
# Built with the program, so that installing after building helmholtz alone finds them.
add_dependencies(helmholtz helmholtz_package_files)

install(TARGETS helmholtz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(CMAKE_OBJCOPY)
  # The compiler's version strings (.comment) are of no use in an installed
  # program, and strip keeps them.
  install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:helmholtz>\"
    COMMAND_ERROR_IS_FATAL ANY)")
endif()
install(FILES ${HELMHOLTZ_PACKAGE_DIR}/helmholtz.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The README and the guide beside what they link to, at the same relative paths,
# so that their links work in the installed tree too (Install.*LinksResolve
# checks them). copyright
# holds the licence.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${HELMHOLTZ_DEBIAN_DIR}/copyright
              ${HELMHOLTZ_PACKAGE_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/calculations.md
              ${PROJECT_SOURCE_DIR}/docs/losses.md ${PROJECT_SOURCE_DIR}/docs/absorbers.md
              ${PROJECT_SOURCE_DIR}/docs/development.md ${PROJECT_SOURCE_DIR}/docs/screen-choice1.svg
              ${PROJECT_SOURCE_DIR}/docs/sweep-frequency.svg
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "helmholtz developers")
# The project has no mailbox; lintian's objection to the address is overridden
# in packaging/debian/lintian-overrides, which says why.
set(CPACK_PACKAGE_CONTACT "helmholtz developers <helmholtz@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen terminal calculator for Helmholtz resonators")
# Debian wraps nothing: every line of the long description stays under 80 columns.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pick one of eight calculations, type three of resonant frequency, cavity
volume, wall thickness and orifice size (round diameter or any surface),
and get the fourth, a cross-check of the other three and a summary with
the equivalent round and square orifice and a Q-Factor.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB TGZ)
# The .deb installs under /usr (the DEB generator's own default); the
# .tar.gz holds the tree relative to its top folder.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${HELMHOLTZ_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from dpkg-shlibdeps (package dpkg-dev), from the libraries
# the binary really links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What only the .deb carries (the lintian overrides) is added by a script
# that the per-generator settings run for DEB alone.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackPerGenerator.cmake)
set(CPACK_HELMHOLTZ_DEB_ONLY_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/DebOnlyFiles.cmake)

include(CPack)

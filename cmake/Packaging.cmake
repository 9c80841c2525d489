# Installation on Unix (the Windows build has WindowsPackage.cmake) and the packages
# that CPack makes from it: a .deb for Debian and its derivatives, and a
# .tar.gz of the same tree.
#
#   cpack -G DEB    ->  helmholtz_1.0.0_amd64.deb
#   cpack -G TGZ    ->  helmholtz-1.0.0-Linux.tar.gz

install(TARGETS helmholtz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/helmholtz.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/calculations.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "helmholtz developers")
set(CPACK_PACKAGE_CONTACT "helmholtz developers <helmholtz@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen terminal calculator for Helmholtz resonators")
set(CPACK_PACKAGE_DESCRIPTION "Pick one of eight calculations, type three of resonant frequency,\n\
cavity volume, wall thickness and orifice size (round diameter or any surface), and get the\n\
fourth, a cross-check of the other three and a summary with a Q-Factor.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB TGZ)
# The .deb installs under /usr (the DEB generator's own default); the
# .tar.gz holds the tree relative to its top folder.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from dpkg-shlibdeps (package dpkg-dev), from the libraries
# the binary really links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)

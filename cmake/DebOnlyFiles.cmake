# Run by cpack -G DEB while it stages the package (file(INSTALL) adds $DESTDIR) under
# CPACK_PACKAGING_INSTALL_PREFIX (/usr): what belongs to the Debian package and
# to no other install.
file(INSTALL ${CMAKE_CURRENT_LIST_DIR}/../packaging/debian/lintian-overrides
     DESTINATION ${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides RENAME helmholtz)

# What the Windows build adds once its targets exist: the package (cpack -G
# ZIP gives helmholtz-<version>-win64.zip with helmholtz.exe, the licence, the
# README and the docs, each page also as HTML for a browser) and the check
# that helmholtz.exe imports system DLLs only.
#
# Packing needs the program only: it does not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS helmholtz RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs)

# Windows has no man and no Markdown viewer: the manual (mandoc) and the
# Markdown pages (cmark-gfm, for GitHub's tables) go in as web pages too,
# rendered on the build machine.
include(Manual)
find_program(MANDOC_PROGRAM mandoc)
find_program(CMARK_GFM_PROGRAM cmark-gfm)
if(MANDOC_PROGRAM AND CMARK_GFM_PROGRAM)
  set(html_dir ${PROJECT_BINARY_DIR}/package/html)
  add_custom_command(OUTPUT ${html_dir}/docs/helmholtz.1.html
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${html_dir}/docs
                     COMMAND ${MANDOC_PROGRAM} -T html ${HELMHOLTZ_MANUAL} > ${html_dir}/docs/helmholtz.1.html
                     DEPENDS ${HELMHOLTZ_MANUAL})
  set(html_pages ${html_dir}/docs/helmholtz.1.html)
  foreach(page README.md docs/guide.md docs/calculations.md docs/losses.md docs/absorbers.md docs/development.md)
    string(REGEX REPLACE "\\.md$" ".html" html_page ${page})
    add_custom_command(OUTPUT ${html_dir}/${html_page}
                       COMMAND ${CMAKE_COMMAND} -DCMARK=${CMARK_GFM_PROGRAM} -DINPUT=${PROJECT_SOURCE_DIR}/${page}
                               -DOUTPUT=${html_dir}/${html_page} "-DTITLE=helmholtz ${PROJECT_VERSION}: ${page}"
                               -P ${PROJECT_SOURCE_DIR}/cmake/MarkdownPage.cmake
                       DEPENDS ${PROJECT_SOURCE_DIR}/${page} ${PROJECT_SOURCE_DIR}/cmake/MarkdownPage.cmake VERBATIM)
    list(APPEND html_pages ${html_dir}/${html_page})
  endforeach()
  add_custom_target(helmholtz_html_pages DEPENDS ${html_pages})
  # Built with the program, so that packing after building helmholtz alone finds them.
  add_dependencies(helmholtz helmholtz_html_pages)
  install(DIRECTORY ${html_dir}/ DESTINATION .)
  set(HELMHOLTZ_ZIP_README README.md README.html docs/guide.md docs/guide.html)
else()
  message(WARNING "mandoc or cmark-gfm not found: the ZIP package will carry the manual and the README "
                  "without their web pages")
  set(HELMHOLTZ_ZIP_README README.md docs/guide.md)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME helmholtz)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME helmholtz-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The debug information stays in the build tree; the package carries the program only.
set(CPACK_STRIP_FILES ON)
include(CPack)

# The DLLs a bare Windows 10 or 11 has; anything else (libstdc++-6.dll,
# libgcc_s_seh-1.dll, libwinpthread-1.dll) would have to ship beside the
# program. Names are compared in upper case.
set(HELMHOLTZ_SYSTEM_DLLS KERNEL32.DLL MSVCRT.DLL SHELL32.DLL ADVAPI32.DLL USER32.DLL NTDLL.DLL)

if(HELMHOLTZ_TESTS)
  # The README's links, the web page's too, lead to files of the package.
  list(REMOVE_DUPLICATES HELMHOLTZ_ZIP_README)
  foreach(readme ${HELMHOLTZ_ZIP_README})
    add_test(NAME Windows.PackageReadmeLinksResolve.${readme}
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DREADME=${readme}
                     -DPREFIX=${PROJECT_BINARY_DIR}/readme-links-prefix-${readme}
                     -P ${PROJECT_SOURCE_DIR}/tests/install/readme_links_check.cmake)
  endforeach()
endif()

if(HELMHOLTZ_TESTS AND CMAKE_OBJDUMP)
  add_test(NAME Windows.ImportsSystemDllsOnly
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DBINARY=$<TARGET_FILE:helmholtz>
                   "-DALLOWED=${HELMHOLTZ_SYSTEM_DLLS}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
endif()

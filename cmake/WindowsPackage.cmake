# What the Windows build adds once its targets exist: the package (cpack -G
# ZIP gives helmholtz-<version>-win64.zip with helmholtz.exe, the README and
# the docs) and the check that helmholtz.exe imports system DLLs only.

install(TARGETS helmholtz RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs)

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
set(HELMHOLTZ_SYSTEM_DLLS KERNEL32.DLL MSVCRT.DLL ADVAPI32.DLL USER32.DLL NTDLL.DLL)

if(HELMHOLTZ_TESTS AND CMAKE_OBJDUMP)
  add_test(NAME Windows.ImportsSystemDllsOnly
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DBINARY=$<TARGET_FILE:helmholtz>
                   "-DALLOWED=${HELMHOLTZ_SYSTEM_DLLS}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
endif()

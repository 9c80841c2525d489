# Cross-build for 64-bit Windows on Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The tests run through Wine, as CTest's emulator, when Wine is installed
# (cmake/Windows.cmake makes the programs static, for Wine as for Windows);
# wine-start.sh starts a program again that Wine failed to start.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HELMHOLTZ_MINGW_PREFIX x86_64-w64-mingw32)
# The posix flavour: std::thread and friends, which GoogleTest uses, are only
# complete with the winpthreads threading model.
set(CMAKE_CXX_COMPILER ${HELMHOLTZ_MINGW_PREFIX}-g++-posix)
set(CMAKE_C_COMPILER ${HELMHOLTZ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_RC_COMPILER ${HELMHOLTZ_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${HELMHOLTZ_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${HELMHOLTZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(HELMHOLTZ_WINE NAMES wine64 wine)
if(HELMHOLTZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-start.sh;${HELMHOLTZ_WINE}")
endif()

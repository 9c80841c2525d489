# A Release build on Unix keeps the installed program small without slowing
# what the benchmarks measure. The command line's parsing (CLI11's templates
# are most of the program), the console, the screens and the charts run once per command
# or per key and are compiled for size; the calculator, numeric text and the
# sweep's row path stay at -O3. The libraries hold link-time optimisation
# objects, so whatever links them (the program, the tests, the benchmarks)
# is optimised as a whole and keeps only the sections it uses.
#
# HelmholtzReleaseSize() runs once the program and its libraries are defined.
function(HelmholtzReleaseSize)
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Release" OR WIN32 OR HELMHOLTZ_SANITIZE OR HELMHOLTZ_FUZZ
     OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  foreach(library numtext console calculator screens command_line plot sweep)
    target_compile_options(${library} PRIVATE -flto=auto -ffunction-sections -fdata-sections)
    target_link_options(${library} INTERFACE -flto=auto -Wl,--gc-sections)
  endforeach()
  target_compile_options(helmholtz PRIVATE -flto=auto)
  foreach(library command_line console screens plot sweep)
    target_compile_options(${library} PRIVATE -Os)
  endforeach()
  # The sweep writes millions of rows a second through these.
  set_source_files_properties(app/sweep_command.cpp app/output/design_writer.cpp app/output/output.cpp
                              TARGET_DIRECTORY command_line PROPERTIES COMPILE_OPTIONS -O3)
endfunction()

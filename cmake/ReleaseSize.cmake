# A Release build on Unix keeps the installed program small without slowing
# what the benchmarks measure. Each library says in its own CMakeLists.txt
# which it is for:
#   helmholtz_optimise(numtext SPEED)       # run per number or per design: -O3
#   helmholtz_optimise(command_line SIZE)   # run once per command or key: -Os
# CLI11's templates are most of the program and run once per command; the
# calculator, numeric text and the row path run millions of times a second in
# a sweep. Every library holds link-time optimisation objects, so whatever
# links them (the program, the tests, the benchmarks) is optimised as a whole
# and keeps only the sections it uses.
function(helmholtz_optimise target goal)
  if(NOT goal MATCHES "^(SPEED|SIZE)$")
    message(FATAL_ERROR "helmholtz_optimise(${target} ${goal}): the goal is SPEED or SIZE")
  endif()
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Release" OR WIN32 OR HELMHOLTZ_SANITIZE OR HELMHOLTZ_FUZZ
     OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_compile_options(${target} PRIVATE -flto=auto)
  else()
    target_compile_options(${target} PRIVATE -flto=auto -ffunction-sections -fdata-sections)
    target_link_options(${target} INTERFACE -flto=auto -Wl,--gc-sections)
  endif()
  # A Release build is -O3 already; a later -Os on the line takes its place.
  if(goal STREQUAL "SIZE")
    target_compile_options(${target} PRIVATE -Os)
  endif()
endfunction()

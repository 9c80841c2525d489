# The calculator works in the x87 80-bit extended format (64-bit significand)
# through long double; its results, bit for bit, depend on it. A toolchain
# whose long double is anything else (MSVC's is the 64-bit double, AArch64's
# the 128-bit quad) is refused here instead of building a program that
# computes other numbers.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([=[
#include <cfloat>
static_assert(LDBL_MANT_DIG == 64, "");
int main() { return 0; }
]=] HELMHOLTZ_LONG_DOUBLE_IS_X87_EXTENDED)
if(NOT HELMHOLTZ_LONG_DOUBLE_IS_X87_EXTENDED)
  message(FATAL_ERROR
    "helmholtz needs a compiler whose long double is the 80-bit x87 extended format "
    "(64-bit significand), such as GCC or Clang on x86 or x86-64 (MinGW-w64 on Windows). "
    "${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION} for ${CMAKE_SYSTEM_PROCESSOR} does not have it.")
endif()

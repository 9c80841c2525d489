// The floating-point mode of the process frame, the same on every platform.
// Windows starts a process with 53-bit x87 precision and Linux with 64-bit;
// neither is trusted, the control word is loaded explicitly on both.
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <string>

#include <xmmintrin.h>

#include "console/process.h"

// The working precision is the x87 extended format; a toolchain whose long
// double is anything else would compute other numbers (the build refuses it
// at configure time already).
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit x87 extended format");

#if !defined(__x86_64__) && !defined(__i386__)
#error "the floating-point mode is written for the x87 and SSE units of x86 processors"
#endif

namespace console {

void ReportStartUpFailure(std::string_view why) {
  const std::string line = "helmholtz: " + std::string(why) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}
namespace {

// x87: all six exceptions masked (bits 0-5), 64-bit significand (precision
// control 11, bits 8-9), round to nearest even (rounding control 00).
constexpr std::uint16_t kX87ControlWord = 0x037F;
// SSE: all six exceptions masked (bits 7-12), round to nearest, no
// flush-to-zero or denormals-are-zero.
constexpr unsigned kSseControlStatus = 0x1F80;

// fldcw is what both glibc's _FPU_SETCW and the Windows runtime's _control87
// come down to; written once here, it is the same on both platforms.
void LoadX87ControlWord(std::uint16_t controlWord) { asm volatile("fldcw %0" : : "m"(controlWord)); }

}  // namespace

void SetFloatingPointMode() {
  LoadX87ControlWord(kX87ControlWord);
  _mm_setcsr(kSseControlStatus);
}

}  // namespace console

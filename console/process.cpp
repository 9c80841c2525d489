// The floating-point mode of the process frame, the same on every platform.
#include <cfenv>

#include "console/process.h"

#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#include <xmmintrin.h>
#endif

namespace console {
namespace {

#if defined(__x86_64__) || defined(__i386__)
// x87: all six exceptions masked (bits 0-5), 64-bit significand (precision
// control 11, bits 8-9), round to nearest even (rounding control 00).
constexpr fpu_control_t kX87ControlWord = 0x037F;
// SSE: all six exceptions masked (bits 7-12), round to nearest, no
// flush-to-zero or denormals-are-zero.
constexpr unsigned kSseControlStatus = 0x1F80;
#endif

}  // namespace

void SetFloatingPointMode() {
#if defined(__x86_64__) || defined(__i386__)
  fpu_control_t controlWord = kX87ControlWord;
  _FPU_SETCW(controlWord);
  _mm_setcsr(kSseControlStatus);
#else
  std::fesetround(FE_TONEAREST);
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

}  // namespace console

// The floating-point mode the process frame sets, checked by its effects
// after the mode was deliberately spoiled. The x87 and SSE control words are
// read and spoiled directly, the same way on Linux and Windows.
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include "console/process.h"

namespace console {
namespace {

std::uint16_t X87ControlWord() {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void SpoilX87ControlWord(std::uint16_t word) {
  // Flags left from earlier arithmetic would trap at once once unmasked.
  asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
}

// The mode as it was, put back after each test: the test program shares it.
class FloatingPointMode : public ::testing::Test {
 protected:
  void SetUp() override {
    std::fegetenv(&saved_);
    savedControlWord_ = X87ControlWord();
    savedCsr_ = _mm_getcsr();
  }
  void TearDown() override {
    std::fesetenv(&saved_);
    SpoilX87ControlWord(savedControlWord_);
    _mm_setcsr(savedCsr_);
  }
  std::fenv_t saved_{};
  std::uint16_t savedControlWord_ = 0;
  unsigned savedCsr_ = 0;
};

TEST_F(FloatingPointMode, RoundsToNearestWhateverItWasBefore) {
  for (const int spoiled : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(spoiled);
    SetFloatingPointMode();
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    // Ties go to even: 1 + 2^-53 lies halfway between 1 and the next double.
    volatile double one = 1.0;
    volatile double half = 0x1p-53;
    EXPECT_EQ(one + half, 1.0);
    volatile long double longOne = 1.0L;
    volatile long double longHalf = 0x1p-64L;
    EXPECT_EQ(longOne + longHalf, 1.0L);
  }
}

TEST_F(FloatingPointMode, NothingTraps) {
  // Division by zero, invalid and overflow unmasked on both units.
  SpoilX87ControlWord(0x0372);
  _mm_setcsr(0x1F80 & ~0x0680u);
  SetFloatingPointMode();
  EXPECT_EQ(X87ControlWord() & 0x3F, 0x3F);
  EXPECT_EQ(_mm_getcsr() & 0x1F80u, 0x1F80u);
  volatile double zero = 0.0;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_TRUE(std::isnan(zero / zero));
  volatile long double big = LDBL_MAX;
  EXPECT_TRUE(std::isinf(big * 2));
  volatile long double longZero = 0.0L;
  EXPECT_TRUE(std::isinf(1.0L / longZero));
}

TEST_F(FloatingPointMode, X87CarriesSixtyFourBitsAndSseMasksAll) {
  SpoilX87ControlWord(0x027F);  // 53-bit precision, as Windows starts a process
  SetFloatingPointMode();
  EXPECT_EQ(X87ControlWord() & 0x0F3F, 0x033F);
  // 1 + 2^-63 is representable only with a 64-bit significand.
  volatile long double one = 1.0L;
  volatile long double tiny = 0x1p-63L;
  EXPECT_NE(one + tiny, 1.0L);
  // MXCSR: all six exception masks, round to nearest, no flush to zero.
  EXPECT_EQ(_mm_getcsr() & 0xFFC0u, 0x1F80u);
}

}  // namespace
}  // namespace console

// The floating-point mode the process frame sets, checked by its effects
// after the mode was deliberately spoiled.
#include <cfenv>
#include <cfloat>
#include <cmath>

#include <gtest/gtest.h>

#include "console/process.h"

#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#include <xmmintrin.h>
#endif

namespace console {
namespace {

// The mode as it was, put back after each test: the test program shares it.
class FloatingPointMode : public ::testing::Test {
 protected:
  void SetUp() override { std::fegetenv(&saved_); }
  void TearDown() override { std::fesetenv(&saved_); }
  std::fenv_t saved_{};
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
  }
}

TEST_F(FloatingPointMode, NothingTraps) {
  feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  SetFloatingPointMode();
  EXPECT_EQ(fegetexcept(), 0);
  volatile double zero = 0.0;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_TRUE(std::isnan(zero / zero));
  volatile long double big = LDBL_MAX;
  EXPECT_TRUE(std::isinf(big * 2));
}

#if defined(__x86_64__) || defined(__i386__)
TEST_F(FloatingPointMode, X87CarriesSixtyFourBitsAndSseMasksAll) {
  fpu_control_t spoiled = 0x027F;  // 53-bit precision, as some systems load it
  _FPU_SETCW(spoiled);
  SetFloatingPointMode();
  fpu_control_t word = 0;
  _FPU_GETCW(word);
  EXPECT_EQ(word & 0x0F3F, 0x033F);
  // 1 + 2^-63 is representable only with a 64-bit significand.
  volatile long double one = 1.0L;
  volatile long double tiny = 0x1p-63L;
  EXPECT_NE(one + tiny, 1.0L);
  // MXCSR: all six exception masks, round to nearest, no flush to zero.
  EXPECT_EQ(_mm_getcsr() & 0xFFC0u, 0x1F80u);
}
#endif

}  // namespace
}  // namespace console

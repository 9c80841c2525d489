// The power-of-ten table shared by the digit generator and the text reader.
//
// Both directions must agree bit for bit on every power, so there is exactly
// one way to form 10^m: the exact 10^(m mod 8) times the extended constants
// 10^(8*2^i) for the set bits of m div 8, lowest bit first, each product
// rounded to extended precision.

#include <cmath>
#include <limits>

#include "numtext/digits.h"

namespace numtext {
namespace {

// 10^0 .. 10^7: small enough to be exact in any binary format.
constexpr long double kExactPowers[8] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L, 100000.0L, 1000000.0L, 10000000.0L};
constexpr int kExactPowerCount = 8;

// 10^(8*2^i), i = 0..9, each the extended value nearest to the exact power.
// Derived offline with exact integers: for p = 10^e and b = bitlength(p) - 1,
// the 64-bit significand is p / 2^(b-63) rounded to nearest, ties to even, and
// the literal is that significand in hex times 2^(b-63). Cross-checked against
// glibc's correctly rounded strtold, and the unit tests check each constant
// against 10^e built from exact integers by a different route.
constexpr long double kBinaryPowers[10] = {
    0x0000000005F5E100p+0L,      // 10^8 (exact)
    0x002386F26FC10000p+0L,      // 10^16 (exact)
    0x9DC5ADA82B70B59Ep+43L,     // 10^32
    0xC2781F49FFCFA6D5p+149L,    // 10^64
    0x93BA47C980E98CE0p+362L,    // 10^128
    0xAA7EEBFB9DF9DE8Ep+787L,    // 10^256
    0xE319A0AEA60E91C7p+1637L,   // 10^512
    0xC976758681750C17p+3338L,   // 10^1024
    0x9E8B3B5DC53D5DE5p+6740L,   // 10^2048
    0xC46052028A20979Bp+13543L,  // 10^4096
};
constexpr int kLargestTablePower = 4096;
constexpr long double kTenTo4096 = kBinaryPowers[9];

// Twice the largest table power already overflows extended (max ~1.19E+4932),
// so larger exponents need not walk the chain any further.
constexpr int kPowerCap = 2 * kLargestTablePower;

constexpr long double PowerOfTenByChain(int m) {
  long double power = 1.0L;
  if (m > kLargestTablePower) {
    power = kTenTo4096;
    m -= kLargestTablePower;
  }
  power *= kExactPowers[m % kExactPowerCount];
  int bits = m / kExactPowerCount;
  for (int i = 0; bits != 0; ++i, bits >>= 1) {
    if (bits & 1) power *= kBinaryPowers[i];
  }
  return power;
}

// The powers met by single and double precision values and by ordinary typed
// texts, computed once at compile time through the same chain so that the
// common case is one load. The compiler rounds each constant product to the
// extended format exactly as the FPU does; a unit test holds both routes equal.
constexpr int kDirectPowerCount = 400;
struct DirectPowers {
  long double value[kDirectPowerCount];
};
constexpr DirectPowers MakeDirectPowers() {
  DirectPowers table{};
  for (int m = 0; m < kDirectPowerCount; ++m) table.value[m] = PowerOfTenByChain(m);
  return table;
}
constexpr DirectPowers kDirectPowers = MakeDirectPowers();

}  // namespace

long double PowerOfTen(int m) {
  if (m >= 0 && m < kDirectPowerCount) return kDirectPowers.value[m];
  if (m < 0) return 1.0L;  // outside the contract; kept harmless
  if (m > kPowerCap) return std::numeric_limits<long double>::infinity();
  return PowerOfTenByChain(m);
}

// Where 10^|m| itself overflows (|m| from about 4933 on), the value scaled
// would still be representable: tiny extended values reach the digit
// generator with m up to 4949, and long typed mantissas reach the reader with
// m down to -4950. Those cases take 10^4096 as a separate first step instead
// of multiplying or dividing by infinity.
long double ScaleByPowerOfTen(long double a, int m) {
  if (m >= 0) {
    const long double power = PowerOfTen(m);
    if (std::isinf(power) && m <= kPowerCap) {
      return a * kTenTo4096 * PowerOfTen(m - kLargestTablePower);
    }
    return a * power;
  }
  const int magnitude = m < -kPowerCap ? kPowerCap + 1 : -m;
  const long double power = PowerOfTen(magnitude);
  if (std::isinf(power) && magnitude <= kPowerCap) {
    return a / kTenTo4096 / PowerOfTen(magnitude - kLargestTablePower);
  }
  return a / power;
}

}  // namespace numtext

// Free-form number text.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "numtext/numeric_text_support.h"
#include "tests/support/row_names.h"
#include "numtext/numtext.h"

namespace {

using numtext::NumberToText;

struct TextRow {
  const char* name;
  float value;  // the calculator passes single-precision values
  const char* text;
};

class SingleTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(SingleTextTest, SevenDigitText) {
  const TextRow& row = GetParam();
  EXPECT_EQ("|" + NumberToText(row.value, 7) + "|", "|" + std::string(row.text) + "|");
}

using testrows::RowName;

// Failures name the row instead of dumping its bytes.
void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }

constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(SpecialValues, SingleTextTest,
                         testing::Values(TextRow{"Zero", 0.0f, " 0 "}, TextRow{"NegativeZero", -0.0f, " 0 "},
                                         TextRow{"Infinity", kInfinity, " 9.999999E+998 "},
                                         TextRow{"NegativeInfinity", -kInfinity, "-9.999999E+998 "},
                                         TextRow{"NaN", std::numeric_limits<float>::quiet_NaN(), " 0 "}),
                         RowName);

INSTANTIATE_TEST_SUITE_P(PlainIntegers, SingleTextTest,
                         testing::Values(TextRow{"FourForty", 440.0f, " 440 "},
                                         TextRow{"SoundSpeed", 34000.0f, " 34000 "},
                                         TextRow{"RoundedToSevenDigits", 1234567.875f, " 1234568 "},
                                         TextRow{"LargestWholeNumber", 9999999.0f, " 9999999 "},
                                         TextRow{"NegativeWholeNumber", -123.0f, "-123 "}),
                         RowName);

INSTANTIATE_TEST_SUITE_P(
    FixedPoint, SingleTextTest,
    testing::Values(TextRow{"StoredWithNoise", 1234.56f, " 1234.56 "}, TextRow{"TwelveAndAHalf", 12.5f, " 12.5 "},
                    TextRow{"NoZeroBeforePoint", 0.5f, " .5 "}, TextRow{"LeadingZeroAfterPoint", 0.04f, " .04 "},
                    TextRow{"Negative", -3.2f, "-3.2 "}, TextRow{"SevenDigitsWithFraction", 123456.7f, " 123456.7 "},
                    TextRow{"OneThird", 1.0f / 3.0f, " .3333333 "}, TextRow{"TwoThirds", 2.0f / 3.0f, " .6666667 "},
                    TextRow{"CarryPastFirstDigit", 0.00001f, " .00001 "},
                    TextRow{"SevenPlacesAfterPoint", 0.0000001f, " .0000001 "},
                    TextRow{"ShortFractionAfterZeros", 0.0001234f, " .0001234 "}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    ExponentForm, SingleTextTest,
    testing::Values(TextRow{"TenMillion", 10000000.0f, " 1E+7 "}, TextRow{"EightDigits", 12345678.0f, " 1.234568E+7 "},
                    TextRow{"EightPlacesAfterPoint", 0.00000012f, " 1.2E-7 "},
                    TextRow{"TooManyPlacesAfterPoint", 0.000123456789f, " 1.234568E-4 "},
                    TextRow{"TwoExponentDigits", 1.5E-10f, " 1.5E-10 "},
                    TextRow{"NegativeSingleDigit", -1E-20f, "-1E-20 "},
                    TextRow{"LargestSingle", std::numeric_limits<float>::max(), " 3.402823E+38 "},
                    TextRow{"SmallestSingle", std::numeric_limits<float>::denorm_min(), " 1.401298E-45 "}),
    RowName);

INSTANTIATE_TEST_SUITE_P(RoundingTies, SingleTextTest,
                         testing::Values(TextRow{"EighthDigitFiveSeventhEven", 1234.5625f, " 1234.562 "},
                                         // 913.77105712890625: the 5 alone decides, the digits after it do not.
                                         TextRow{"LaterDigitsIgnored", 913.77105712890625f, " 913.771 "},
                                         TextRow{"EighthDigitFiveSeventhOdd", 16777215.0f, " 1.677722E+7 "}),
                         RowName);

struct CountRow {
  long double value;
  int digits;
  const char* text;
};

TEST(NumberToTextTest, OtherDigitCounts) {
  const CountRow rows[] = {
      {static_cast<long double>(-3.2f), 15, "-3.20000004768372 "},
      {440.0L, 15, " 440 "},
      {0.5L, 15, " .5 "},
      {1e15L, 15, " 1E+15 "},
      {999999999999999.0L, 15, " 999999999999999 "},
      {0.1L, 18, " .1 "},
      {1.0L / 3.0L, 18, " .333333333333333333 "},
      {-123456789012345678.0L, 18, "-123456789012345678 "},
      {std::numeric_limits<long double>::max(), 7, " 1.189731E+4932 "},
      {std::numeric_limits<long double>::min(), 7, " 3.362103E-4932 "},
      {std::numeric_limits<long double>::denorm_min(), 7, " 0 "},
      {95.0L, 1, " 1E+2 "},
      {0.25L, 1, " .2 "},
  };
  for (const CountRow& row : rows) {
    EXPECT_EQ(NumberToText(row.value, row.digits), row.text) << static_cast<double>(row.value) << ", " << row.digits;
  }
}

// An independent model of the seven-digit text: exact digits from the C
// library, the eighth digit alone rounding, then the layout decided on the
// plain positional form of the rounded number.
std::string ReferenceSevenDigitText(float value) {
  constexpr int kDigits = 7;
  const std::string sign = std::signbit(value) ? "-" : " ";
  if (std::isinf(value)) return sign + "9.999999E+998 ";
  if (value == 0.0f || std::isnan(value)) return " 0 ";

  // Every single has a finite decimal expansion; 60 digits hold it to well
  // past anything that could carry into the eighth digit.
  const auto library = numtext_test::LibraryDecimalDigits(std::fabs(value), 60);
  std::string digits = library.digits.substr(0, kDigits);
  int exponent = library.exponent;  // of the first digit
  const char decider = library.digits[kDigits];
  if (decider > '5' || (decider == '5' && (digits.back() - '0') % 2 == 1)) {
    int i = kDigits - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      digits = "1" + digits.substr(0, kDigits - 1);
      ++exponent;
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();

  // Positional form: integer part and fraction part as written out in full.
  std::string integerPart;
  std::string fractionPart;
  const int length = static_cast<int>(digits.size());
  if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) integerPart += i < length ? digits[static_cast<std::size_t>(i)] : '0';
    if (length > exponent + 1) fractionPart = digits.substr(static_cast<std::size_t>(exponent + 1));
  } else {
    fractionPart = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  if (fractionPart.empty() && integerPart.size() <= kDigits) return sign + integerPart + " ";
  if (!fractionPart.empty() && fractionPart.size() <= kDigits) return sign + integerPart + "." + fractionPart + " ";
  std::string text = sign + digits.substr(0, 1);
  if (length > 1) text += "." + digits.substr(1);
  text += exponent >= 0 ? "E+" : "E-";
  return text + std::to_string(std::abs(exponent)) + " ";
}

TEST(NumberToTextTest, ReferenceModelAgreesWithTheDocumentedRows) {
  EXPECT_EQ(ReferenceSevenDigitText(913.77105712890625f), " 913.771 ");
  EXPECT_EQ(ReferenceSevenDigitText(0.00001f), " .00001 ");
  EXPECT_EQ(ReferenceSevenDigitText(16777215.0f), " 1.677722E+7 ");
  EXPECT_EQ(ReferenceSevenDigitText(-1E-20f), "-1E-20 ");
  EXPECT_EQ(ReferenceSevenDigitText(34000.0f), " 34000 ");
}

TEST(NumberToTextTest, RandomSinglesAgreeWithTheLibraryReference) {
  std::mt19937 random(7);
  constexpr int kSamples = 200000;
  int mismatches = 0;
  for (int i = 0; i < kSamples; ++i) {
    const float value = numtext_test::FloatFromBits(static_cast<std::uint32_t>(random()));
    const std::string expected = ReferenceSevenDigitText(value);
    const std::string actual = NumberToText(value, 7);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << std::hexfloat << value << ": " << actual << "| expected " << expected << "|";
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(NumberToTextTest, RandomResonatorMagnitudesAgreeWithTheLibraryReference) {
  // Ordinary results (1E-3 .. 1E5) hit the whole, fixed and exponent forms
  // and their boundaries far more often than random bit patterns do.
  std::mt19937 random(11);
  std::uniform_real_distribution<double> exponent(-3.5, 7.5);
  constexpr int kSamples = 100000;
  int mismatches = 0;
  for (int i = 0; i < kSamples; ++i) {
    float value = static_cast<float>(std::pow(10.0, exponent(random)));
    if (i % 3 == 0) value = std::round(value);
    if (i % 2 == 0) value = -value;
    const std::string expected = ReferenceSevenDigitText(value);
    const std::string actual = NumberToText(value, 7);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << std::hexfloat << value << ": " << actual << "| expected " << expected << "|";
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(NumberToTextTest, SingleTextsFitFourteenCharacters) {
  std::mt19937 random(3);
  for (int i = 0; i < 50000; ++i) {
    const float value = numtext_test::FloatFromBits(static_cast<std::uint32_t>(random()));
    ASSERT_LE(NumberToText(value, 7).size(), 14u) << value;
  }
}

}  // namespace

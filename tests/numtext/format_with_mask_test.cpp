// Print masks: table rows grouped by behaviour, then differential runs
// against the C library's exact decimal expansion.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "numtext/mask_parse.h"
#include "numtext/mask_reference_support.h"
#include "numtext/numtext.h"

namespace {

using numtext::FormatWithMask;

// The calculator passes single-precision values, so the rows do too.
struct MaskRow {
  std::string_view mask;
  float value;
  std::string_view text;
};

void ExpectRows(std::initializer_list<MaskRow> rows) {
  for (const MaskRow& row : rows) {
    EXPECT_EQ("'" + FormatWithMask(row.value, row.mask) + "'", "'" + std::string(row.text) + "'")
        << "mask \"" << row.mask << "\", value " << row.value;
  }
}

// Rows whose values are not single precision (extended extremes, non-finite).
struct ExtendedRow {
  std::string_view mask;
  long double value;
  std::string_view text;
};

void ExpectExtendedRows(std::initializer_list<ExtendedRow> rows) {
  for (const ExtendedRow& row : rows) {
    EXPECT_EQ("'" + FormatWithMask(row.value, row.mask) + "'", "'" + std::string(row.text) + "'")
        << "mask \"" << row.mask << "\", value " << static_cast<double>(row.value);
  }
}

// ---------------------------------------------------------------------------
// The summary panel's masks: "#####" and "####" show whole numbers,
// "#####.#", "###.#" and "##.#" one decimal; none pads or cuts.

struct ProgramRow {
  float value;
  std::string_view whole;   // "#####" and "####"
  std::string_view tenths;  // "#####.#", "###.#" and "##.#"
};

TEST(FormatWithMaskProgramMasks, SummaryPanelValues) {
  const ProgramRow rows[] = {
      {440.0f, "440", "440."},
      {1234.56f, "1235", "1234.6"},
      {0.04f, "0", "0."},
      {-3.2f, "-3", "-3.2"},
      {123456.0f, "123456", "123456."},
      {0.0f, "0", "0."},
      {0.5f, "0", "0.5"},  // a tie with no integer digit keeps
      {1.5f, "2", "1.5"},
      {2.5f, "2", "2.5"},
      {12.25f, "12", "12.2"},  // tie, even
      {12.35f, "12", "12.4"},  // stored as 12.3500004
      {0.05f, "0", "0.1"},     // stored as 0.0500000007
      {0.25f, "0", "0.2"},     // tie, even
      {9.96f, "10", "10."},
      {99999.96f, "100000", "100000."},
      {-0.04f, "0", "-0."},
      {-0.5f, "0", "-0.5"},
      {-123456.7f, "-123457", "-123456.7"},
      {1E10f, "10000000000", "10000000000."},
  };
  for (const ProgramRow& row : rows) {
    for (std::string_view mask : {"#####", "####"}) {
      EXPECT_EQ(FormatWithMask(row.value, mask), row.whole) << "mask " << mask << ", value " << row.value;
    }
    for (std::string_view mask : {"#####.#", "###.#", "##.#"}) {
      EXPECT_EQ(FormatWithMask(row.value, mask), row.tenths) << "mask " << mask << ", value " << row.value;
    }
  }
}

TEST(FormatWithMaskProgramMasks, LargestSingleShowsEighteenDigitsThenZeros) {
  ExpectRows({
      {"#####", 3.4E+38f, "339999995214436425000000000000000000000"},
      {"#####", -3.4E+38f, "-339999995214436425000000000000000000000"},
      {"#####.#", 3.4E+38f, "339999995214436425000000000000000000000."},
  });
}

// ---------------------------------------------------------------------------
// Rounding: to nearest, ties to even, judged on every digit of the expansion.

TEST(FormatWithMaskRounding, TiesGoToEvenAndNearTiesGoUp) {
  ExpectRows({
      {"##.##", 0.125f, "0.12"},
      {"##.##", 0.375f, "0.38"},
      {"0.00", 0.025f, "0.03"},  // stored as 0.0250000004: not a tie
      {"#", 0.5f, "0"},
      {"#", 1.5f, "2"},
      {"#", 3.5f, "4"},
      {"#", 4.5f, "4"},
      {"#.#", 0.75f, "0.8"},
      {"#.#", 0.45f, "0.4"},        // stored as 0.449999988: below the tie
      {"#.##", 1.005f, "1."},       // stored as 1.00499999: rounds down to 1.00
      {"#.###", 2.0625f, "2.062"},  // tie, even
      {"#.###", 2.1875f, "2.188"},  // tie, odd
      {"#.###", 2.0635f, "2.063"},  // stored as 2.06349993: below the tie
      {"#.###", 2.0645f, "2.065"},  // stored as 2.06450009: above the tie
      {"#.##", 4.445f, "4.45"},     // stored as 4.44500017
  });
}

TEST(FormatWithMaskRounding, CarryRunsThroughNinesIntoNewDigit) {
  ExpectRows({
      {"#", 0.96f, "1"},
      {"#.#", 0.96f, "1."},
      {"#.#", 0.096f, "0.1"},
      {"#.##", 9.999f, "10."},
      {"0.00", 99.999f, "100.00"},
      {"#,###", 999999.6f, "1,000,000"},
      {"#.#", -9.96f, "-10."},
  });
}

TEST(FormatWithMaskRounding, NegativeValuesRoundingToZero) {
  ExpectRows({
      // The single digit '0' drops the minus; fraction digits keep it.
      {"#####", -0.04f, "0"},
      {"#####", -0.5f, "0"},
      {"#####.#", -0.04f, "-0."},
      {"#.##", -0.001f, "-0."},
      {"0.00", -0.001f, "-0.00"},
      {"#", -0.6f, "-1"},
      {"0", -0.4f, "0"},
      {"00", -0.4f, "00"},  // padding is not part of the digit string "0"
      {"0.0", -0.04f, "-0.0"},
  });
}

// ---------------------------------------------------------------------------
// '0' positions: zero padding on the left, zeros kept in the fraction.

TEST(FormatWithMaskZeroPositions, PaddingAndFractionZeros) {
  ExpectRows({
      {"0", 0.4f, "0"},
      {"000", 5.0f, "005"},
      {"000", -5.0f, "-005"},
      {"#00", 5.0f, "05"},
      {"0#0", 5.0f, "005"},
      {"##0", 5.0f, "5"},
      {"##0", -5.0f, "-5"},
      {"#0#", -5.0f, "-05"},
      {"00.00", 1.5f, "01.50"},
      {"00.00", -0.5f, "-00.50"},
      {"#.##", 1.5f, "1.5"},
      {"#.##", 1.0f, "1."},
      {"#.0#", 1.0f, "1.0"},
      {"#.#0", 1.5f, "1.50"},
      {"#.0#", 1.05f, "1.05"},  // stored as 1.04999995: rounds up to .05
      {"#.#0#", 1.1f, "1.10"},
      {"000", 12345.0f, "12345"},  // never cut
  });
}

// ---------------------------------------------------------------------------
// Grouping: a ',' after a digit position groups the integer digits by three.

TEST(FormatWithMaskGrouping, CommasEveryThreeIntegerDigits) {
  ExpectRows({
      {"#,###", 1234567.0f, "1,234,567"},
      {"#,###", -1234567.0f, "-1,234,567"},
      {"##,##", 1234567.0f, "1,234,567"},
      {"0,000", 5.0f, "0,005"},
      {"0,000", -5.0f, "-0,005"},
      {",###", 1234.0f, ",1234"},  // not after a digit position: a literal
      {"#,##0.00", 1234567.875f, "1,234,567.88"},
      {"#,###", 123.0f, "123"},
      {"#,###", 123456.0f, "123,456"},
      {"#,###", 1E10f, "10,000,000,000"},
      {"0,000,000", 5.0f, "0,000,005"},
      {"#.#,#", 1234.5f, "1,234.5"},  // the ',' may stand anywhere
      {"#,,###", 1234.0f, "1,,234"},  // the second ',' follows no digit position
  });
}

// ---------------------------------------------------------------------------
// Percent: after a digit position, '%' shows the value times 100.

TEST(FormatWithMaskPercent, ScalesByHundred) {
  ExpectRows({
      {"0%", 0.5f, "50%"},
      {"#.##%", 0.12345f, "12.35%"},
      {"%##", 5.0f, "5"},  // before any digit position: dropped
      {"#%", 0.0f, "0%"},
      {"#%", -0.25f, "-25%"},
      {"0.0%", 0.0005f, "0.1%"},  // 0.05% rounds up: 0.0005 is stored above it
  });
}

// ---------------------------------------------------------------------------
// Fill: "*c" makes two fill positions and turns every later '#' into one.

TEST(FormatWithMaskFill, FillCharacterTakesFreePositions) {
  ExpectRows({
      {"*x###", 5.0f, "xxxx5"},
      {"*x###", -5.0f, "xxx-5"},
      {"*x###", 12345.0f, "12345"},
      {"*x###", 1234567.0f, "1234567"},
      {"**###", 5.0f, "****5"},
      {"*###", 5.0f, "###5"},
      {"*x0#", 5.0f, "xx05"},
      {"*x#0", 5.0f, "xxx5"},    // the padding reaches only the leftmost '0'
      {"#*", 5.0f, "5*"},        // '*' at the end is a literal
      {"#.#*x", 1.5f, "1.5xx"},  // trailing fraction zeros show the fill
      {"*x#.##", 1.25f, "xx1.25"},
  });
}

// ---------------------------------------------------------------------------
// Literals, quotes, escapes and dropped characters.

TEST(FormatWithMaskLiterals, QuotesEscapesAndDroppedCharacters) {
  ExpectRows({
      {"\"abc\"###", 5.0f, "abc5"},
      {"\\A###", 5.0f, "A5"},
      {"(###)", -5.0f, "(-5)"},
      {"+###", -5.0f, "+-5"},
      {"-###", 5.0f, "-5"},
      {"Hz ###", 5.0f, " 5"},
      {"$#,##0.00", 1234.5f, "$1,234.50"},
      {"#.#.#", 1.25f, "1.2.5"},
      {".#", 0.5f, ".5"},
      {".#", 5.5f, ".5"},        // no integer position: no integer digits
      {"#\"abc", 5.0f, "5abc"},  // an unclosed quote runs to the end
      {"#\\", 5.0f, "5"},        // a '\' at the end is dropped
      {"#\\#", 5.0f, "5#"},
      {"#\"#0.,%E+\"", 5.0f, "5#0.,%E+"},
      {"#/:ab", 5.0f, "5"},
      {"#123456789", 5.0f, "5"},  // digits other than '0' mean nothing
      {"# \"Hz\"", 440.0f, "440 Hz"},
  });
}

TEST(FormatWithMaskLiterals, MinusOfMaskWithoutIntegerPositions) {
  // Integer digits have nowhere to go, but the sign is still shown, leading.
  ExpectRows({
      {".#", -0.5f, "-.5"},
      {".##", -5.25f, "-.25"},
      {"\"x\"", -5.0f, "-x"},
      {"\"x\"", 5.0f, "x"},
  });
}

// ---------------------------------------------------------------------------
// Exponent fields.

TEST(FormatWithMaskExponent, SignedAndMinusOnlyFields) {
  ExpectRows({
      {"0.00E+00", 12345.0f, "1.23E+04"},
      {"0.00E+00", 0.00012345f, "1.23E-04"},
      {"0.00E+00", -12345.0f, "-1.23E+04"},
      {"0.00E+00", 9.999f, "1.00E+01"},
      {"0.00E+00", 0.0f, "0.00E+00"},
      {"##E+##", 0.0f, "00E-1"},
      {"0.00E-00", 12345.0f, "1.23E04"},
      {"0.00E-00", 0.00012345f, "1.23E-04"},
      {"##E+##", 12345.0f, "12E+3"},
      {"0E+0", 5E-12f, "5E-12"},
      {"0.0e-0", 12345.0f, "1.2e4"},
      {"0.##E+00", 1.0f, "1.E+00"},
      {"0E+#", 5.0f, "5E+0"},
      {"0E-#", 5.0f, "5E0"},
      {"0E+000", 5E20f, "5E+020"},
      {"#,##0.0E+0", 12345678.0f, "1,234.6E+4"},
      {".00E+0", 12345.0f, ".12E+5"},
      {"0.0E+0%", 0.5f, "5.0E+1%"},
      {"0E+0\" Hz\"", 5.0f, "5E+0 Hz"},
      {"0.0E+0", 0.25f, "2.5E-1"},
      {"0E+0", 2.5f, "2E+0"},  // tie, even
      {"0E+0", 3.5f, "4E+0"},
  });
}

TEST(FormatWithMaskExponent, LettersThatStartNoField) {
  ExpectRows({
      {"E+00", 5.0f, "+05"},  // no digit position before: dropped
      {"#E", 5.0f, "5E"},     // no sign after: a literal
      {"#e", 5.0f, "5e"},
      {"0E+", 5.0f, "5E"},      // a field without positions is no field
      {"0E0", 5.0f, "0E5"},     // a literal letter between integer positions
      {"0E+0E", 5.0f, "5E+0"},  // a letter inside the field is dropped
  });
}

// ---------------------------------------------------------------------------
// Sections: positive; negative (shown as magnitude); zero.

TEST(FormatWithMaskSections, ChoiceBySign) {
  ExpectRows({
      {"#;(#)", 5.0f, "5"},
      {"#;(#)", -5.0f, "(5)"},
      {"#;(#)", 0.0f, "0"},
      {"#;(#);\"zero\"", 0.0f, "zero"},
      {"#;(#);\"zero\"", -0.0f, "zero"},
      {"#;(#);\"zero\"", -5.0f, "(5)"},
      {"#;;\"zero\"", -5.0f, "-5"},  // empty negative section: the first, signed
      {"#;(#);", 0.0f, "0"},         // empty zero section: the first
      {"#;(#);\"zero\";(#)", 0.0f, "zero"},
      {"#;(#);0.0;\"never\"", -5.0f, "(5)"},
      {"\";\"#", 5.0f, ";5"},    // quoted ';' splits nothing
      {"\\;#", 5.0f, ";5"},      // escaped ';' splits nothing
      {"\"\\\";#", 5.0f, "\\"},  // a backslash inside quotes escapes nothing
      {"\"\\\";#", -5.0f, "5"},
      {";;\"z\"", 0.0f, "z"},
      {"#;-0.0", -0.04f, "-0.0"},
      {"#.#;#", -0.04f, "0"},  // the magnitude rounds to the single '0'
  });
}

TEST(FormatWithMaskSections, EmptySectionFallsBackOnFreeFormText) {
  ExpectRows({
      {"", 440.0f, "440"},
      {"", 0.5f, ".5"},
      {"", -3.2f, "-3.20000004768372"},
      {"", 0.0f, "0"},
      {";#", 5.0f, "5"},
      {";#", -5.0f, "5"},
      {";\"neg\"", 2.5f, "2.5"},
  });
}

// ---------------------------------------------------------------------------
// Special values: infinities as 999 digits, NaN like zero, extremes.

std::string InfinityDigits() { return std::string(19, '9') + std::string(980, '0'); }

TEST(FormatWithMaskSpecialValues, InfinityShowsNineHundredNinetyNineDigits) {
  constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(FormatWithMask(kInfinity, "#####"), InfinityDigits());
  EXPECT_EQ(FormatWithMask(-kInfinity, "#####"), "-" + InfinityDigits());
  EXPECT_EQ(FormatWithMask(kInfinity, "#####.#"), InfinityDigits() + ".");
  EXPECT_EQ(FormatWithMask(-kInfinity, "#;(#)"), "(" + InfinityDigits() + ")");
  EXPECT_EQ(FormatWithMask(kInfinity, "#%"), InfinityDigits() + "00%");

  const std::string grouped = FormatWithMask(kInfinity, "#,###");
  ASSERT_EQ(grouped.size(), 999u + 332u);
  EXPECT_EQ(grouped.substr(0, 12), "999,999,999,");
  EXPECT_EQ(grouped.substr(grouped.size() - 8), ",000,000");

  ExpectExtendedRows({
      {"0.00E+00", kInfinity, "1.00E+999"},
      {"0.00E+00", -kInfinity, "-1.00E+999"},
      {"#E+#", kInfinity, "1E+999"},
  });
  // Nineteen 9s then zeros: twenty digits of mantissa keep the 0.
  EXPECT_EQ(FormatWithMask(kInfinity, "0.0000000000000000000E+0"), "9.9999999999999999990E+998");
}

TEST(FormatWithMaskSpecialValues, NaNIsShownLikeZeroWithoutMinus) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  ExpectExtendedRows({
      {"###.#", nan, "0."},
      {"###.#", -nan, "0."},
      {"#####", nan, "0"},
      {"0.00E+00", nan, "0.00E+00"},
      {"#%", nan, "0%"},
      {"#;(#)", nan, "(0)"},      // the negative section
      {"#;;\"zero\"", nan, "0"},  // no negative section: the first, not the zero one
      {"", nan, "0"},
  });
}

TEST(FormatWithMaskSpecialValues, ExtendedExtremes) {
  ExpectExtendedRows({
      {"0.00E+00", LDBL_MAX, "1.19E+4932"},
      {"0.00E+00", LDBL_MIN, "3.36E-4932"},
      {"0.00E+00", -LDBL_MAX, "-1.19E+4932"},
      {"#.#", LDBL_MIN, "0."},
      {"#.#", -LDBL_MIN, "-0."},
      // Too small to be normal: zero in every respect.
      {"0.00E+00", LDBL_TRUE_MIN, "0.00E+00"},
      {"#.#", -LDBL_TRUE_MIN, "0."},
      {"#;(#);\"zero\"", -LDBL_TRUE_MIN, "zero"},
  });
  // 4933 integer digits; the 18 of N are as close as extended scaling by
  // 10^4915 gets (the exact value is 1.18973149535723176502E+4932).
  const std::string largest = FormatWithMask(LDBL_MAX, "#");
  ASSERT_EQ(largest.size(), 4933u);
  EXPECT_EQ(largest.substr(0, 16), "1189731495357231");
  EXPECT_EQ(largest.find_first_not_of('0', 18), std::string::npos);
}

TEST(FormatWithMaskSpecialValues, LongMasksAndManyPositions) {
  const std::string zeros(5000, '0');
  EXPECT_EQ(FormatWithMask(5.0f, zeros), std::string(4999, '0') + "5");
  EXPECT_EQ(FormatWithMask(-5.0f, zeros), "-" + std::string(4999, '0') + "5");
  // Every fraction position beyond the 18 digits of N shows '0'.
  const std::string fraction = FormatWithMask(0.1f, "0." + zeros);
  ASSERT_EQ(fraction.size(), 5002u);
  EXPECT_EQ(fraction.substr(0, 20), "0.100000001490116119");
  EXPECT_EQ(fraction.find_first_not_of('0', 20), std::string::npos);
  EXPECT_EQ(FormatWithMask(12345.0f, "0E+" + zeros), "1E+" + std::string(4999, '0') + "4");
  // With many integer positions the exponent goes far below zero.
  EXPECT_EQ(FormatWithMask(5.0f, zeros + "E+0"), "5" + std::string(4999, '0') + "E-4999");
}

// ---------------------------------------------------------------------------
// The parsed template: counts and flags of a few masks.

TEST(MaskParse, CountsAndFlags) {
  struct ParseRow {
    std::string_view mask;
    std::int64_t integerPositions, fractionPositions, exponentPositions;
    numtext::ExponentMode mode;
    bool grouping, percent;
    std::int64_t entries;
  };
  using numtext::ExponentMode;
  const ParseRow rows[] = {
      {"#####.#", 5, 1, 0, ExponentMode::kNone, false, false, 7},
      {"#,##0.00", 4, 2, 0, ExponentMode::kNone, true, false, 7},
      {"0.00E+00", 1, 2, 2, ExponentMode::kAlwaysSigned, false, false, 7},
      {"0.00E-00", 1, 2, 2, ExponentMode::kMinusOnly, false, false, 7},
      {"0E+", 1, 0, 0, ExponentMode::kNone, false, false, 2},
      {"*x#.#", 3, 1, 0, ExponentMode::kNone, false, false, 5},
      {"#.##%", 1, 2, 0, ExponentMode::kNone, false, true, 5},
      {"%#,", 1, 0, 0, ExponentMode::kNone, true, false, 1},
      {"\"a;b\"\\##", 1, 0, 0, ExponentMode::kNone, false, false, 5},
      {"0E+0,0", 1, 0, 2, ExponentMode::kAlwaysSigned, false, false, 5},  // ',' in the field is text
  };
  for (const ParseRow& row : rows) {
    numtext::MaskSection section;
    numtext::ParseMaskSection(row.mask, section);
    EXPECT_EQ(section.integerPositions, row.integerPositions) << row.mask;
    EXPECT_EQ(section.fractionPositions, row.fractionPositions) << row.mask;
    EXPECT_EQ(section.exponentPositions, row.exponentPositions) << row.mask;
    EXPECT_EQ(section.exponentMode, row.mode) << row.mask;
    EXPECT_EQ(section.grouping, row.grouping) << row.mask;
    EXPECT_EQ(section.percent, row.percent) << row.mask;
    EXPECT_EQ(section.entries.Size(), row.entries) << row.mask;
  }
}

TEST(MaskParse, SplitsAtMostThreeSections) {
  struct SplitRow {
    std::string_view mask;
    int count;
    std::string_view first, second, third;
  };
  const SplitRow rows[] = {
      {"", 1, "", "", ""},
      {"#", 1, "#", "", ""},
      {";", 2, "", "", ""},
      {"#;(#);0;rest;more", 3, "#", "(#)", "0"},
      {"\"a;b\";c", 2, "\"a;b\"", "c", ""},
      {"\\;;x", 2, "\\;", "x", ""},
      {"\\\\;x", 2, "\\\\", "x", ""},        // an escaped backslash escapes nothing more
      {"\"a\\\";b", 2, "\"a\\\"", "b", ""},  // no escapes inside quotes
      {"\"open;still", 1, "\"open;still", "", ""},
  };
  for (const SplitRow& row : rows) {
    const numtext::MaskSections sections = numtext::SplitMaskSections(row.mask);
    EXPECT_EQ(sections.count, row.count) << row.mask;
    EXPECT_EQ(sections.text[0], row.first) << row.mask;
    if (row.count > 1) {
      EXPECT_EQ(sections.text[1], row.second) << row.mask;
    }
    if (row.count > 2) {
      EXPECT_EQ(sections.text[2], row.third) << row.mask;
    }
  }
}

// ---------------------------------------------------------------------------
// Differential runs: seeded random single-precision values over a wide range
// of magnitudes, ties and values that round to zero, against a reference
// built from the C library's exact decimal expansion.

constexpr std::uint64_t kDifferentialSeed = 0x6d61736b5f726566ULL;  // "mask_ref"
constexpr int kDifferentialSamples = 300000;

TEST(FormatWithMaskDifferential, ProgramMasksAgreeWithExactExpansion) {
  std::mt19937_64 random(kDifferentialSeed);
  const std::string_view wholeMasks[] = {"#####", "####"};
  const std::string_view tenthsMasks[] = {"#####.#", "##.#", "###.#"};
  int failures = 0;
  for (int i = 0; i < kDifferentialSamples && failures < 20; ++i) {
    const float value = numtext_test::RandomMaskValue(random);
    const numtext_test::ExactDecimal exact = numtext_test::ExactDecimalOf(value);
    const std::string whole = numtext_test::ReferenceMaskText(exact, 0);
    const std::string tenths = numtext_test::ReferenceMaskText(exact, 1);
    for (std::string_view mask : wholeMasks) {
      const std::string text = FormatWithMask(value, mask);
      if (text != whole) {
        ++failures;
        ADD_FAILURE() << "mask " << mask << ", value " << numtext_test::FloatText(value) << ": got " << text
                      << ", reference " << whole << " (seed " << kDifferentialSeed << ", sample " << i << ")";
      }
    }
    for (std::string_view mask : tenthsMasks) {
      const std::string text = FormatWithMask(value, mask);
      if (text != tenths) {
        ++failures;
        ADD_FAILURE() << "mask " << mask << ", value " << numtext_test::FloatText(value) << ": got " << text
                      << ", reference " << tenths << " (seed " << kDifferentialSeed << ", sample " << i << ")";
      }
    }
  }
}

// From 1E18 up a float has more than 18 digits: the formatter shows the 18
// of N (the value scaled in extended precision and rounded, so possibly one
// off the exact digits in the last place) and zeros for the rest.
TEST(FormatWithMaskDifferential, LargeValuesShowEighteenDigitsThenZeros) {
  std::mt19937_64 random(kDifferentialSeed + 2);
  // From 2^59, where the random values of the run above stop, to the largest float.
  constexpr std::uint32_t kBiasedExponentOf2To59 = 127 + 59;
  constexpr std::uint32_t kLargestFiniteBiasedExponent = 254;
  constexpr int kFractionBits = 23;
  std::uniform_int_distribution<std::uint32_t> exponentOf(kBiasedExponentOf2To59, kLargestFiniteBiasedExponent);
  std::uniform_int_distribution<std::uint32_t> fractionOf(0, (1u << kFractionBits) - 1);
  constexpr std::size_t kKept = 18;
  int failures = 0;
  for (int i = 0; i < kDifferentialSamples / 10 && failures < 20; ++i) {
    const std::uint32_t bits = (exponentOf(random) << kFractionBits) | fractionOf(random);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    const numtext_test::ExactDecimal exact = numtext_test::ExactDecimalOf(value);
    // Whole numbers here: the digits, then zeros up to the point.
    const std::string exactInteger =
        exact.digits + std::string(static_cast<std::size_t>(exact.point) - exact.digits.size(), '0');
    const std::string text = FormatWithMask(value, "#####");
    const bool sameLength = text.size() == exactInteger.size();
    const bool zerosAfter = sameLength && text.find_first_not_of('0', kKept) == std::string::npos;
    const std::int64_t shown = zerosAfter ? std::stoll(text.substr(0, kKept)) : -1;
    const std::int64_t cut = std::stoll(exactInteger.substr(0, kKept));
    if (!zerosAfter || shown < cut || shown > cut + 1) {
      ++failures;
      ADD_FAILURE() << "value " << numtext_test::FloatText(value) << ": got " << text << ", exact " << exactInteger;
    }
  }
}

// "0.000" and "0.00E+00" show what printf's "%.3Lf" and "%.2LE" show: digits
// correctly rounded from the exact value, ties to even.
TEST(FormatWithMaskDifferential, ZeroPositionsAndExponentAgreeWithPrintf) {
  std::mt19937_64 random(kDifferentialSeed + 1);
  int failures = 0;
  char expected[64];
  for (int i = 0; i < kDifferentialSamples / 3 && failures < 20; ++i) {
    const float value = numtext_test::RandomMaskValue(random);
    if (value == 0.0f) continue;  // printf shows "-0.000" for negative zero
    std::snprintf(expected, sizeof expected, "%.2LE", static_cast<long double>(value));
    std::string text = FormatWithMask(value, "0.00E+00");
    if (text != expected) {
      ++failures;
      ADD_FAILURE() << "0.00E+00, value " << numtext_test::FloatText(value) << ": got " << text << ", printf "
                    << expected;
    }
    if (std::fabs(value) < 1E17f) {  // above, the 18 digits of N are not all of the value
      std::snprintf(expected, sizeof expected, "%.3Lf", static_cast<long double>(value));
      text = FormatWithMask(value, "0.000");
      if (text != expected) {
        ++failures;
        ADD_FAILURE() << "0.000, value " << numtext_test::FloatText(value) << ": got " << text << ", printf "
                      << expected;
      }
    }
  }
}

}  // namespace

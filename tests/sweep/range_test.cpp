// Ranges and lists of values: how texts split into number and unit, which
// points a range gives (checked against the exact decimal values, read
// independently by strtof), and the refusals with their exact messages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/sweep/range.h"
#include "tests/sweep/sweep_support.h"

namespace sweep {
namespace {

struct SplitRow {
  std::string text, number, unit;
};

TEST(SplitNumberAndUnit, SeparatesTheUnitBehindTheNumber) {
  const std::vector<SplitRow> rows = {
      {"5", "5", ""},
      {"5l", "5", "l"},
      {"1e3cm3", "1e3", "cm3"},
      {"2dm", "2", "dm"},
      {"2d3", "2d3", ""},
      {"2d-3mm", "2d-3", "mm"},
      {"-.5in", "-.5", "in"},
      {"&H1F", "&H1F", ""},
      {"&B101cm", "&B101", "cm"},
      {"&HFFFF&mm", "&HFFFF&", "mm"},
      {"1.5.2", "1.5", ".2"},
      {"kHz", "", "kHz"},
      {"1E", "1", "E"},
      {"+3m/s", "+3", "m/s"},
  };
  for (const SplitRow& row : rows) {
    const auto [number, unit] = SplitNumberAndUnit(row.text);
    EXPECT_EQ(number, row.number) << row.text;
    EXPECT_EQ(unit, row.unit) << row.text;
  }
}

struct RangeRow {
  std::string text;
  std::vector<float> values;
};

TEST(ParseRange, GivesEveryPointAndEndsOnStop) {
  const std::vector<RangeRow> rows = {
      {"10:60:5l", {10000, 15000, 20000, 25000, 30000, 35000, 40000, 45000, 50000, 55000, 60000}},
      {"60:10:-25", {60, 35, 10}},
      {"1:1:5", {1}},
      {"1:1:-5", {1}},
      {"0:1:0.3", {0, 0.3F, 0.6F, 1}},
      {"0:1:0.4", {0, 0.4F, 0.8F, 1}},
      {"0:1:0.6", {0, 0.6F, 1}},
      {"-1:1:1", {-1, 0, 1}},
      {"0:1:1.5", {0, 1}},
      {"0:1:5", {0}},
      {"0:-1:-5", {0}},
  };
  for (const RangeRow& row : rows) {
    const auto parsed = ParseRange(row.text, TestParser());
    ASSERT_TRUE(parsed.ok()) << row.text << ": " << parsed.refusal().message;
    const Range& range = parsed.value();
    ASSERT_EQ(range.count, row.values.size()) << row.text;
    for (std::size_t i = 0; i < row.values.size(); ++i) EXPECT_EQ(range.At(i), row.values[i]) << row.text << " " << i;
  }
}

struct RefusalRow {
  std::string text, message;
};

TEST(ParseRange, RefusesWithAClearMessage) {
  const std::vector<RefusalRow> rows = {
      {"10:60", "'10:60' is not a range START:STOP:STEP"},
      {"1:2:3:4", "'1:2:3:4' is not a range START:STOP:STEP"},
      {"10:60:0", "'10:60:0': the step is zero"},
      {"10:60:0l", "'10:60:0l': the step is zero"},
      {"10:60:-5", "'10:60:-5': the step -5 goes down, away from the stop 60"},
      {"60:10:5", "'60:10:5': the step 5 goes up, away from the stop 10"},
      {"x:10:1", "'x:10:1': the start 'x': 'x' is not a number"},
      {"1:y:1", "'1:y:1': the stop 'y': 'y' is not a number"},
      {"1:2:z", "'1:2:z': the step 'z': 'z' is not a number"},
      {"1:2:1q", "'1:2:1q': the start '1': unknown unit 'q'"},
      {"10l:60:5l", "'10l:60:5l': write the unit once, behind the step (START:STOP:STEPl)"},
      {"10:60l:5", "'10:60l:5': write the unit once, behind the step (START:STOP:STEPl)"},
      {"0:1e39:1", "'0:1e39:1': the stop '1e39' is not finite in single precision"},
      // The typed text as the one printable-text rule shows it, never a control byte.
      {"1\x9b"
       "31m:2:1",
       "'1\\x9B31m:2:1': write the unit once, behind the step (START:STOP:STEP\\x9B31m)"},
      {"\x1b]0;owned\x07:\n", "'\\x1B]0;owned\\x07:\\x0A' is not a range START:STOP:STEP"},
      {"0:1e10:1", "'0:1e10:1' gives 10000000001 values; a sweep may have at most 10000000000 designs"},
      {"0:1e30:1e-9", "'0:1e30:1e-9' gives more than 10^30 values; a sweep may have at most 10000000000 designs"},
  };
  for (const RefusalRow& row : rows) {
    const auto parsed = ParseRange(row.text, TestParser());
    ASSERT_TRUE(!parsed.ok()) << row.text;
    EXPECT_EQ(parsed.refusal().message, row.message) << row.text;
  }
}

TEST(ParseRange, AcceptsTheLargestSweep) {
  const auto parsed = ParseRange("1:10000000000:1", TestParser());
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.value().count, kMaxDesigns);
  EXPECT_EQ(parsed.value().At(kMaxDesigns - 2), 9999999999.0F);
}

// A thousand steps of 0.1 land on STOP exactly once, and every point is the
// float nearest to its decimal value.
TEST(ParseRange, TenthsOverAThousandPointsLandOnStopOnce) {
  const auto parsed = ParseRange("0:100:0.1", TestParser());
  ASSERT_TRUE(parsed.ok());
  const Range& range = parsed.value();
  ASSERT_EQ(range.count, 1001U);
  int stops = 0;
  for (std::uint64_t i = 0; i < range.count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%llu", static_cast<unsigned long long>(i / 10),
                  static_cast<unsigned long long>(i % 10));
    EXPECT_EQ(range.At(i), std::strtof(text, nullptr)) << text;
    stops += range.At(i) == 100.0F ? 1 : 0;
  }
  EXPECT_EQ(stops, 1);
}

// Random ranges of three-decimal numbers: point i is START + i*STEP exactly
// in decimal, read back by strtof; the count is the multiple of the step
// nearest to STOP, plus one; the last point is STOP.
TEST(ParseRange, RandomDecimalRangesMatchTheirExactDecimalPoints) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long> bound(-1000000, 1000000);  // thousandths
  std::uniform_int_distribution<long> stepSize(1, 100000);
  auto decimal = [](long thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%ld.%03ld", thousandths < 0 ? "-" : "", std::labs(thousandths) / 1000,
                  std::labs(thousandths) % 1000);
    return std::string(text);
  };
  for (int trial = 0; trial < 300; ++trial) {
    const long start = bound(random);
    const long stop = bound(random);
    const long step = (stop >= start ? 1 : -1) * stepSize(random);
    const std::string text = decimal(start) + ":" + decimal(stop) + ":" + decimal(step);
    const auto parsed = ParseRange(text, TestParser());
    ASSERT_TRUE(parsed.ok()) << text;
    const Range& range = parsed.value();
    const long steps =
        static_cast<long>(std::floor(static_cast<double>(stop - start) / static_cast<double>(step) + 0.5));
    ASSERT_EQ(range.count, static_cast<std::uint64_t>(steps + 1)) << text;
    for (long i = 0; i < steps; i += 1 + steps / 50) {
      EXPECT_EQ(range.At(static_cast<std::uint64_t>(i)), std::strtof(decimal(start + i * step).c_str(), nullptr))
          << text << " point " << i;
    }
    // STOP ends the range, unless the step is too long to take even once.
    EXPECT_EQ(range.At(range.count - 1), std::strtof(decimal(steps == 0 ? start : stop).c_str(), nullptr)) << text;
  }
}

TEST(ParseSequence, JoinsValuesAndRangesInTheOrderTyped) {
  const std::vector<std::string_view> texts = {"5", "7.5", "8:10:1", "2l"};
  const auto parsed = ParseSequence(texts, TestParser());
  ASSERT_TRUE(parsed.ok());
  const Sequence& sequence = parsed.value();
  const std::vector<float> expected = {5, 7.5F, 8, 9, 10, 2000};
  ASSERT_EQ(sequence.Size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(sequence.At(i), expected[i]);
  EXPECT_EQ(sequence.Bounds(), std::pair(5.0F, 2000.0F));
}

TEST(ParseSequence, RefusesABadValueOrTooManyInAll) {
  const std::vector<std::string_view> bad = {"5", "x"};
  const auto refused = ParseSequence(bad, TestParser());
  ASSERT_TRUE(!refused.ok());
  EXPECT_EQ(refused.refusal().message, "'x': 'x' is not a number");
  const std::vector<std::string_view> many = {"1:6000000000:1", "1:6000000000:1"};
  const auto tooMany = ParseSequence(many, TestParser());
  ASSERT_TRUE(!tooMany.ok());
  EXPECT_EQ(tooMany.refusal().message,
            "the values typed gives 12000000000 values; a sweep may have at most 10000000000 designs");
}

}  // namespace
}  // namespace sweep

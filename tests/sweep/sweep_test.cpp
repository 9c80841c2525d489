// The product of swept options: order and count against nested loops, the
// axes that change at each step, and the overflow-safe count.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "app/sweep/sweep.h"
#include "tests/sweep/sweep_support.h"

namespace sweep {
namespace {

Sequence Values(std::vector<std::string_view> texts) { return ParseSequence(texts, TestParser()).value(); }

Sweep Make(std::vector<Sequence> axes) { return std::move(Sweep::Make(std::move(axes)).value()); }

std::vector<std::vector<float>> Walk(const Sweep& sweep) {
  std::vector<std::vector<float>> designs;
  for (Odometer design(sweep); design.Valid(); design.Next()) {
    designs.emplace_back(design.Values().begin(), design.Values().end());
  }
  return designs;
}

TEST(Odometer, OneAxisGivesItsValuesInOrder) {
  const Sweep sweep = Make({Values({"3", "1:2:0.5", "0"})});
  EXPECT_EQ(sweep.Count(), 5U);
  EXPECT_EQ(Walk(sweep), (std::vector<std::vector<float>>{{3}, {1}, {1.5F}, {2}, {0}}));
}

// Like nested loops in the order of the axes, the last fastest.
TEST(Odometer, SeveralAxesAreNestedLoopsLastFastest) {
  const Sweep sweep = Make({Values({"10:30:10"}), Values({"5", "7.5"}), Values({"0.1:0.3:0.1"})});
  ASSERT_EQ(sweep.Count(), 18U);
  std::vector<std::vector<float>> expected;
  for (const float a : {10.0F, 20.0F, 30.0F}) {
    for (const float b : {5.0F, 7.5F}) {
      for (const float c : {0.1F, 0.2F, 0.3F}) expected.push_back({a, b, c});
    }
  }
  EXPECT_EQ(Walk(sweep), expected);
}

TEST(Odometer, TwoAxesOfAwkwardRangesCountEveryDesignOnce) {
  const Sweep sweep = Make({Values({"0:1:0.1"}), Values({"100:0:-0.1"})});
  ASSERT_EQ(sweep.Count(), 11U * 1001U);
  std::uint64_t count = 0;
  std::uint64_t lastOfSecond = 0;
  for (Odometer design(sweep); design.Valid(); design.Next()) {
    ++count;
    if (design.Values()[1] == 0.0F) ++lastOfSecond;
  }
  EXPECT_EQ(count, sweep.Count());
  EXPECT_EQ(lastOfSecond, 11U);
}

TEST(Odometer, TellsTheFirstAxisThatChanged) {
  const Sweep sweep = Make({Values({"1", "2"}), Values({"1", "2"}), Values({"1", "2"})});
  std::vector<std::size_t> changed;
  std::vector<std::vector<std::uint64_t>> indices;
  for (Odometer design(sweep); design.Valid(); design.Next()) {
    changed.push_back(design.FirstChanged());
    indices.emplace_back(design.Indices().begin(), design.Indices().end());
  }
  EXPECT_EQ(changed, (std::vector<std::size_t>{0, 2, 1, 2, 0, 2, 1, 2}));
  EXPECT_EQ(indices[5], (std::vector<std::uint64_t>{1, 0, 1}));
}

TEST(Odometer, NoAxisIsOneDesign) {
  const Sweep sweep = Make({});
  EXPECT_EQ(Walk(sweep), (std::vector<std::vector<float>>{{}}));
}

TEST(ProductWithin, CountsWithoutOverflow) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  struct Row {
    std::vector<std::uint64_t> sizes;
    std::optional<std::uint64_t> product;
  };
  const std::vector<Row> rows = {
      {{}, 1},
      {{100000, 100000}, 10000000000ULL},
      {{100000, 100000, 2}, std::nullopt},
      {{1ULL << 32, 1ULL << 32}, std::nullopt},
      {{kMax, kMax, 0}, 0},
      {{kMax}, std::nullopt},
      {{3, 7, 11}, 231},
  };
  for (const Row& row : rows) EXPECT_EQ(ProductWithin(row.sizes, kMaxDesigns), row.product);
}

TEST(Sweep, RefusesMoreThanTheLimitNamingTheProduct) {
  const auto refused = Sweep::Make({Values({"1:100000:1"}), Values({"1:100000:1"}), Values({"1", "2"})});
  ASSERT_TRUE(!refused.ok());
  EXPECT_EQ(refused.refusal().message,
            "the sweep has 100000 x 100000 x 2 designs, more than the 10000000000 a sweep may have");
}

}  // namespace
}  // namespace sweep

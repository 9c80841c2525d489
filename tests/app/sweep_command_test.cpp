// Sweeps against the single-design command: every row of a sweep over
// seeded random ranges and lists equals, byte for byte, the row of the
// command run alone with that design's values written as decimal text (an
// independent reference for the range's points), in nested-loop order; and
// the count and order of designs for one, two and three swept options.
// The rows are compared under the screens' model and the textbook ones,
// with several ports and slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/sweep_command/sweep_command.h"
#include "tests/app/command_support.h"
#include "tests/support/text_lines.h"

namespace app {
namespace {

using testtext::Lines;

// n/100 as decimal text: 1234 -> "12.34".
std::string Hundredths(std::int64_t n) {
  std::string text = std::to_string(n / 100) + ".";
  const std::int64_t fraction = n % 100;
  if (fraction < 10) text += '0';
  return text + std::to_string(fraction);
}

// One option of a random sweep: its texts and the decimal text of each value.
struct RandomOption {
  std::string name;
  std::vector<std::string> texts;
  std::vector<std::string> values;
};

RandomOption MakeOption(std::mt19937& random, const std::string& name, const std::string& unit) {
  RandomOption option{name, {}, {}};
  const auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int kind = draw(0, 3);
  const int parts = kind == 3 ? 2 : 1;  // a list: the option given twice
  for (int part = 0; part < parts; ++part) {
    const std::int64_t start = draw(1, 3000) * 10;  // hundredths
    if (kind == 0) {
      option.texts.push_back(Hundredths(start) + unit);
      option.values.push_back(Hundredths(start) + unit);
      continue;
    }
    const std::int64_t step = draw(1, 400);
    const int count = draw(1, 5);
    const std::int64_t stop = start + step * (count - 1);
    option.texts.push_back(Hundredths(start) + ":" + Hundredths(stop) + ":" + Hundredths(step) + unit);
    for (int i = 0; i < count; ++i) option.values.push_back(Hundredths(start + step * i) + unit);
  }
  return option;
}

struct Case {
  std::string command;
  std::vector<std::string> names;
  std::vector<std::string> units;
  // The port model's options, the same for the sweep and each single design.
  std::vector<std::string> model = {};
};

const std::vector<Case> kCases = {
    {"frequency", {"--volume", "--diameter", "--thickness"}, {"", "mm", ""}},
    {"frequency", {"--volume", "--surface", "--thickness"}, {"l", "", "cm"}},
    {"volume", {"--frequency", "--diameter", "--thickness"}, {"", "", "mm"}},
    {"volume", {"--frequency", "--surface", "--thickness"}, {"", "mm2", ""}},
    {"thickness", {"--frequency", "--volume", "--diameter"}, {"", "ml", ""}},
    {"thickness", {"--frequency", "--volume", "--surface"}, {"", "", ""}},
    {"diameter", {"--frequency", "--volume", "--thickness"}, {"", "cc", ""}},
    {"surface", {"--frequency", "--volume", "--thickness"}, {"", "", "in"}},
    // The textbook models, several ports and slots.
    {"frequency", {"--volume", "--diameter", "--thickness"}, {"", "", ""}, {"--ends", "flanged"}},
    {"frequency", {"--volume", "--thickness"}, {"l", ""}, {"--slot", "40x8mm", "--ends", "flanged-free"}},
    {"volume", {"--frequency", "--surface", "--thickness"}, {"", "", ""}, {"--ends", "free", "--ports", "3"}},
    {"thickness", {"--frequency", "--volume", "--diameter"}, {"", "", "mm"}, {"--ends", "flanged-free"}},
    {"thickness", {"--frequency", "--volume"}, {"", ""}, {"--slot", "3x2", "--ends", "free", "--ports", "7"}},
    {"diameter", {"--frequency", "--volume", "--thickness"}, {"", "", ""}, {"--ends", "flanged", "--ports", "12"}},
    {"surface", {"--frequency", "--volume", "--thickness"}, {"", "l", ""}, {"--ends", "free"}},
    {"volume", {"--frequency", "--thickness"}, {"", ""}, {"--slot", "1.5cmx4mm"}},  // the screens' formulas on W*H
};

// Every combination of the options' values, the last option fastest: each
// one's arguments (NAME VALUE ...).
void AddCombinations(const std::vector<RandomOption>& options, std::size_t first, std::vector<std::string>& arguments,
                     std::vector<std::vector<std::string>>& combinations) {
  if (first == options.size()) {
    combinations.push_back(arguments);
    return;
  }
  for (const std::string& value : options[first].values) {
    arguments.insert(arguments.end(), {options[first].name, value});
    AddCombinations(options, first + 1, arguments, combinations);
    arguments.resize(arguments.size() - 2);
  }
}

TEST(SweepDifferential, RowsEqualTheSingleDesignCommandBitForBit) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 6 * static_cast<int>(kCases.size()); ++trial) {
    const Case& chosen = kCases[static_cast<std::size_t>(trial) % kCases.size()];
    std::vector<std::size_t> order(chosen.names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<RandomOption> options;
    for (const std::size_t i : order) options.push_back(MakeOption(random, chosen.names[i], chosen.units[i]));
    const std::string format = trial % 3 == 2 ? "json" : "csv";
    const bool onlyPossible = trial % 4 == 1;

    std::vector<std::string> sweep = {chosen.command, "--format", format};
    sweep.insert(sweep.end(), chosen.model.begin(), chosen.model.end());
    for (const RandomOption& option : options) {
      for (const std::string& text : option.texts) sweep.insert(sweep.end(), {option.name, text});
    }
    if (onlyPossible) sweep.push_back("--only-possible");
    const Ran swept = RunHelmholtz(sweep);
    ASSERT_EQ(swept.exitCode, 0) << swept.err;

    // The same designs one by one, as nested loops in the options' order.
    std::vector<std::vector<std::string>> combinations;
    std::vector<std::string> single = {chosen.command, "--format", format};
    single.insert(single.end(), chosen.model.begin(), chosen.model.end());
    AddCombinations(options, 0, single, combinations);
    std::string expected = format == "csv" ? Lines(swept.out).front() + "\n" : "";
    for (const std::vector<std::string>& arguments : combinations) {
      const Ran ran = RunHelmholtz(arguments);
      ASSERT_EQ(ran.exitCode, 0) << ran.err;
      const std::string row = Lines(ran.out).back() + "\n";
      const bool possible = row.find(format == "csv" ? ",true," : "\"possible\":true") != std::string::npos;
      if (!onlyPossible || possible) expected += row;
    }
    std::string typed;
    for (const std::string& argument : sweep) typed += argument + " ";
    ASSERT_EQ(swept.out, expected) << typed;
  }
}

// Inputs with more values than the writer keeps texts for, first, in the
// middle and last: sampled rows against the single-design command, and with
// --only-possible, which skips designs where the long input changes (a wall
// of 0 is impossible for some volumes), exactly the possible rows.
TEST(SweepDifferential, LongInputsGiveTheSameRows) {
  constexpr std::size_t kVolumes = 40000;  // 0.5 to 20000 cc
  struct Option {
    std::string name;
    std::vector<std::string> texts;  // none: the long volume range
    std::size_t Size() const { return texts.empty() ? kVolumes : texts.size(); }
    std::string Value(std::size_t i) const {
      return texts.empty() ? Hundredths(static_cast<std::int64_t>(i + 1) * 50) : texts[i];
    }
  };
  const Option volume{"--volume", {}};
  const Option diameter{"--diameter", {"1", "2.5"}};
  const Option wall{"--thickness", {"0", "1"}};
  for (const auto& [format, options] : std::vector<std::pair<std::string, std::vector<Option>>>{
           {"csv", {volume, diameter, wall}}, {"json", {diameter, volume, wall}}, {"csv", {diameter, wall, volume}}}) {
    std::vector<std::string> arguments = {"frequency", "--format", format};
    for (const Option& option : options) {
      if (option.texts.empty()) arguments.insert(arguments.end(), {option.name, "0.5:20000:0.5"});
      for (const std::string& text : option.texts) arguments.insert(arguments.end(), {option.name, text});
    }
    const std::vector<std::string> rows = Lines(RunHelmholtz(arguments).out);
    const std::size_t header = format == "csv" ? 1 : 0;
    ASSERT_EQ(rows.size(), 4 * kVolumes + header);
    for (std::size_t design = 0; design < 4 * kVolumes; design += 997) {
      std::vector<std::string> single = {"frequency", "--format", format};
      for (std::size_t place = options.size(), rest = design; place-- > 0; rest /= options[place].Size()) {
        single.insert(single.end(), {options[place].name, options[place].Value(rest % options[place].Size())});
      }
      EXPECT_EQ(rows[design + header], Lines(RunHelmholtz(single).out).back()) << design;
    }
    std::vector<std::string> possible(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(header));
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(possible), [&](const std::string& row) {
      return row.find(format == "csv" ? ",true," : "\"possible\":true") != std::string::npos;
    });
    arguments.push_back("--only-possible");
    const std::vector<std::string> written = Lines(RunHelmholtz(arguments).out);
    ASSERT_EQ(written.size(), possible.size()) << arguments[3];
    const auto wrong = std::mismatch(written.begin(), written.end(), possible.begin());
    EXPECT_TRUE(wrong.first == written.end()) << arguments[3] << " row " << wrong.first - written.begin() << ": "
                                              << *wrong.first << "\n instead of " << *wrong.second;
  }
}

// What stands at a chart's path before: nothing, an older chart, or a
// symbolic link to one. A sweep that ends early (its output closed) leaves
// the path as it was; one that ends puts its chart there, in place of the
// link, whose target stays as it was; neither leaves another file behind.
TEST(SweepPlot, ReplacesTheChartOnlyWhenTheSweepEnds) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / "helmholtz_sweep_plot";
  const fs::path chart = folder / "chart.svg";
  const fs::path older = folder / "older.svg";
  const auto text = [](const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  const auto names = [&] {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  };
  const std::vector<std::string> arguments = {"frequency",   "--volume", "1:100000:1", "--diameter",  "2",
                                              "--thickness", "1",        "--plot",     chart.string()};
  enum class Before { kNothing, kChart, kLink };
#ifdef _WIN32
  const std::vector<Before> befores = {Before::kNothing, Before::kChart};  // links need privileges there
#else
  const std::vector<Before> befores = {Before::kNothing, Before::kChart, Before::kLink};
#endif
  for (const Before before : befores) {
    SCOPED_TRACE(static_cast<int>(before));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(before == Before::kLink ? older : chart) << "older chart";
    if (before == Before::kLink) fs::create_symlink(older, chart);
    if (before == Before::kNothing) fs::remove(chart);
    const std::set<std::string> earlier = names();

    EXPECT_EQ(RunHelmholtz(arguments, WriteStatus::kClosed).exitCode, 1);
    EXPECT_EQ(names(), earlier);
    EXPECT_EQ(fs::is_symlink(chart), before == Before::kLink);
    EXPECT_EQ(fs::exists(chart) ? text(chart) : "", before == Before::kNothing ? "" : "older chart");

    EXPECT_EQ(RunHelmholtz(arguments).exitCode, 0);
    EXPECT_EQ(names(), (before == Before::kLink ? std::set<std::string>{"chart.svg", "older.svg"}
                                                : std::set<std::string>{"chart.svg"}));
    EXPECT_FALSE(fs::is_symlink(chart));
    EXPECT_NE(text(chart).find("<svg "), std::string::npos);
    EXPECT_EQ(fs::exists(older) ? text(older) : "", before == Before::kLink ? "older chart" : "");
  }
  fs::remove_all(folder);
}

// The volume column of each CSV row.
std::vector<std::string> Column(const std::string& csv, std::size_t column) {
  std::vector<std::string> cells;
  const std::vector<std::string> lines = Lines(csv);
  for (auto line = lines.begin() + 1; line != lines.end(); ++line) {
    std::istringstream in(*line);
    std::string cell;
    for (std::size_t i = 0; i <= column; ++i) std::getline(in, cell, ',');
    cells.push_back(cell);
  }
  return cells;
}

constexpr std::size_t kFrequencyColumn = 1;
constexpr std::size_t kVolumeColumn = 2;
constexpr std::size_t kThicknessColumn = 3;
constexpr std::size_t kDiameterColumn = 4;

TEST(SweepOrder, ATenthStepOverAThousandPointsEndsOnTheStopOnce) {
  const Ran ran =
      RunHelmholtz({"frequency", "--volume", "0:100:0.1", "--diameter", "2", "--thickness", "1", "--format", "csv"});
  ASSERT_EQ(ran.exitCode, 0) << ran.err;
  const std::vector<std::string> volumes = Column(ran.out, kVolumeColumn);
  ASSERT_EQ(volumes.size(), 1001U);
  EXPECT_EQ(volumes.front(), "0");
  EXPECT_EQ(volumes[1], "0.1");
  EXPECT_EQ(volumes[500], "50");
  EXPECT_EQ(volumes.back(), "100");
  EXPECT_EQ(std::count(volumes.begin(), volumes.end(), "100"), 1);
  EXPECT_EQ(volumes[999], "99.9");
}

TEST(SweepOrder, OneTwoAndThreeOptionsVaryLikeNestedLoopsTheLastFastest) {
  const Ran one =
      RunHelmholtz({"volume", "--frequency", "10:30:10", "--diameter", "2", "--thickness", "1", "--format", "csv"});
  EXPECT_EQ(Column(one.out, kFrequencyColumn), (std::vector<std::string>{"10", "20", "30"}));

  // The thickness first on the command line, so it varies slowest.
  const Ran two = RunHelmholtz({"frequency", "--thickness", "1", "--thickness", "2", "--volume", "1l", "--diameter",
                                "1:3:1", "--format", "csv"});
  EXPECT_EQ(Column(two.out, kThicknessColumn), (std::vector<std::string>{"1", "1", "1", "2", "2", "2"}));
  EXPECT_EQ(Column(two.out, kDiameterColumn), (std::vector<std::string>{"1", "2", "3", "1", "2", "3"}));

  const Ran three = RunHelmholtz({"frequency", "--diameter", "1:2:1", "--volume", "1", "--volume", "2:3:1",
                                  "--thickness", "5:7:1", "--format", "csv"});
  const std::vector<std::string> d = Column(three.out, kDiameterColumn);
  const std::vector<std::string> v = Column(three.out, kVolumeColumn);
  const std::vector<std::string> t = Column(three.out, kThicknessColumn);
  ASSERT_EQ(d.size(), 18U);
  for (std::size_t i = 0; i < d.size(); ++i) {
    EXPECT_EQ(d[i], std::to_string(1 + i / 9)) << i;
    EXPECT_EQ(v[i], std::to_string(1 + i / 3 % 3)) << i;
    EXPECT_EQ(t[i], std::to_string(5 + i % 3)) << i;
  }
}

TEST(SweepOrder, ASingleDesignIsNoSweepUnlessAskedFor) {
  SweepRequest request;
  request.inputs = {{calculator::Quantity::kVolume, {"1l"}}, {calculator::Quantity::kDiameter, {"2"}}};
  EXPECT_FALSE(IsSweep(request));
  request.inputs[1].texts = {"2", "3"};
  EXPECT_TRUE(IsSweep(request));
  request.inputs[1].texts = {"2:3:1"};
  EXPECT_TRUE(IsSweep(request));
  request.inputs[1].texts = {"2"};
  request.onlyPossible = true;
  EXPECT_TRUE(IsSweep(request));
}

}  // namespace
}  // namespace app

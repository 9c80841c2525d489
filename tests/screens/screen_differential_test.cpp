// The command against the screens: seeded random designs over all eight
// calculations (edge values, negatives, zeros, huge and tiny ones included)
// are typed on the in-memory console and given to the command as the same
// texts under --ends screen. The command's CSV numbers must be bit for bit
// what the screen's calculation holds, and its text rows must be the screen's
// rows, with the screens' speed of sound named or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/output/output.h"
#include "calculator/design.h"
#include "calculator/panel_figures.h"
#include "numtext/numtext.h"
#include "tests/screens/screen_support.h"
#include "tests/support/text_lines.h"

namespace app {
namespace {

using calculator::Choice;
using calculator::Quantity;

std::string Trimmed(std::string row) {
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}

// The one place that drives the screen harness: choice and three typed
// lines in, the screen's 60 rows out, trailing blanks removed.
std::vector<std::string> RunScreen(Choice choice, const std::array<std::string, 3>& typed) {
  console::MemoryConsole memory;
  std::string keys = std::to_string(static_cast<int>(choice)) + "\r";
  for (const std::string& text : typed) keys += text + "\r";
  memory.Type(keys);
  const screens::test_support::RunOutcome outcome = screens::test_support::RunCalculator(memory);
  EXPECT_FALSE(outcome.returned);
  std::vector<std::string> rows;
  for (int row = 0; row < memory.rows(); ++row) rows.push_back(Trimmed(memory.RowText(row)));
  return rows;
}

std::string RunCommandText(const std::vector<std::string>& arguments) {
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  StringSink sink;
  Output out(sink);
  std::ostringstream err;
  const int exitCode = RunCommand(std::span<const char* const>(pointers), out, err);
  EXPECT_EQ(exitCode, 0) << err.str();
  return sink.text();
}

constexpr std::array<const char*, 8> kSubcommandOf = {"frequency", "volume", "thickness", "diameter",
                                                      "frequency", "volume", "thickness", "surface"};
constexpr std::array<const char*, 5> kOptionOf = {"--frequency", "--volume", "--thickness", "--diameter", "--surface"};

// A typed value: edge values, plausible sizes and wild magnitudes of either
// sign, as the text a user could type ("%.9g" of a float reads back exactly).
std::string RandomValueText(std::mt19937& random) {
  static constexpr std::array<float, 14> kEdges = {
      0.0f,           -0.0f,           1.0f,   -1.0f, 1e-45f,   -1e-45f, 1.17549435e-38f,
      3.40282347e38f, -3.40282347e38f, 1e-20f, 1e20f, 34000.0f, 0.5f,    2.0f};
  float value = 0;
  switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0:
    case 1: value = kEdges[std::uniform_int_distribution<std::size_t>(0, kEdges.size() - 1)(random)]; break;
    case 2:
    case 3: value = std::pow(10.0f, std::uniform_real_distribution<float>(-38, 38)(random)); break;
    default: value = std::pow(10.0f, std::uniform_real_distribution<float>(-1, 4)(random)); break;
  }
  if (std::uniform_int_distribution<int>(0, 4)(random) == 0) value = -value;
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

bool SameFloat(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

float ReadFloat(const std::string& text) {
  if (text == "nan") return std::nanf("");
  return std::strtof(text.c_str(), nullptr);
}

// 0-based screen row of the result line.
constexpr std::size_t kResultRow = 17;

TEST(ScreenDifferential, CommandNumbersAndRowsAreTheScreens) {
  std::mt19937 random(20261208);
  constexpr int kDesignsPerChoice = 500;
  const calculator::Constants constants = calculator::MakeConstants();
  int panelRowsCompared = 0;
  for (const Choice choice : calculator::kChoices) {
    const std::array<Quantity, 3> asked = calculator::AskedQuantities(choice);
    for (int design = 0; design < kDesignsPerChoice; ++design) {
      std::array<std::string, 3> typed;
      for (std::string& text : typed) text = RandomValueText(random);
      const std::string name = std::string(kSubcommandOf[static_cast<std::size_t>(choice) - 1]);
      std::vector<std::string> arguments = {name};
      calculator::Quantities read;  // as the screen's prompts read the texts
      for (std::size_t i = 0; i < asked.size(); ++i) {
        arguments.push_back(kOptionOf[static_cast<std::size_t>(asked[i])]);
        arguments.push_back(typed[i]);
        calculator::Field(read, asked[i]) = static_cast<float>(numtext::TextToNumber(typed[i]));
      }
      // The screens' speed and single port named explicitly change nothing, not a bit.
      arguments.insert(arguments.end(), {"--ends", "screen"});
      if (design % 2 == 1) arguments.insert(arguments.end(), {"--sound-speed", "34000"});
      if (design % 4 == 1) arguments.insert(arguments.end(), {"--ports", "1"});
      SCOPED_TRACE(name + " " + typed[0] + " " + typed[1] + " " + typed[2] + (design % 2 ? " --sound-speed" : ""));

      // CSV: the numbers of the screen's own calculation, bit for bit.
      std::vector<std::string> csvArguments = arguments;
      csvArguments.insert(csvArguments.end(), {"--format", "csv"});
      const std::vector<std::string> lines = testtext::Split(RunCommandText(csvArguments), '\n');
      ASSERT_EQ(lines.size(), 3U);
      const std::vector<std::string> cells = testtext::Split(lines[1], ',');
      ASSERT_EQ(cells.size(), 13U);  // the screens' model adds no column
      const calculator::Design expected = calculator::Solve(choice, read, constants);
      const calculator::PanelFigures figures = calculator::ComputePanelFigures(expected.quantities, constants);
      const calculator::Quantities& q = expected.quantities;
      EXPECT_EQ(cells[0], std::to_string(static_cast<int>(choice)));
      const std::array<float, 5> quantities = {q.frequency, q.volume, q.thickness, q.diameter, q.surface};
      for (std::size_t i = 0; i < quantities.size(); ++i) {
        if (i == 3 && !calculator::IsRound(choice)) {
          EXPECT_EQ(cells[4], "");
          continue;
        }
        EXPECT_TRUE(SameFloat(ReadFloat(cells[1 + i]), quantities[i])) << "column " << 1 + i << ": " << cells[1 + i];
      }
      EXPECT_EQ(cells[6], expected.possible ? "true" : "false");
      EXPECT_TRUE(SameFloat(ReadFloat(cells[cells.size() - 5]), figures.diameter));
      EXPECT_TRUE(SameFloat(ReadFloat(cells[cells.size() - 4]), figures.side));
      EXPECT_TRUE(SameFloat(ReadFloat(cells[cells.size() - 3]), static_cast<float>(figures.thicknessMillimetres)));
      EXPECT_TRUE(SameFloat(ReadFloat(cells[cells.size() - 2]), static_cast<float>(figures.quality)));

      // Text: the screen's rows without the nine blanks of its margin. They
      // start on row 18, unless a panel value longer than the screen's row
      // wrapped at its bottom and moved the screen up.
      const std::vector<std::string> screen = RunScreen(choice, typed);
      std::vector<std::string> text = testtext::Split(RunCommandText(arguments), '\n');
      // The model line is the command's own: the screen draws none.
      const auto model = std::find_if(text.begin(), text.end(), [](const std::string& line) {
        return line.starts_with("Model: screen ends, 1 port, ");
      });
      ASSERT_NE(model, text.end());
      text.erase(model);
      const std::string margin(9, ' ');
      std::size_t resultRow = kResultRow;
      while (resultRow > 0 && screen[resultRow] != margin + text[0]) --resultRow;
      std::size_t row = 0;
      while (row < 4 && !text[row].empty()) ++row;
      ASSERT_EQ(text.size(), row + 4);  // the empty row, two panel rows, the final line end
      const bool panelFits = text[row + 2].size() <= calculator::kPanelWidth;
      // Only a very long panel value moves the result rows off the screen.
      if (!panelFits && screen[resultRow] != margin + text[0]) continue;
      for (std::size_t i = 0; i < row; ++i) EXPECT_EQ(margin + text[i], screen[resultRow + i]);
      for (std::size_t empty = row; empty < 4; ++empty) EXPECT_EQ(screen[resultRow + empty], "");
      if (panelFits) {
        EXPECT_EQ(resultRow, kResultRow);
        EXPECT_EQ(text[row + 1], screen[57]);
        EXPECT_EQ(text[row + 2], screen[58]);
        ++panelRowsCompared;
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
  // Most designs fit the panel: the comparison is not an empty one.
  EXPECT_GT(panelRowsCompared, 8 * kDesignsPerChoice / 2);
}

}  // namespace
}  // namespace app

// Whole calculations in the real program, compared cell by cell with the
// same keys run through the calculator on the in-memory console: two
// rendering paths (terminal painter plus a VT model, and the console's own
// cell grid) must show the same 60 rows, text and colours.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/terminal/key_decoder.h"
#include "tests/support/memory_console.h"
#include "tests/screens/screen_support.h"
#include "tests/e2e/helmholtz_support.h"
#include "tests/support/row_names.h"

namespace termtest {
namespace {

constexpr int kColumns = 80;
constexpr int kRows = 60;
// The erase character of the pseudo-terminal the program runs in.
constexpr std::uint8_t kEraseByte = 127;

// The screen the calculator leaves on the in-memory console after the
// terminal's bytes `keys` (decoded as the terminal backend decodes them),
// stopped where it waits for the next key.
std::unique_ptr<console::MemoryConsole> InMemoryScreen(std::string_view keys) {
  auto screen = std::make_unique<console::MemoryConsole>(kColumns, kRows, kColumns, kRows);
  std::vector<console::InputRecord> records;
  console::KeyDecoder(kEraseByte).Feed(keys, records);
  for (const console::InputRecord& record : records) screen->Push(record);
  screens::test_support::RunCalculator(*screen);
  return screen;
}

// Where the terminal differs from the in-memory screen, or "" when it shows
// the same: every glyph, every background, and the foreground of every cell
// that is not blank (a blank shows no foreground).
std::string Difference(const TerminalModel& terminal, const console::MemoryConsole& memory) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const console::CharCell expected = memory.Cell(row, column);
      const ModelCell& shown = terminal.Cell(row, column);
      const std::string glyph(1, static_cast<char>(expected.character));
      const bool blank = expected.character == ' ';
      if (shown.glyph != glyph || shown.background != AnsiOfConsoleColor(expected.attribute >> 4) ||
          (!blank && shown.foreground != AnsiOfConsoleColor(expected.attribute & 0x0F))) {
        return "row " + std::to_string(row + 1) + " column " + std::to_string(column + 1) + ": shows '" + shown.glyph +
               "', expected '" + glyph + "'\nterminal:\n" + terminal.Text() + "\nin memory:\n" + memory.Text();
      }
    }
  }
  if (terminal.cursorRow != memory.cursor().row || terminal.cursorColumn != memory.cursor().column) {
    return "cursor at " + std::to_string(terminal.cursorRow + 1) + "," + std::to_string(terminal.cursorColumn + 1);
  }
  return "";
}

struct Calculation {
  const char* name;
  const char* keys;
  const char* mustShow;  // a text the finished screen holds, as a sanity check
};
// Test names show the row's name, not its pointers.
void PrintTo(const Calculation& calculation, std::ostream* os) { *os << calculation.name; }

class CalculationE2e : public ::testing::TestWithParam<Calculation> {};

TEST_P(CalculationE2e, TheTerminalShowsWhatTheConsoleHolds) {
  const Calculation& calculation = GetParam();
  const std::unique_ptr<console::MemoryConsole> expected = InMemoryScreen(calculation.keys);
  ASSERT_NE(expected->Text().find(calculation.mustShow), std::string::npos) << expected->Text();

  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m); }, kPromptlyMs));
  session.Send(calculation.keys);
  const bool same =
      session.WaitUntil([&](const TerminalModel& m) { return Difference(m, *expected).empty(); }, kPromptlyMs);
  EXPECT_TRUE(same) << Difference(session.screen(), *expected);
  EXPECT_TRUE(session.screen().errors.empty());

  // Any key ends the wait; "*" then quits with exit code 0.
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m); }, kPromptlyMs));
  session.Send("*\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, CalculationE2e,
    ::testing::Values(Calculation{"RoundFrequency", "1\r1000\r2\r1\r", "Frequency       = 220.8396 Hz"},
                      Calculation{"AnyFrequency", "5\r1000\r4\r1\r", "Frequency       = 197.5916 Hz"},
                      Calculation{"RoundNegativeThickness", "3\r2000\r1000\r2\r", "Impossible values!!!"},
                      Calculation{"AnySurfaceWithEditing", "8\r100\r10000\b\r1\b1\r", "Orifice surface= .6077415 cm^2"},
                      Calculation{"InfiniteVolumeWraps", "2\r0\r2\r1\r", "999999999"},
                      // A second design that changes only the diameter: Up recalls the
                      // volume and the thickness typed at the same prompts before.
                      Calculation{"UpRecallsTheValuesOfTheLastDesign", "1\r1000\r2\r1\rx1\r\x1b[A\r3\r\x1b[A\r",
                                  "Volume (cc) ?1000"}),
    testrows::RowName);

}  // namespace
}  // namespace termtest

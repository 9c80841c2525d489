// The real program in terminals of other sizes: one that will not grow to
// 80x60, one that does, windows resized while the program runs (smaller,
// larger, below the minimum, huge), resize signals that change nothing, and
// tiny windows.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

class SizeE2e : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set"; }
};

bool AtPrompt(const TerminalModel& m) { return AtChoicePrompt(m); }

LaunchOptions SizedTerminal(int columns, int rows) {
  LaunchOptions options;
  options.columns = columns;
  options.rows = rows;
  return options;
}

void ExpectQuitWithZero(PtySession& session) {
  session.Send("*\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(RestoredAsBefore(session));
}

// Runs choice 1 with plain values; the summary panel lands on the two rows
// above the bottom row of the screen the program believes it has.
void RunChoiceOne(PtySession& session) { session.Send("1\r100\r2\r1\r"); }
bool PanelOnRow(const TerminalModel& m, int labelRow) {
  return labelRow < m.rows() && m.RowText(labelRow - 1).find("Frequency:") != std::string::npos;
}

TEST_F(SizeE2e, ATerminalThatWillNotGrowKeepsItsTwentyFourRows) {
  PtySession session(HelmholtzBinary(), SizedTerminal(80, 24));
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  ASSERT_EQ(session.screen().resizeRequests.size(), 1u);
  EXPECT_EQ(session.screen().resizeRequests[0].rows, 60);
  EXPECT_EQ(session.screen().resizeRequests[0].columns, 80);
  RunChoiceOne(session);
  // ScreenRows told the truth: 24, so the panel is on rows 22 and 23.
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return PanelOnRow(m, 22); }, kPromptlyMs))
      << session.screen().Text();
  EXPECT_EQ(session.screen().scrolls, 0);
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

TEST_F(SizeE2e, ATerminalThatGrowsGivesSixtyRows) {
  PtySession session(HelmholtzBinary(), SizedTerminal(80, 24));
  // Answer the request as a terminal window would.
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return !m.resizeRequests.empty(); }, kPromptlyMs));
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  RunChoiceOne(session);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return PanelOnRow(m, 58); }, kPromptlyMs))
      << session.screen().Text();
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

// Only the screen's own content, nothing left over: blank beyond the menu.
bool OnlyTheMenu(const TerminalModel& m) {
  if (!MenuShown(m)) return false;
  for (int row = 0; row < m.rows(); ++row) {
    for (int column = 0; column < m.columns(); ++column) {
      const bool menuArea = row < 14 && column >= 9 && column < 59;
      if (!menuArea && m.Cell(row, column).glyph != " ") return false;
      if (m.Cell(row, column).background != AnsiOfConsoleColor(0)) return false;
    }
  }
  return true;
}

TEST_F(SizeE2e, AResizeDuringTheRunRepaintsEverything) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  // Wider and shorter: the model keeps the old top-left, as terminals do,
  // with leftovers; the program repaints all.
  session.screen().Feed("\x1b[1;70Hleftover");
  session.Resize(100, 30);
  ASSERT_TRUE(
      session.WaitUntil([](const TerminalModel& m) { return OnlyTheMenu(m) && AtChoicePrompt(m); }, kPromptlyMs))
      << session.screen().Text();
  // Below the minimum: the notice, and the key typed meanwhile is kept.
  session.Resize(24, 10);
  ASSERT_TRUE(session.WaitUntil(
      [](const TerminalModel& m) { return m.Text().find("at least 80x24") != std::string::npos && !m.cursorVisible; },
      kPromptlyMs))
      << session.screen().Text();
  session.Send("7");
  session.Settle(50);
  // Back to the full size: everything, the typed key included.
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m, "7"); }, kPromptlyMs))
      << session.screen().Text();
  EXPECT_TRUE(session.screen().errors.empty());
  session.Send("\x7f");
  ExpectQuitWithZero(session);
}

// The notice of a window below 80x24, whatever its line breaks.
bool NoticeShown(const TerminalModel& m, std::string_view size) {
  std::string words;
  for (int row = 0; row < m.rows(); ++row) {
    std::string line = m.RowText(row);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    words += (words.empty() ? "" : " ") + line.substr(first, line.find_last_not_of(' ') + 1 - first);
  }
  return words == "helmholtz needs a window of at least 80x24; this one is " + std::string(size) && !m.cursorVisible;
}

// The finished screen of choice 1 with 1000, 2, 1, its panel on `labelRow`.
bool ChoiceOneDone(const TerminalModel& m, int labelRow) {
  return labelRow < m.rows() && MenuShown(m) && m.TextAt(14, 9, 17) == "Volume (cc) ?1000" &&
         m.TextAt(20, 9, 22) == "Orifice diameter= 2 cm" && m.TextAt(labelRow - 1, 4, 10) == "Frequency:" &&
         m.TextAt(labelRow, 4, 5) == "221Hz" && m.TextAt(labelRow, 16, 7) == "1000.cc" &&
         m.TextAt(labelRow, 66, 3) == "0.6";
}

TEST_F(SizeE2e, ShrunkAtTheMenuThePanelGoesOnTheRowsThereAre) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Resize(80, 30);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  session.Send("1\r1000\r2\r1\r");
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return ChoiceOneDone(m, 28); }, kPromptlyMs))
      << session.screen().Text();
  // The cursor behind the Q-Factor, on the screen and visible.
  EXPECT_TRUE(session.screen().cursorVisible);
  EXPECT_EQ(session.screen().cursorRow, 28);
  EXPECT_EQ(session.screen().scrolls, 0);
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

TEST_F(SizeE2e, StartedBelowTheMinimumThenGrownGivesTheWholeLayout) {
  PtySession session(HelmholtzBinary(), SizedTerminal(80, 20));
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return NoticeShown(m, "80x20"); }, kPromptlyMs))
      << session.screen().Text();
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  session.Send("5\r1000\r4\r1\r");
  ASSERT_TRUE(session.WaitUntil(
      [](const TerminalModel& m) {
        return MenuShown(m) && m.TextAt(17, 9, 32) == "Frequency       = 197.5916 Hz" + std::string(3, ' ') &&
               m.TextAt(57, 4, 10) == "Frequency:" && m.TextAt(58, 4, 5) == "198Hz";
      },
      kPromptlyMs))
      << session.screen().Text();
  EXPECT_EQ(session.screen().scrolls, 0);
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

TEST_F(SizeE2e, AHalfTypedNumberOutlivesASmallWindow) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Send("1\r10");
  const auto halfTyped = [](const TerminalModel& m) {
    return MenuShown(m) && m.TextAt(14, 9, 16) == "Volume (cc) ?10 " && m.cursorVisible && m.cursorRow == 14 &&
           m.cursorColumn == 24;
  };
  ASSERT_TRUE(session.WaitUntil(halfTyped, kPromptlyMs)) << session.screen().Text();
  session.Resize(40, 15);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return NoticeShown(m, "40x15"); }, kPromptlyMs))
      << session.screen().Text();
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(halfTyped, kPromptlyMs)) << session.screen().Text();
  session.Send("00\r2\r1\r");
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return ChoiceOneDone(m, 58); }, kPromptlyMs))
      << session.screen().Text();
  EXPECT_EQ(session.screen().TextAt(17, 9, 29), "Frequency       = 220.8396 Hz");
  EXPECT_TRUE(session.screen().errors.empty());
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

// 46341 x 46341 cells are more than a 32-bit int can count. The program's
// screen stays 80 x 60 and is all it paints.
TEST_F(SizeE2e, AHugeWindowAndBackLeavesTheProgramWorking) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  const std::size_t before = session.output().size();
  session.ResizeWindow(46341, 46341);
  session.Settle(200);
  EXPECT_EQ(ProcessState(session.pid()) == 'S' || ProcessState(session.pid()) == 'R', true);
  EXPECT_LT(session.output().size() - before, 2000u);
  EXPECT_TRUE(AtPrompt(session.screen())) << session.screen().Text();
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  session.Send("1\r1000\r2\r1\r");
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return ChoiceOneDone(m, 58); }, kPromptlyMs))
      << session.screen().Text();
  session.Send("x");
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  ExpectQuitWithZero(session);
}

// A resize signal that changes nothing (a multiplexer re-attaching, a
// window manager's reminder) repaints nothing.
TEST_F(SizeE2e, ResizeSignalsAtAnUnchangedSizeWriteAlmostNothing) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Settle(50);
  const std::size_t before = session.output().size();
  for (int i = 0; i < 100; ++i) {
    session.Signal(SIGWINCH);
    session.Pump(2);
  }
  session.Settle(100);
  EXPECT_LE(session.output().size() - before, 300u);
  EXPECT_TRUE(AtPrompt(session.screen()));
  ExpectQuitWithZero(session);
}

struct TinyRow {
  int columns;
  int rows;
};
constexpr TinyRow kTinyTerminals[] = {{10, 5}, {1, 1}, {20, 3}, {3, 40}};

TEST_F(SizeE2e, TinyTerminalsBreakNothing) {
  for (const TinyRow& row : kTinyTerminals) {
    SCOPED_TRACE(std::to_string(row.columns) + "x" + std::to_string(row.rows));
    PtySession session(HelmholtzBinary(), SizedTerminal(row.columns, row.rows));
    ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return !m.resizeRequests.empty(); }, kPromptlyMs));
    session.Settle(200);
    EXPECT_TRUE(session.screen().errors.empty());
    EXPECT_EQ(session.screen().scrolls, 0);
    ExpectQuitWithZero(session);
  }
}

// Quitting while the notice shows leaves the notice on the screen and the
// cursor at the start of a fresh line below it, where the shell's prompt
// goes, as after any quit (with no row left below it, the notice moves up).
TEST_F(SizeE2e, QuitWhileTheNoticeShowsLeavesTheCursorOnAFreshLine) {
  for (const TinyRow& row : {TinyRow{40, 15}, TinyRow{79, 24}, TinyRow{10, 5}}) {
    const std::string size = std::to_string(row.columns) + "x" + std::to_string(row.rows);
    SCOPED_TRACE(size);
    PtySession session(HelmholtzBinary(), SizedTerminal(row.columns, row.rows));
    ASSERT_TRUE(session.WaitUntil(
        [](const TerminalModel& m) { return m.Text().find("helmholtz") != std::string::npos; }, kPromptlyMs));
    session.Settle(50);
    const std::string notice = session.screen().Text();
    ExpectQuitWithZero(session);
    const TerminalModel& screen = session.screen();
    EXPECT_EQ(screen.cursorColumn, 0);
    ASSERT_GT(screen.cursorRow, 0);
    EXPECT_EQ(screen.RowText(screen.cursorRow), std::string(row.columns, ' ')) << screen.Text();
    EXPECT_NE(screen.RowText(screen.cursorRow - 1), std::string(row.columns, ' ')) << screen.Text();
    if (row.rows >= 15) {
      EXPECT_EQ(screen.Text(), notice);
      EXPECT_NE(notice.find("this one is " + size), std::string::npos) << notice;
    }
  }
}

}  // namespace
}  // namespace termtest

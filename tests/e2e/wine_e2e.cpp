// The Windows program (helmholtz.exe, cross-built) under Wine in a
// pseudo-terminal, next to the Linux program in another with the same keys:
// both must draw the same screen, cell for cell, text and colours. The build
// defines HELMHOLTZ_WINDOWS_BINARY and HELMHOLTZ_WINE (the program and Wine).
//
// Wine's console renders a Win32 console program onto the terminal it was
// started from; where it differs from a Windows console, the tests below say
// so and check what Wine does, while the program stays right for Windows:
// - Wine switches the terminal to raw mode only a moment after the program
//   has started drawing, so the tests wait for that before typing;
// - Wine draws the console's default attribute (light grey on black) in the
//   terminal's own colours, and other backgrounds of black the same way;
// - it reports Esc as a key without a character (a Windows console gives 27),
//   which PollKey returns as the one byte 0: it still ends the key wait;
// - it treats Ctrl+C typed on the terminal as the console's interrupt even
//   with processed input off (a Windows console then delivers the character
//   3, which the line ignores): the process ends, and Wine gives the
//   terminal its modes back.
#include <sys/wait.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

constexpr int kColumns = 80;
constexpr int kRows = 60;
// Wine starts its server and console first; a cold start takes seconds.
constexpr int kWineStartMs = 30000;
constexpr int kWineExitMs = 15000;

LaunchOptions InWindow(int rows) {
  LaunchOptions options;
  options.columns = kColumns;
  options.rows = rows;
  return options;
}
LaunchOptions UnderWine(int rows) {
  LaunchOptions options = InWindow(rows);
  options.launcher = HELMHOLTZ_WINE;
  return options;
}

// A cell's colours as console colours, Wine's terminal defaults read as the
// console's default attribute (light grey on black).
int ConsoleForeground(const ModelCell& cell) {
  return cell.foreground == kDefaultColor ? 7 : ConsoleColorOfAnsi(cell.foreground);
}
int ConsoleBackground(const ModelCell& cell) {
  return cell.background == kDefaultColor ? 0 : ConsoleColorOfAnsi(cell.background);
}

// Where the Windows program's screen differs from the Linux program's, or ""
// when they show the same: every glyph, every background, the foreground of
// every cell that is not blank, and the cursor.
std::string Difference(const TerminalModel& windows, const TerminalModel& linux) {
  for (int row = 0; row < linux.rows(); ++row) {
    for (int column = 0; column < linux.columns(); ++column) {
      const ModelCell& shown = windows.Cell(row, column);
      const ModelCell& expected = linux.Cell(row, column);
      const bool blank = expected.glyph == " ";
      if (shown.glyph != expected.glyph || ConsoleBackground(shown) != ConsoleBackground(expected) ||
          (!blank && ConsoleForeground(shown) != ConsoleForeground(expected))) {
        return "row " + std::to_string(row + 1) + " column " + std::to_string(column + 1) + ": Wine shows '" +
               shown.glyph + "' in " + std::to_string(ConsoleForeground(shown)) + " on " +
               std::to_string(ConsoleBackground(shown)) + ", Linux '" + expected.glyph + "' in " +
               std::to_string(ConsoleForeground(expected)) + " on " + std::to_string(ConsoleBackground(expected)) +
               "\nWine:\n" + windows.Text() + "\nLinux:\n" + linux.Text();
      }
    }
  }
  if (windows.cursorRow != linux.cursorRow || windows.cursorColumn != linux.cursorColumn) {
    return "cursor at " + std::to_string(windows.cursorRow + 1) + "," + std::to_string(windows.cursorColumn + 1) +
           " under Wine, " + std::to_string(linux.cursorRow + 1) + "," + std::to_string(linux.cursorColumn + 1) +
           " on Linux";
  }
  return "";
}

// The Windows program under Wine and the Linux program, side by side.
class WineE2e : public ::testing::Test {
 protected:
  // Starts both in a window of 80 x `rows`: the Windows program asks for
  // 80x60 on a console that keeps whatever size the terminal has.
  void Start(int rows) {
    windows_ = std::make_unique<PtySession>(HELMHOLTZ_WINDOWS_BINARY, UnderWine(rows));
    linux_ = std::make_unique<PtySession>(HelmholtzBinary(), InWindow(rows));
    ASSERT_TRUE(windows_->started());
    ASSERT_TRUE(linux_->started());
    ASSERT_TRUE(linux_->WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m); }, kPromptlyMs));
    ASSERT_TRUE(SameScreen(kWineStartMs)) << Difference(windows_->screen(), linux_->screen());
    // Wine's console puts the terminal into raw mode a moment after the
    // program has drawn; keys typed before would be cooked by the terminal
    // (Enter read as a line feed).
    ASSERT_TRUE(WaitForRawMode(kWineStartMs));
  }

  // A mode change shows no output to wake on: the modes are looked at every
  // few milliseconds, within a bound.
  bool WaitForModes(const std::function<bool(const termios&)>& done, int timeoutMs) {
    constexpr int kLookEveryMs = 20;
    for (int waited = 0; !done(windows_->Modes()); waited += kLookEveryMs) {
      if (waited >= timeoutMs) return false;
      windows_->Pump(kLookEveryMs);
    }
    return true;
  }
  bool WaitForRawMode(int timeoutMs) {
    return WaitForModes([](const termios& modes) { return (modes.c_lflag & ICANON) == 0; }, timeoutMs);
  }

  // Both get the same keys.
  void Send(std::string_view keys) {
    windows_->Send(keys);
    linux_->Send(keys);
  }
  // Waits until Linux has drawn and Wine shows the same.
  bool SameScreen(int timeoutMs = kPromptlyMs) {
    linux_->Settle();
    return windows_->WaitUntil([&](const TerminalModel& m) { return Difference(m, linux_->screen()).empty(); },
                               timeoutMs);
  }
  bool Shows(std::string_view text) { return windows_->screen().Text().find(text) != std::string::npos; }
  ::testing::AssertionResult QuitsWithExitCodeZero() {
    Send("*\r");
    int windowsStatus = -1;
    int linuxStatus = -1;
    if (!windows_->WaitForExit(kWineExitMs, windowsStatus)) {
      return ::testing::AssertionFailure() << "Wine did not end; it shows:\n" << windows_->screen().Text();
    }
    if (!linux_->WaitForExit(kPromptlyMs, linuxStatus)) return ::testing::AssertionFailure() << "Linux did not end";
    if (!WIFEXITED(windowsStatus) || WEXITSTATUS(windowsStatus) != 0) {
      return ::testing::AssertionFailure() << "Wine status " << windowsStatus;
    }
    if (!WIFEXITED(linuxStatus) || WEXITSTATUS(linuxStatus) != 0) {
      return ::testing::AssertionFailure() << "Linux status " << linuxStatus;
    }
    return ::testing::AssertionSuccess();
  }

  std::unique_ptr<PtySession> windows_;
  std::unique_ptr<PtySession> linux_;
};

TEST_F(WineE2e, TheMenuInItsColours) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  // The same texts and colours as on Linux; the menu's own colours checked
  // here too, so that two equally wrong screens cannot pass.
  const TerminalModel& screen = windows_->screen();
  for (const MenuLine& line : kMenuLines) {
    EXPECT_EQ(screen.TextAt(line.row - 1, line.column - 1, static_cast<int>(line.text.size())), line.text);
    const ModelCell& first = screen.Cell(line.row - 1, line.column - 1);
    EXPECT_EQ(ConsoleForeground(first), line.color) << line.text;
    EXPECT_EQ(ConsoleBackground(first), 0) << line.text;
  }
  EXPECT_EQ(screen.cursorRow, kChoiceRow - 1);
  EXPECT_EQ(screen.cursorColumn, kChoiceColumn - 1);
  EXPECT_TRUE(screen.cursorVisible);
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, TheWorkedExampleWithCrossChecksAndPanelThenAKeyBackToTheMenu) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  Send("1\r1000\r2\r1\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(Shows("Frequency       = 220.8396 Hz"));
  EXPECT_TRUE(Shows("Volume          = 1000 cm^3"));
  EXPECT_TRUE(Shows("Wall thickness  = 1 cm"));
  EXPECT_TRUE(Shows("Orifice diameter= 2 cm"));
  EXPECT_TRUE(Shows("221Hz       1000.cc    3.1cm^2  2.cm     1.8cm    10mm        0.6"));
  Send("x");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, BackspaceEditsTheLineAsOnLinux) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  // Backspace as terminals send it (DEL) and as Ctrl+H.
  Send("8\r100\r10000\x7f\r1\b1\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(Shows("Orifice surface= .6077415 cm^2"));
  Send("\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, EscWithoutItsCharacterStillEndsTheKeyWait) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  Send("5\r1000\r4\r1\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(Shows("Frequency       = 197.5916 Hz"));
  Send("\x1b");
  EXPECT_TRUE(SameScreen(kWineStartMs)) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, ArrowFunctionKeysAndTabAreIgnoredInALine) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  // "9" is no calculation: the next key brings the menu back.
  Send("9\x1b[A\x1bOP\x1b[15~\t\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  Send("y");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, UpRecallsTheValueTypedAtTheSamePrompt) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  // The console reports Up as a key without a character, as the terminal does.
  Send("1\r1000\r2\r1\rx1\r\x1b[A\r3\r\x1b[A\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(Shows("Volume (cc) ?1000"));
  Send("x");
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

TEST_F(WineE2e, CtrlCEndsTheProgramUnderWineWithTheTerminalGivenBack) {
  ASSERT_NO_FATAL_FAILURE(Start(kRows));
  // Wine's difference, not the program's: a Windows console with processed
  // input off delivers Ctrl+C as the character 3, which the line ignores.
  // Wine raises the console's interrupt instead; the process ends, and Wine
  // gives the terminal its modes back.
  windows_->Send("\x03");
  int status = -1;
  ASSERT_TRUE(windows_->WaitForExit(kWineExitMs, status)) << windows_->screen().Text();
  // Wine's console process gives the terminal back a moment after the program ended.
  const termios before = windows_->ModesAtStart();
  EXPECT_TRUE(WaitForModes([&](const termios& modes) { return SameModes(modes, before); }, kWineExitMs));
  linux_->Send("\x03");
  linux_->Settle();
  EXPECT_TRUE(AtChoicePrompt(linux_->screen())) << "Linux ignores Ctrl+C in the line";
}

// A console that refuses 80x60 (Wine's in a terminal that keeps its size, as
// a Windows Terminal tab does): the program lays out for the window it has,
// as the Unix program does in a window of that size, and nothing scrolls.
TEST_F(WineE2e, InA24RowWindowTheWorkedExampleKeepsTheMenuAndPutsThePanelOnRows22And23) {
  ASSERT_NO_FATAL_FAILURE(Start(24));
  Send("1\r1000\r2\r1\r");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  const TerminalModel& screen = windows_->screen();
  EXPECT_EQ(screen.TextAt(0, 9, 39), "Helmholtz Resonator Calculation Utility");
  EXPECT_EQ(screen.TextAt(21, 4, 10), "Frequency:");
  EXPECT_EQ(screen.TextAt(22, 4, 5), "221Hz");
  EXPECT_EQ(screen.scrolls, 0);
  Send("x");
  EXPECT_TRUE(SameScreen()) << Difference(windows_->screen(), linux_->screen());
  EXPECT_TRUE(QuitsWithExitCodeZero());
}

// The subcommands of helmholtz.exe, without a terminal, against the Linux
// program's: the same answers (the Windows console's CR LF line ends aside),
// the same refusals and exit codes, arguments beyond ASCII too; /? is --help
// there.
struct Answered {
  int exitCode = -1;
  std::string output;
  std::string error;
};

Answered RunWithoutTerminal(const std::vector<std::string>& arguments, bool windows, bool closedOutput = false) {
  LaunchOptions options;
  options.withoutTerminal = true;
  options.closedStandardOutput = closedOutput;
  options.arguments = arguments;
  // Wine reads the arguments in the locale's character set: UTF-8, as typed here.
  options.environment = {"LC_ALL=C.UTF-8"};
  if (windows) options.launcher = HELMHOLTZ_WINE;
  PtySession session(windows ? HELMHOLTZ_WINDOWS_BINARY : HelmholtzBinary(), options);
  Answered answered;
  const std::optional<int> exitCode = session.started() ? session.ExitCode(kWineStartMs) : std::nullopt;
  if (!exitCode) return answered;
  answered.exitCode = *exitCode;
  const auto unix = [](std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
  };
  answered.output = windows ? unix(session.standardOutput()) : session.standardOutput();
  answered.error = windows ? unix(session.errorOutput()) : session.errorOutput();
  return answered;
}

std::string FileText(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(WineCommandLine, SubcommandsAnswerAsOnLinux) {
  const std::string designs = ::testing::TempDir() + "helmholtz_wine_designs.csv";
  // Beyond the ANSI code page (1252), in which Windows' narrow calls would read it.
  const std::string designsOmega = ::testing::TempDir() + "helmholtz_wine_designs_ω.csv";
  for (const std::string& name : {designs, designsOmega}) {
    std::ofstream file(name, std::ios::binary);
    file << "frequency_hz,volume_cc,thickness_cm,surface_cm2\r\n100,1l,,3\r\n,1000,1,\r\n";
  }
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"frequency", "--volume", "1l", "--diameter", "20mm", "--thickness", "1"},
           {"volume", "--frequency=100", "--surface=2in2", "--thickness=-1", "--format=csv", "--temperature=20"},
           {"diameter", "--frequency", "&H64", "--volume", "1e3", "--thickness", "1", "--format", "json"},
           {"thickness", "--frequency", "2,5", "--volume", "1", "--diameter", "1"},
           {"batch", designs},
           {"batch", designs, "--format", "text"},
           {"surface", "--bogus"},
           // Typed beyond ASCII: within code page 1252, beyond it, and beyond UTF-16's one unit (𝄞).
           {"frequency", "--volume", "1l", "--thickness", "1", "--slot", "5×5"},
           {"frequency", "--slot", "5x5", "--thickness", "1", "--volume", "1µl"},
           {"frequency", "--slot", "5x5", "--thickness", "1", "--volume", "1ωl"},
           {"frequency", "--slot", "5x5", "--thickness", "1", "--volume", "1𝄞l"},
           {"batch", designsOmega}}) {
    SCOPED_TRACE(arguments.front() + " " + arguments.back());
    const Answered linux = RunWithoutTerminal(arguments, false);
    const Answered windows = RunWithoutTerminal(arguments, true);
    EXPECT_NE(linux.exitCode, -1);
    EXPECT_EQ(windows.exitCode, linux.exitCode);
    EXPECT_EQ(windows.output, linux.output);
    EXPECT_EQ(windows.error, linux.error);
  }
  std::remove(designs.c_str());
  std::remove(designsOmega.c_str());
}

TEST(WineCommandLine, AChartNamedBeyondAsciiIsWrittenUnderThatName) {
  const std::string chart = ::testing::TempDir() + "helmholtz_wine_chart_ω.svg";
  const std::vector<std::string> arguments = {"frequency",   "--volume", "1:3:1l", "--diameter", "2",
                                              "--thickness", "1",        "--plot", chart};
  std::remove(chart.c_str());
  EXPECT_EQ(RunWithoutTerminal(arguments, true).exitCode, 0);
  const std::string windows = FileText(chart);
  EXPECT_EQ(RunWithoutTerminal(arguments, false).exitCode, 0);
  EXPECT_NE(windows, "");
  EXPECT_EQ(windows, FileText(chart));
  std::remove(chart.c_str());
}

// On the console, which Wine draws on the terminal, a refusal shows the
// argument as the Linux program's refusal does on its terminal.
TEST(WineCommandLine, ARefusalOnTheConsoleShowsTheArgumentAsOnLinux) {
  LaunchOptions options = UnderWine(24);
  options.arguments = {"frequency", "--slot", "5×5", "--thickness", "1", "--volume", "1µl"};
  options.environment = {"LC_ALL=C.UTF-8"};
  PtySession windows(HELMHOLTZ_WINDOWS_BINARY, options);
  options.launcher.clear();
  PtySession linux(HelmholtzBinary(), options);
  EXPECT_EQ(windows.ExitCode(kWineStartMs), 2);
  EXPECT_EQ(linux.ExitCode(kPromptlyMs), 2);
  EXPECT_NE(linux.screen().Text().find("'1\\xC2\\xB5l'"), std::string::npos) << linux.screen().Text();
  EXPECT_EQ(windows.screen().Text(), linux.screen().Text());
}

// Windows reports a closed pipe in its own words; the program still ends quietly.
TEST(WineCommandLine, IntoAClosedPipeEndsQuietly) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--help"}, {"/?"}, {"batch"}, {"frequency", "--volume=1", "--surface=1", "--thickness=1"}}) {
    SCOPED_TRACE(arguments.front());
    const Answered answered = RunWithoutTerminal(arguments, true, true);
    EXPECT_EQ(answered.exitCode, 1);
    EXPECT_EQ(answered.error, "");
  }
}

TEST(WineCommandLine, SlashQuestionMarkIsHelp) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"/?"}, {"batch", "/?"}, {"volume", "--frequency=1", "/?"}}) {
    SCOPED_TRACE(arguments.front());
    std::vector<std::string> help = arguments;
    help.back() = "--help";
    const Answered slash = RunWithoutTerminal(arguments, true);
    EXPECT_EQ(slash.exitCode, 0);
    EXPECT_EQ(slash.output, RunWithoutTerminal(help, true).output);
    EXPECT_NE(slash.output.find("/?"), std::string::npos);
    EXPECT_EQ(slash.error, "");
  }
  // The manual as the ZIP holds it, in the docs folder beside helmholtz.exe.
  EXPECT_NE(RunWithoutTerminal({"--help"}, true).output.find("docs\\helmholtz.1.html"), std::string::npos);
}

}  // namespace
}  // namespace termtest

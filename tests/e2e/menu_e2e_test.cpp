// The real program in a pseudo-terminal: the menu as it shows, and the
// keyboard as the menu reads it.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "console/terminal/key_decoder.h"
#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

class MenuE2e : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set"; }

  // Starts the program in an 80x60 terminal and waits for its prompt.
  void Start() {
    session_ = std::make_unique<PtySession>(HelmholtzBinary(), LaunchOptions{});
    ASSERT_TRUE(session_->started());
    ASSERT_TRUE(session_->WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m); }, kPromptlyMs))
        << session_->screen().Text();
  }
  bool Prompt(std::string_view typed) {
    return session_->WaitUntil([&](const TerminalModel& m) { return AtChoicePrompt(m, typed); }, kPromptlyMs);
  }
  // Quits with "*" and expects exit code 0.
  void Quit() {
    session_->Send("*\r");
    int status = 0;
    ASSERT_TRUE(session_->WaitForExit(kPromptlyMs, status));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  // The cursor stands at column 1 of the row below the choice: the key wait.
  bool AtKeyWait(std::string_view choice) {
    return session_->WaitUntil(
        [&](const TerminalModel& m) {
          const int length = static_cast<int>(choice.size());
          return MenuShown(m) && m.TextAt(kChoiceRow - 1, kChoiceColumn - 1, length) == choice &&
                 m.cursorRow == kChoiceRow && m.cursorColumn == 0;
        },
        kPromptlyMs);
  }

  std::unique_ptr<PtySession> session_;
};

TEST_F(MenuE2e, MenuTextColoursAndCursor) {
  Start();
  const TerminalModel& screen = session_->screen();
  // Title light red at row 1 column 10, items light green, "Choice ?" yellow
  // at row 14 column 20; the cursor right behind it.
  EXPECT_EQ(screen.Cell(0, 9).foreground, AnsiOfConsoleColor(12));
  EXPECT_EQ(screen.Cell(3, 9).foreground, AnsiOfConsoleColor(10));
  EXPECT_EQ(screen.Cell(13, 19).foreground, AnsiOfConsoleColor(14));
  EXPECT_EQ(screen.TextAt(13, 19, 8), "Choice ?");
  EXPECT_EQ(screen.cursorRow, 13);
  EXPECT_EQ(screen.cursorColumn, 27);
  EXPECT_EQ(screen.RowText(2), std::string(80, ' '));
  EXPECT_EQ(screen.RowText(12), std::string(80, ' '));
  // Nothing else on the screen.
  EXPECT_EQ(screen.Text().find("QUIT"), screen.Text().rfind("QUIT"));
  EXPECT_EQ(screen.RowText(14), std::string(80, ' '));
  EXPECT_TRUE(screen.resizeRequests.empty());  // 80x60 already
  EXPECT_FALSE(screen.autowrap);
  EXPECT_TRUE(screen.bracketedPaste);
  EXPECT_TRUE(screen.errors.empty());
  Quit();
}

TEST_F(MenuE2e, BackspaceEditsTheChoice) {
  Start();
  session_->Send("12");
  ASSERT_TRUE(Prompt("12"));
  session_->Send("\x7f");
  ASSERT_TRUE(Prompt("1"));
  session_->Send("\x7f");
  ASSERT_TRUE(Prompt(""));
  session_->Send("\x7f");  // nothing left to erase
  session_->Settle(50);
  EXPECT_TRUE(AtChoicePrompt(session_->screen()));
  // The line really lost its characters: "*" alone quits.
  Quit();
}

TEST_F(MenuE2e, UnmatchedChoiceWaitsForAKeyThenShowsTheMenuAgain) {
  Start();
  session_->Send("9\r");
  ASSERT_TRUE(AtKeyWait("9"));
  session_->Settle(300);
  EXPECT_TRUE(AtKeyWait("9"));  // still waiting, screen unchanged
  EXPECT_NE(ProcessState(session_->pid()), '?');
  session_->Send("x");
  ASSERT_TRUE(Prompt(""));  // cleared and drawn again: the "9" is gone
  Quit();
}

TEST_F(MenuE2e, QuitLeavesTheMenuAndTheCursorBelowIt) {
  Start();
  Quit();
  const TerminalModel& screen = session_->screen();
  EXPECT_TRUE(MenuShown(screen));
  EXPECT_EQ(screen.TextAt(13, 27, 1), "*");
  EXPECT_EQ(screen.cursorRow, 14);
  EXPECT_EQ(screen.cursorColumn, 0);
  EXPECT_TRUE(RestoredAsBefore(*session_));
}

TEST_F(MenuE2e, ControlKeysAreOrdinaryKeys) {
  Start();
  // Ctrl+C, Ctrl+Z, Ctrl+\, Ctrl+S, Ctrl+Q: no signal, no stop, no frozen output.
  session_->Send("\x03\x1a\x1c\x13\x11");
  session_->Send("x");
  ASSERT_TRUE(Prompt("x"));
  session_->Send("\r");
  ASSERT_TRUE(AtKeyWait("x"));
  session_->Send("\x03");  // ends the key wait like any key
  ASSERT_TRUE(Prompt(""));
  Quit();
}

TEST_F(MenuE2e, ALoneEscEndsTheKeyWait) {
  Start();
  session_->Send("\r");
  ASSERT_TRUE(AtKeyWait(""));
  session_->Send("\x1b");
  ASSERT_TRUE(Prompt(""));
  Quit();
}

TEST_F(MenuE2e, ArrowKeysDoNotTypeIntoTheChoice) {
  Start();
  session_->Send("\x1b[A\x1b[D\x1bOP");
  session_->Send("5");
  ASSERT_TRUE(Prompt("5"));
  session_->Send("\x7f");
  ASSERT_TRUE(Prompt(""));
  Quit();
}

TEST_F(MenuE2e, PastedTextArrivesAsTyped) {
  Start();
  session_->Send("\x1b[200~*\x1b[201~");
  ASSERT_TRUE(Prompt("*"));
  session_->Send("\r");
  int status = 0;
  ASSERT_TRUE(session_->WaitForExit(kPromptlyMs, status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(MenuE2e, APasteThatNeverEndsStopsBeingAPasteAfterASilence) {
  Start();
  session_->Send("\x1b[200~12");  // the end marker never comes
  ASSERT_TRUE(Prompt("12"));
  session_->Pump(console::kPasteTimeoutMs + 300);
  // Up is ignored, not typed as "[A"; Backspace erases again.
  session_->Send("\x1b[A");
  session_->Send("\x7f\x7f");
  ASSERT_TRUE(Prompt("")) << session_->screen().RowText(kChoiceRow - 1);
  session_->Send("1\r");
  EXPECT_TRUE(session_->WaitForText(14, 9, "Volume (cc) ?", kPromptlyMs)) << session_->screen().Text();
}

TEST_F(MenuE2e, AnAccentedLetterEchoesAsItsGlyph) {
  Start();
  session_->Send("\xc3\xa9");  // é, byte 0x82 of code page 437
  ASSERT_TRUE(session_->WaitUntil(
      [](const TerminalModel& m) { return m.TextAt(13, 27, 1) == "\xc3\xa9" && m.cursorColumn == 28; }, kPromptlyMs));
  EXPECT_TRUE(session_->screen().errors.empty());
  session_->Send("\x7f");
  ASSERT_TRUE(Prompt(""));
  Quit();
}

TEST_F(MenuE2e, EchoingOneKeyCostsFewBytes) {
  Start();
  session_->Settle(50);
  for (const std::string_view key : {"3", "\x7f"}) {
    const std::size_t before = session_->output().size();
    session_->Send(key);
    ASSERT_TRUE(Prompt(key == "3" ? "3" : ""));
    session_->Settle(50);
    EXPECT_LE(session_->output().size() - before, 16u) << session_->output().substr(before);
  }
  Quit();
}

}  // namespace
}  // namespace termtest

// Keyboard translation, key polling and line input on the in-memory console.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "tests/support/console_fixture.h"
#include "tests/support/console_probe.h"
#include "tests/support/key_down.h"
#include "tests/support/memory_console.h"

namespace console {
namespace {

using testkeys::Key;

class KeyboardTest : public ConsoleOnMemory {};

struct TranslateRow {
  std::uint8_t character;
  std::uint16_t scanCode;
  std::uint32_t controlKeys;
  std::uint8_t expected;
};

TEST(TranslateKey, CapsLockLetsTheShiftPairsFollowShiftAlone) {
  const TranslateRow rows[] = {
      // Caps Lock off: the character as the keyboard gave it.
      {'!', 2, kShiftPressed, '!'},
      {'a', 30, 0, 'a'},
      {0, 1, 0, 0},
      // Caps Lock on, no Shift: the shifted character of a pair becomes the unshifted one.
      {'!', 2, kCapsLockOn, '1'},
      {'?', 53, kCapsLockOn, '/'},
      {'|', 43, kCapsLockOn, '\\'},
      {'~', 41, kCapsLockOn, '`'},
      {'1', 2, kCapsLockOn, '1'},
      // Caps Lock on with Shift: the unshifted character becomes the shifted one.
      {'1', 2, kCapsLockOn | kShiftPressed, '!'},
      {'\'', 40, kCapsLockOn | kShiftPressed, '"'},
      {'!', 2, kCapsLockOn | kShiftPressed, '!'},
      // A character that is neither of its key's pair stays.
      {'x', 2, kCapsLockOn, 'x'},
      // Letters are not in the table: Caps Lock's own effect stands.
      {'A', 30, kCapsLockOn, 'A'},
      // Esc with Caps Lock on is 27 even when the keyboard gave no character.
      {0, 1, kCapsLockOn, 27},
  };
  for (const TranslateRow& r : rows) {
    EXPECT_EQ(TranslateKey(r.character, r.scanCode, r.controlKeys), r.expected)
        << int(r.character) << " scan " << r.scanCode << " keys " << r.controlKeys;
  }
}

struct PollRow {
  const char* name;
  InputRecord record;
  std::string expected;
};

TEST_F(KeyboardTest, PollKeyResultsForSingleKeys) {
  const PollRow rows[] = {
      {"letter", Key(30, 'a'), "a"},
      {"enter", Key(28, 13), "\r"},
      {"ctrl+c", Key(46, 3, kLeftCtrlPressed), "\x03"},
      {"alt+letter", Key(30, 'a', kLeftAltPressed), std::string("\0\x1e", 2)},
      {"altgr letter row", Key(16, '@', kRightAltPressed | kLeftCtrlPressed), std::string("\0\x10", 2)},
      {"alt+digit keeps its character", Key(2, '1', kLeftAltPressed), "1"},
      {"function key", Key(kScanF1, 0), std::string("\0\x3b", 2)},
      {"shifted arrow", Key(kScanUp, 0, kShiftPressed), std::string("\0\x48", 2)},
      {"esc without character", Key(kScanEsc, 0), std::string("\0", 1)},
      {"esc with caps lock", Key(kScanEsc, 0, kCapsLockOn), "\x1b"},
      {"esc with character", Key(kScanEsc, 27), "\x1b"},
      {"caps lock pair", Key(2, '!', kCapsLockOn), "1"},
  };
  for (const PollRow& r : rows) {
    screen_.Push(r.record);
    EXPECT_EQ(console_.PollKey(), r.expected) << r.name;
    EXPECT_EQ(screen_.PendingInput(), 0u) << r.name;
  }
}

TEST_F(KeyboardTest, PollKeySkipsReleasesModifiersAndOtherEvents) {
  InputRecord release = Key(30, 'a');
  release.keyDown = false;
  InputRecord mouse;
  mouse.kind = InputKind::kMouse;
  InputRecord focus;
  focus.kind = InputKind::kFocus;
  screen_.Push(release);
  screen_.Push(mouse);
  screen_.Push(focus);
  for (const std::uint16_t modifier :
       {kScanCtrl, kScanLeftShift, kScanRightShift, kScanAlt, kScanCapsLock, kScanNumLock, kScanScrollLock}) {
    screen_.PressScanCode(modifier);
  }
  EXPECT_EQ(console_.PollKey(), "");
  EXPECT_EQ(screen_.PendingInput(), 0u);
}

TEST_F(KeyboardTest, PeekKeyLeavesTheKeyInTheQueue) {
  screen_.Push(Key(44, 'z'));
  EXPECT_EQ(ConsoleProbe::PeekKey(console_).length, 1);
  EXPECT_EQ(ConsoleProbe::PeekKey(console_).bytes[0], 'z');
  EXPECT_EQ(screen_.PendingInput(), 1u);
  EXPECT_EQ(console_.PollKey(), "z");
  EXPECT_EQ(console_.PollKey(), "");
}

TEST_F(KeyboardTest, ReadLineEchoesBehindThePromptAndEndsOnTheNextRow) {
  console_.Locate(14, 20);
  console_.PrintText("Choice ?");
  screen_.Type("12.5\r");
  EXPECT_EQ(console_.ReadLine(), "12.5");
  EXPECT_EQ(screen_.RowText(13).substr(19, 12), "Choice ?12.5");
  EXPECT_EQ(Cursor().row, 14);
  EXPECT_EQ(Cursor().column, 0);
}

// Up and Down at a prompt where "1000", "2" and "2" were entered before: '^'
// in `keys` is Up, '_' is Down. `line` is what Enter gives; the row shows it
// and nothing of what was erased.
struct RecallRow {
  const char* name;
  const char* keys;
  const char* line;
};

TEST_F(KeyboardTest, UpAndDownRecallTheLinesTypedAtTheSamePrompt) {
  const RecallRow rows[] = {
      {"up shows the newest", "^\r", "2"},
      {"a repeated line is kept once", "^^\r", "1000"},
      {"up stops at the oldest", "^^^^\r", "1000"},
      {"down walks back to the fresh line", "^^__\r", ""},
      {"down on the fresh line does nothing", "_5\r", "5"},
      {"editing starts from the recalled text", "^^\b\b7\r", "107"},
      {"the recalled line replaces what was typed", "99999^\r", "2"},
      {"typing after a recall adds to it", "^5\r", "25"},
  };
  for (const RecallRow& r : rows) {
    MemoryConsole screen(80, 25);
    Console console(screen);
    for (const char* earlier : {"1000\r", "2\r", "\r", "2\r"}) {
      screen.Type(earlier);
      console.ReadLine("P");
    }
    console.Locate(5, 1);
    for (const char* key = r.keys; *key != '\0'; ++key) {
      if (*key == '^' || *key == '_') {
        screen.PressScanCode(*key == '^' ? kScanUp : kScanDown);
      } else {
        screen.Type(std::string(1, *key));
      }
    }
    EXPECT_EQ(console.ReadLine("P"), r.line) << r.name;
    EXPECT_EQ(screen.RowText(4), r.line + std::string(80 - std::string(r.line).size(), ' ')) << r.name;
  }
}

TEST(LineHistory, KeepsTheNewestLinesUpToItsCapacity) {
  LineHistory history;
  for (std::size_t i = 0; i <= LineHistory::kCapacity; ++i) history.Remember(std::to_string(i));
  ASSERT_EQ(history.size(), LineHistory::kCapacity);
  EXPECT_EQ(history.Recalled(1), std::to_string(LineHistory::kCapacity));
  EXPECT_EQ(history.Recalled(LineHistory::kCapacity), "1") << "the oldest line is forgotten";
  EXPECT_EQ(history.Recalled(0), "");
}

TEST_F(KeyboardTest, EachPromptRecallsOnlyItsOwnLines) {
  for (const char* typed : {"1000\r", "2\r"}) {
    screen_.Type(typed);
    console_.ReadLine(typed[0] == '1' ? "Volume" : "Diameter");
  }
  screen_.PressScanCode(kScanUp);
  screen_.Type("\r");
  EXPECT_EQ(console_.ReadLine("Volume"), "1000");
  screen_.PressScanCode(kScanUp);
  screen_.Type("\r");
  EXPECT_EQ(console_.ReadLine(), "") << "a line without a prompt recalls nothing";
}

TEST_F(KeyboardTest, BackspaceOnAnEmptyLineDoesNothing) {
  console_.Locate(5, 10);
  const int writesBefore = screen_.writeCalls;
  screen_.Type("\b\b");
  EXPECT_THROW(console_.ReadLine(), InputExhausted);
  EXPECT_EQ(screen_.writeCalls, writesBefore);
  EXPECT_EQ(Cursor().row, 4);
  EXPECT_EQ(Cursor().column, 9);
}

TEST_F(KeyboardTest, CharacterBackspaceEnterGivesTheEmptyText) {
  console_.Locate(5, 10);
  console_.PrintText("#");
  console_.Locate(5, 10);
  screen_.Type("x\b\r");
  EXPECT_EQ(console_.ReadLine(), "");
  EXPECT_EQ(screen_.Cell(4, 9).character, ' ');
}

TEST_F(KeyboardTest, BackspaceEditsInTheMiddleOfTyping) {
  console_.Locate(5, 1);
  screen_.Type("12\b3\r");
  EXPECT_EQ(console_.ReadLine(), "13");
  EXPECT_EQ(screen_.RowText(4).substr(0, 3), "13 ");
}

TEST_F(KeyboardTest, BackspaceAfterAWrapErasesTheLastCellOfTheRowAbove) {
  console_.Locate(5, 79);
  screen_.Type("ab");
  EXPECT_THROW(console_.ReadLine(), InputExhausted);
  EXPECT_EQ(Cursor().row, 5);
  EXPECT_EQ(Cursor().column, 0);
  screen_.Type("\b");
  EXPECT_THROW(console_.ReadLine(), InputExhausted);
  // ReadLine started over, so it held nothing and ignored the Backspace;
  // check the operation itself instead.
  ConsoleProbe::CursorBack(console_);
  EXPECT_EQ(Cursor().row, 4);
  EXPECT_EQ(Cursor().column, 79);
}

TEST_F(KeyboardTest, BackspaceAcrossTheWrapWithinOneLine) {
  console_.Locate(5, 79);
  screen_.Type("ab\b\r");
  EXPECT_EQ(console_.ReadLine(), "a");
  EXPECT_EQ(screen_.Cell(4, 78).character, 'a');
  EXPECT_EQ(screen_.Cell(4, 79).character, ' ');
  EXPECT_EQ(Cursor().row, 5) << "Enter moves to the row below the erased cell";
}

TEST_F(KeyboardTest, CursorBackOnTheTopRowGoesToItsLastColumn) {
  console_.Locate(1, 1);
  ConsoleProbe::CursorBack(console_);
  EXPECT_EQ(Cursor().row, 0);
  EXPECT_EQ(Cursor().column, 79);
}

TEST_F(KeyboardTest, EchoOnTheBottomRightCellDefersItsScroll) {
  console_.Locate(59, 1);
  console_.PrintText("marker");
  console_.Locate(60, 80);
  screen_.Type("a");
  EXPECT_THROW(console_.ReadLine(), InputExhausted);
  EXPECT_EQ(screen_.scrollCalls, 0);
  EXPECT_EQ(screen_.Cell(59, 79).character, 'a');
  screen_.Type("b\r");
  EXPECT_EQ(console_.ReadLine(), "b");
  // The second line's first character scrolled the screen up one row, and
  // its Enter on the bottom row scrolled once more.
  EXPECT_EQ(screen_.RowText(56).substr(0, 6), "marker");
  EXPECT_EQ(screen_.Cell(57, 79).character, 'a');
  EXPECT_EQ(screen_.Cell(58, 0).character, 'b');
}

TEST_F(KeyboardTest, BackspaceOnTheBottomRightCellErasesItWithoutScrolling) {
  console_.Locate(60, 80);
  screen_.Type("a\b\r");
  EXPECT_EQ(console_.ReadLine(), "");
  EXPECT_EQ(screen_.Cell(58, 79).character, ' ') << "erased, then Enter scrolled";
  EXPECT_EQ(screen_.scrollCalls, 1) << "only the new line scrolls";
}

TEST_F(KeyboardTest, ControlKeysAndKeysWithoutCharactersAreIgnoredInLines) {
  console_.Locate(5, 1);
  screen_.Type("1\t\x1b\x03\x1a");
  screen_.PressScanCode(kScanLeft);
  screen_.PressScanCode(kScanF1 + 4);
  screen_.Push(Key(16, 'q', kLeftAltPressed));
  screen_.Type("2\r");
  EXPECT_EQ(console_.ReadLine(), "12");
  EXPECT_EQ(screen_.RowText(4).substr(0, 3), "12 ");
}

TEST_F(KeyboardTest, HighBytesAndDeleteCountAsCharacters) {
  console_.Locate(5, 1);
  screen_.Push(Key(0, 0x7F));
  screen_.Push(Key(0, 0x82));
  screen_.Type("\r");
  EXPECT_EQ(console_.ReadLine(), "\x7f\x82");
}

TEST_F(KeyboardTest, TheLineHoldsTenThousandCharactersAndDropsTheRest) {
  console_.Locate(1, 1);
  screen_.Type(std::string(kLineCapacity, '7') + "89\r");
  const std::string line = console_.ReadLine();
  EXPECT_EQ(line, std::string(kLineCapacity, '7'));
  // The echo of exactly 10000 characters scrolled the 60 x 80 screen; the
  // dropped '8' and '9' were not echoed, so no row shows them.
  EXPECT_EQ(screen_.Text().find_first_of("89"), std::string::npos);
}

TEST_F(KeyboardTest, CapsLockInLines) {
  console_.Locate(5, 1);
  screen_.Push(Key(2, '!', kCapsLockOn));
  screen_.Push(Key(2, '1', kCapsLockOn | kShiftPressed));
  screen_.Type("\r");
  EXPECT_EQ(console_.ReadLine(), "1!");
}

TEST_F(KeyboardTest, TheCursorIsShownWhileTypingAndRestoredAfter) {
  screen_.SetCursorInfo(30, false);
  Console console(screen_);
  console.Locate(5, 1);
  EXPECT_THROW(console.ReadLine(), InputExhausted);
  EXPECT_TRUE(screen_.cursorShown());
  screen_.Type("\r");
  ConsoleProbe::Record(console).cursorRestorePending = false;  // a fresh line
  console.ReadLine();
  EXPECT_FALSE(screen_.cursorShown());
}

TEST_F(KeyboardTest, KeysTypedAheadAreReadAsIfTypedNow) {
  screen_.Type("7\r");
  screen_.Type("x");
  console_.Locate(1, 1);
  EXPECT_EQ(console_.ReadLine(), "7");
  EXPECT_EQ(console_.PollKey(), "x");
}

}  // namespace
}  // namespace console

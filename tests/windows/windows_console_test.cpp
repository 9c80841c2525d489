// The Windows backend on a real console (Wine's on the build machine): cells,
// attributes, scrolling and the cursor as the console keeps them, read back
// with the console's own calls, and key records through the console's input
// queue to the key results.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/windows/console_records.h"
#include "console/windows/windows_console.h"
#include "tests/windows/real_console.h"

namespace console {
namespace {

[[noreturn]] void FailOnLostConsole() {
  ADD_FAILURE() << "the console was lost";
  ExitProcess(3);
}

class WindowsConsoleTest : public RealConsoleTest {
 protected:
  void SetUp() override {
    RealConsoleTest::SetUp();
    if (HasFatalFailure()) return;
    // The input mode a session runs in: no Ctrl+C processing, so that a
    // queued Ctrl+C is a record to read and not an event that ends this
    // process (with exit code 0 under Wine, hiding every failure before it).
    DWORD mode = 0;
    ASSERT_TRUE(GetConsoleMode(input_, &mode));
    inputMode_ = mode;
    ASSERT_TRUE(SetConsoleMode(input_, 0));
    FlushConsoleInputBuffer(input_);
    platform_ = std::make_unique<WindowsConsole>(input_, output_, FailOnLostConsole);
    console_ = std::make_unique<Console>(*platform_);
  }
  void TearDown() override {
    console_.reset();
    platform_.reset();
    if (inputMode_) SetConsoleMode(input_, *inputMode_);
    RealConsoleTest::TearDown();
  }

  CHAR_INFO ConsoleCell(int row, int column) {
    CHAR_INFO cell{};
    SMALL_RECT region{static_cast<SHORT>(column), static_cast<SHORT>(row), static_cast<SHORT>(column),
                      static_cast<SHORT>(row)};
    EXPECT_TRUE(ReadConsoleOutputA(output_, &cell, COORD{1, 1}, COORD{0, 0}, &region));
    return cell;
  }
  std::string ConsoleText(int row, int column, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text += ConsoleCell(row, column + i).Char.AsciiChar;
    return text;
  }
  void QueueKey(std::uint16_t virtualKey, std::uint16_t scanCode, std::uint8_t character, std::uint32_t controlKeys,
                bool down = true) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down ? TRUE : FALSE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.wVirtualScanCode = scanCode;
    record.Event.KeyEvent.uChar.AsciiChar = static_cast<CHAR>(character);
    record.Event.KeyEvent.dwControlKeyState = controlKeys;
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(input_, &record, 1, &written));
  }

  std::unique_ptr<WindowsConsole> platform_;
  std::unique_ptr<Console> console_;
  std::optional<DWORD> inputMode_;
};

TEST_F(WindowsConsoleTest, TheConsoleColourBitsAreTheAttributeBits) {
  const struct {
    int color;
    WORD bits;
  } colors[] = {
      {1, FOREGROUND_BLUE},
      {2, FOREGROUND_GREEN},
      {4, FOREGROUND_RED},
      {8, FOREGROUND_INTENSITY},
      {11, FOREGROUND_INTENSITY | FOREGROUND_GREEN | FOREGROUND_BLUE},
      {12, FOREGROUND_INTENSITY | FOREGROUND_RED},
      {14, FOREGROUND_INTENSITY | FOREGROUND_RED | FOREGROUND_GREEN},
  };
  for (const auto& c : colors) {
    EXPECT_EQ(ConsoleAttributeWord(static_cast<std::uint8_t>(c.color)), c.bits) << c.color;
    EXPECT_EQ(ConsoleAttributeWord(static_cast<std::uint8_t>(c.color << 4)), c.bits << 4) << c.color;
  }
}

TEST_F(WindowsConsoleTest, CellsKeepTheirCharactersAndAttributes) {
  BufferInfo info;
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  ASSERT_GE(info.columns, 40);
  // Every foreground on one background each, and bytes the console must not
  // interpret (bell, tab, line feed, carriage return).
  std::vector<CharCell> cells;
  const std::uint8_t characters[] = {'A', 7, 9, 10, 13, 'z', 0xDB, '~'};
  for (int i = 0; i < 32; ++i) {
    cells.push_back(CharCell{characters[i % 8], static_cast<std::uint8_t>((i / 16) * 0x50 + i % 16)});
  }
  platform_->WriteCells({2, 3}, cells.data(), static_cast<int>(cells.size()));
  for (int i = 0; i < 32; ++i) {
    const CHAR_INFO shown = ConsoleCell(2, 3 + i);
    EXPECT_EQ(static_cast<std::uint8_t>(shown.Char.AsciiChar), cells[i].character) << i;
    EXPECT_EQ(CellAttribute(shown.Attributes), cells[i].attribute) << i;
  }
}

TEST_F(WindowsConsoleTest, FillsRunInReadingOrderAcrossRows) {
  BufferInfo info;
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  platform_->FillCharacter('#', info.columns + 4, {4, info.columns - 2});
  platform_->FillAttribute(0x1E, info.columns + 4, {4, info.columns - 2});
  EXPECT_EQ(ConsoleText(4, info.columns - 2, 2), "##");
  EXPECT_EQ(ConsoleText(5, 0, 3), "###");
  EXPECT_EQ(ConsoleCell(6, 1).Char.AsciiChar, '#');
  EXPECT_NE(ConsoleCell(6, 2).Char.AsciiChar, '#');
  EXPECT_EQ(CellAttribute(ConsoleCell(5, 7).Attributes), 0x1E);
}

TEST_F(WindowsConsoleTest, ScrollingMovesRowsUpAndFillsTheUncoveredRow) {
  BufferInfo info;
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  const int bottom = info.rows - 1;
  const CharCell top[] = {{'t', 0x0A}, {'o', 0x0A}, {'p', 0x0A}};
  const CharCell last[] = {{'e', 0x0C}, {'n', 0x0C}, {'d', 0x0C}};
  platform_->WriteCells({1, 0}, top, 3);
  platform_->WriteCells({bottom, 0}, last, 3);
  platform_->ScrollRows(1, bottom, 0, CharCell{' ', 0x4E});
  EXPECT_EQ(ConsoleText(0, 0, 3), "top");
  EXPECT_EQ(ConsoleText(bottom - 1, 0, 3), "end");
  EXPECT_EQ(CellAttribute(ConsoleCell(bottom - 1, 0).Attributes), 0x0C);
  EXPECT_EQ(ConsoleText(bottom, 0, 3), "   ");
  EXPECT_EQ(CellAttribute(ConsoleCell(bottom, 0).Attributes), 0x4E);
}

TEST_F(WindowsConsoleTest, CursorPositionShapeAndVisibility) {
  platform_->SetCursorPosition({3, 7});
  BufferInfo info;
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  EXPECT_EQ(info.cursor.row, 3);
  EXPECT_EQ(info.cursor.column, 7);
  for (const auto& [size, visible] : {std::pair{25u, false}, std::pair{100u, true}, std::pair{10u, true}}) {
    platform_->SetCursorInfo(size, visible);
    std::uint32_t shownSize = 0;
    bool shownVisible = !visible;
    ASSERT_TRUE(platform_->GetCursorInfo(shownSize, shownVisible));
    EXPECT_EQ(shownSize, size);
    EXPECT_EQ(shownVisible, visible);
  }
}

TEST_F(WindowsConsoleTest, TextWrittenThroughTheConsoleOperationsWrapsAtTheRightEdge) {
  console_->SetColor(Color::kYellow, Color::kBlue);
  console_->ClearScreen();
  BufferInfo info;
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  console_->Locate(2, info.columns - 2);
  console_->PrintText("abcde");
  EXPECT_EQ(ConsoleText(1, info.columns - 3, 3), "abc");
  EXPECT_EQ(ConsoleText(2, 0, 2), "de");
  EXPECT_EQ(CellAttribute(ConsoleCell(2, 0).Attributes), 0x1E);
  ASSERT_TRUE(platform_->GetBufferInfo(info));
  EXPECT_EQ(info.cursor.row, 2);
  EXPECT_EQ(info.cursor.column, 2);
  CONSOLE_SCREEN_BUFFER_INFO raw;
  ASSERT_TRUE(GetConsoleScreenBufferInfo(output_, &raw));
  EXPECT_EQ(raw.wAttributes, 0x1E);
}

TEST_F(WindowsConsoleTest, KeyRecordsFromTheConsoleQueueGiveTheKeyResults) {
  struct Key {
    const char* name;
    std::uint16_t virtualKey, scanCode;
    std::uint8_t character;
    std::uint32_t controlKeys;
    std::string expected;
  };
  const Key keys[] = {
      {"letter", 0x41, 30, 'a', 0, "a"},
      {"caps shifted digit", 0x31, 2, '!', CAPSLOCK_ON, "1"},
      {"caps shift digit", 0x31, 2, '1', CAPSLOCK_ON | SHIFT_PRESSED, "!"},
      {"alt letter", 0x41, 30, 'a', LEFT_ALT_PRESSED, std::string{'\0', 30}},
      {"altgr letter", 0x51, 16, '@', RIGHT_ALT_PRESSED | LEFT_CTRL_PRESSED, std::string{'\0', 16}},
      {"ctrl+c", 0x43, 46, 3, LEFT_CTRL_PRESSED, "\x03"},
      {"f10", 0x79, 68, 0, 0, std::string{'\0', 68}},
      {"esc", 0x1B, 1, 27, 0, "\x1b"},
  };
  for (const Key& key : keys) {
    QueueKey(0x10, 42, 0, SHIFT_PRESSED);  // a lone Shift first: nothing
    QueueKey(key.virtualKey, key.scanCode, key.character, key.controlKeys);
    QueueKey(key.virtualKey, key.scanCode, key.character, key.controlKeys, false);
    EXPECT_EQ(console_->PollKey(), key.expected) << key.name;
    EXPECT_EQ(console_->PollKey(), "") << key.name;
    DWORD left = 1;
    ASSERT_TRUE(GetNumberOfConsoleInputEvents(input_, &left));
    EXPECT_EQ(left, 0u) << key.name;
  }
}

TEST_F(WindowsConsoleTest, ALineIsReadFromQueuedKeysAfterTheWait) {
  const char typed[] = "12x\b5\r";
  for (const char c : std::string(typed)) {
    QueueKey(0, c == '\r' ? 28 : (c == '\b' ? 14 : 2), static_cast<std::uint8_t>(c), 0);
    QueueKey(0, c == '\r' ? 28 : (c == '\b' ? 14 : 2), static_cast<std::uint8_t>(c), 0, false);
  }
  console_->ClearScreen();
  EXPECT_EQ(console_->ReadLine(), "125");
  EXPECT_EQ(ConsoleText(0, 0, 4), "125 ");
}

TEST_F(WindowsConsoleTest, PeekLeavesTheRecordAndReadTakesIt) {
  QueueKey(0x42, 48, 'b', 0);
  InputRecord record;
  ASSERT_TRUE(platform_->PeekInput(record));
  EXPECT_EQ(record.character, 'b');
  platform_->WaitForInput();  // a record is queued: returns at once
  ASSERT_TRUE(platform_->ReadInput(record));
  EXPECT_EQ(record.scanCode, 48);
  // Wine's console may queue events of its own (window size) meanwhile.
  FlushConsoleInputBuffer(input_);
  EXPECT_FALSE(platform_->PeekInput(record));
  EXPECT_FALSE(platform_->ReadInput(record));  // an empty queue does not block
}

}  // namespace
}  // namespace console

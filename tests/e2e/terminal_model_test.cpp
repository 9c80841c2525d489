// The terminal model is the oracle of the renderer and end-to-end tests, so
// it is checked on its own against xterm's documented behaviour for the same bytes.
#include "tests/e2e/terminal_model.h"

#include <gtest/gtest.h>

#include <string>

namespace termtest {
namespace {

struct ReplayRow {
  const char* what;
  std::string_view bytes;
  int row;                // where to look, 0-based
  std::string_view text;  // the first cells of that row
  int cursorRow;
  int cursorColumn;
  std::size_t errors;
};

// A 10x3 terminal, autowrap on as it starts.
constexpr ReplayRow kReplayRows[] = {
    {"plain text", "abc", 0, "abc ", 0, 3, 0},
    {"CUP is 1-based, row first", "\x1b[2;3Hx", 1, "  x ", 1, 3, 0},
    {"CUP without parameters is home", "zz\x1b[Hy", 0, "yz", 0, 1, 0},
    {"CR and LF are plain moves", "ab\r\ncd", 1, "cd ", 1, 2, 0},
    {"BS steps back, stops at column 1", "\bab\b\b\bX", 0, "Xb", 0, 1, 0},
    {"relative moves clamp at the edges", "\x1b[5B\x1b[20C\x1b[2A\x1b[3Dq", 0, "      q", 0, 7, 0},
    {"CHA sets the column", "\x1b[3G*", 0, "  *", 0, 3, 0},
    {"autowrap on: the eleventh character wraps", "0123456789A", 1, "A ", 1, 1, 0},
    {"autowrap off: the last column is overwritten", "\x1b[?7l0123456789AB", 0, "012345678B", 0, 9, 0},
    {"UTF-8 glyph takes one cell", "\xe2\x99\xaaz", 0, "\xe2\x99\xaaz ", 0, 2, 0},
    {"a C0 control is an error",
     "a\x07"
     "b",
     0, "ab", 0, 2, 1},
    {"a C1 control in UTF-8 is an error",
     "a\xc2\x9b"
     "b",
     0, "ab", 0, 2, 1},
    {"an unknown sequence is an error", "\x1b[5n", 0, " ", 0, 0, 1},
    {"CAN ends a sequence unfinished", "\x1b[3\x18x", 0, "x", 0, 1, 0},
    {"ESC inside a sequence starts another", "\x1b[3\x1b[2Gx", 0, " x", 0, 2, 0},
    {"margin reset homes the cursor", "\x1b[3;4H\x1b[rh", 0, "h", 0, 1, 0},
    {"a scroll region is not expected", "\x1b[1;2r", 0, " ", 0, 0, 1},
};

TEST(TerminalModel, ReplaysLikeXterm) {
  for (const ReplayRow& row : kReplayRows) {
    TerminalModel model(10, 3);
    model.Feed(row.bytes);
    EXPECT_EQ(model.TextAt(row.row, 0, static_cast<int>(std::string_view(row.text).size())).substr(0, row.text.size()),
              row.text)
        << row.what;
    EXPECT_EQ(model.cursorRow, row.cursorRow) << row.what;
    EXPECT_EQ(model.cursorColumn, row.cursorColumn) << row.what;
    EXPECT_EQ(model.errors.size(), row.errors) << row.what;
  }
}

TEST(TerminalModel, LineFeedOnTheBottomRowScrolls) {
  TerminalModel model(4, 2);
  model.Feed("top\r\nbot\n");
  EXPECT_EQ(model.scrolls, 1);
  EXPECT_EQ(model.RowText(0), "bot ");
  EXPECT_EQ(model.RowText(1), "    ");
}

struct SgrRow {
  std::string_view bytes;
  int foreground;
  int background;
};
constexpr SgrRow kSgrRows[] = {
    {"\x1b[31m", 1, kDefaultColor},
    {"\x1b[94m", 12, kDefaultColor},
    {"\x1b[0;37;40m", 7, 0},
    {"\x1b[105m", kDefaultColor, 13},
    {"\x1b[31;44m\x1b[m", kDefaultColor, kDefaultColor},
    {"\x1b[92;41m\x1b[39m", kDefaultColor, 1},
};

TEST(TerminalModel, SgrSetsThePenAndCellsTakeIt) {
  for (const SgrRow& row : kSgrRows) {
    TerminalModel model(5, 1);
    model.Feed(row.bytes);
    model.Feed("x");
    EXPECT_EQ(model.Cell(0, 0).foreground, row.foreground) << row.bytes.substr(1);
    EXPECT_EQ(model.Cell(0, 0).background, row.background) << row.bytes.substr(1);
  }
}

TEST(TerminalModel, EraseTakesTheBackgroundOfThePenWhereTheTerminalDoesSo) {
  for (const bool bce : {true, false}) {
    TerminalModel model(3, 2);
    model.backgroundColorErase = bce;
    model.Feed("abc\x1b[44m\x1b[2J");
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(model.Cell(0, column).glyph, " ");
      EXPECT_EQ(model.Cell(1, column).background, bce ? 4 : kDefaultColor) << bce;
    }
    EXPECT_EQ(model.sgrColorCodes, 1);
  }
}

TEST(TerminalModel, EraseInLineStaysInTheCursorsRow) {
  struct Row {
    const char* erase;
    const char* top;
    const char* middle;
  };
  const Row rows[] = {{"\x1b[K", "abcd", "ef  "},
                      {"\x1b[0K", "abcd", "ef  "},
                      {"\x1b[1K", "abcd", "   h"},
                      {"\x1b[2K", "abcd", "    "}};
  for (const Row& row : rows) {
    TerminalModel model(4, 3);
    model.Feed(std::string("abcdefghijkl\x1b[2;3H") + row.erase);
    EXPECT_EQ(model.RowText(0), row.top) << row.erase + 1;
    EXPECT_EQ(model.RowText(1), row.middle) << row.erase + 1;
    EXPECT_EQ(model.RowText(2), "ijkl") << row.erase + 1;
    EXPECT_TRUE(model.errors.empty()) << row.erase + 1;
  }
}

TEST(TerminalModel, ModesAndRequestsAreNoted) {
  TerminalModel model(80, 24);
  model.Feed("\x1b[?25l\x1b[?2004h\x1b[?7l\x1b[8;60;80t");
  EXPECT_FALSE(model.cursorVisible);
  EXPECT_TRUE(model.bracketedPaste);
  EXPECT_FALSE(model.autowrap);
  ASSERT_EQ(model.resizeRequests.size(), 1u);
  EXPECT_EQ(model.resizeRequests[0].rows, 60);
  EXPECT_EQ(model.resizeRequests[0].columns, 80);
  model.Feed("\x1b[?25h\x1b[?2004l\x1b[?7h");
  EXPECT_TRUE(model.cursorVisible);
  EXPECT_FALSE(model.bracketedPaste);
  EXPECT_TRUE(model.autowrap);
  EXPECT_TRUE(model.errors.empty());
}

TEST(TerminalModel, ColourIndicesMapBetweenConsoleAndAnsi) {
  // Console blue 1 is ANSI 4; red 4 is ANSI 1; bright bits stay.
  const int pairs[][2] = {{0, 0}, {1, 4}, {2, 2}, {3, 6}, {4, 1}, {6, 3}, {9, 12}, {12, 9}, {14, 11}, {15, 15}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(AnsiOfConsoleColor(pair[0]), pair[1]);
    EXPECT_EQ(ConsoleColorOfAnsi(pair[1]), pair[0]);
  }
}

}  // namespace
}  // namespace termtest

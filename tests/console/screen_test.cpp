// Screen operations on the in-memory console: wrapping, the deferred scroll
// of the bottom row, new lines, cursor placement, colours.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "console/console.h"
#include "tests/support/console_fixture.h"
#include "tests/support/console_probe.h"
#include "tests/support/expected_screen.h"
#include "tests/support/memory_console.h"

namespace console {
namespace {

class ScreenTest : public ConsoleOnMemory {};

TEST_F(ScreenTest, SetScreenSizeGivesTheRequestedBuffer) {
  EXPECT_EQ(console_.ScreenRows(), 60);
  EXPECT_EQ(screen_.columns(), 80);
}

TEST_F(ScreenTest, SetScreenSizeAboveTheLimitChangesNothing) {
  console_.SetScreenSize(10000, 60);
  console_.SetScreenSize(80, 0xFFFFFFFFu);  // -1 seen unsigned
  EXPECT_EQ(screen_.columns(), 80);
  EXPECT_EQ(console_.ScreenRows(), 60);
}

TEST(ScreenSize, ADisplayThatCannotShowSixtyRowsReportsItsOwnHeight) {
  MemoryConsole small(80, 24, 80, 24);
  Console console(small);
  console.SetScreenSize(80, 60);
  EXPECT_EQ(console.ScreenRows(), 24);
  EXPECT_EQ(small.columns(), 80);
}

TEST_F(ScreenTest, EightyCharactersWrapToTheNextRow) {
  console_.Locate(10, 1);
  console_.PrintText(std::string(80, 'x'));
  EXPECT_EQ(Cursor().row, 10);
  EXPECT_EQ(Cursor().column, 0);
  EXPECT_EQ(screen_.RowText(9), std::string(80, 'x'));
  EXPECT_FALSE(ConsoleProbe::Record(console_).scrollPending);
}

TEST_F(ScreenTest, LongTextWrapsAcrossRows) {
  console_.Locate(3, 75);
  console_.PrintText("0123456789");
  EXPECT_EQ(screen_.RowText(2).substr(74), "012345");
  EXPECT_EQ(screen_.RowText(3).substr(0, 5), "6789 ");
  EXPECT_EQ(Cursor().row, 3);
  EXPECT_EQ(Cursor().column, 4);
}

TEST_F(ScreenTest, FillingTheBottomRowDefersTheScroll) {
  console_.Locate(59, 1);
  console_.PrintText("above");
  console_.Locate(60, 1);
  console_.PrintText(std::string(80, 'b'));
  EXPECT_EQ(screen_.RowText(59), std::string(80, 'b')) << "no scroll yet";
  EXPECT_EQ(Cursor().row, 59);
  EXPECT_EQ(Cursor().column, 0);
  EXPECT_TRUE(ConsoleProbe::Record(console_).scrollPending);

  console_.PrintText("c");
  EXPECT_EQ(screen_.RowText(58), std::string(80, 'b'));
  EXPECT_EQ(screen_.RowText(57).substr(0, 5), "above");
  EXPECT_EQ(screen_.RowText(59), "c" + std::string(79, ' '));
  EXPECT_EQ(Cursor().column, 1);
  EXPECT_FALSE(ConsoleProbe::Record(console_).scrollPending);
}

TEST_F(ScreenTest, NewLineAfterAFullBottomRowScrollsTwice) {
  console_.Locate(60, 1);
  console_.PrintText(std::string(80, 'b'));
  console_.PrintNewLine();
  EXPECT_EQ(screen_.RowText(57), std::string(80, 'b'));
  EXPECT_EQ(screen_.RowText(58), std::string(80, ' '));
  EXPECT_EQ(screen_.RowText(59), std::string(80, ' '));
  EXPECT_EQ(Cursor().row, 59);
  EXPECT_EQ(Cursor().column, 0);
}

TEST_F(ScreenTest, LocateCancelsAPendingScroll) {
  console_.Locate(60, 1);
  console_.PrintText(std::string(80, 'b'));
  console_.Locate(60, 5);
  console_.PrintText("z");
  EXPECT_EQ(screen_.scrollCalls, 0);
  EXPECT_EQ(screen_.RowText(59), std::string(4, 'b') + "z" + std::string(75, 'b'));
}

TEST_F(ScreenTest, EmptyTextNeitherMovesNorScrolls) {
  console_.Locate(60, 1);
  console_.PrintText(std::string(80, 'b'));
  console_.PrintText("");
  EXPECT_EQ(screen_.scrollCalls, 0);
  EXPECT_EQ(Cursor().row, 59);
  EXPECT_EQ(Cursor().column, 0);
  EXPECT_TRUE(ConsoleProbe::Record(console_).scrollPending);
}

TEST_F(ScreenTest, NewLineAwayFromTheBottomOnlyMovesTheCursor) {
  console_.Locate(20, 1);
  console_.PrintText("kept");
  console_.Locate(19, 30);
  console_.PrintNewLine();
  EXPECT_EQ(Cursor().row, 19);
  EXPECT_EQ(Cursor().column, 0);
  EXPECT_EQ(screen_.RowText(19).substr(0, 4), "kept");
  EXPECT_EQ(screen_.scrollCalls, 0);
}

TEST_F(ScreenTest, NewLineOnTheBottomRowScrollsOnce) {
  console_.Locate(60, 1);
  console_.PrintText("last");
  console_.PrintNewLine();
  EXPECT_EQ(screen_.RowText(58).substr(0, 4), "last");
  EXPECT_EQ(screen_.scrollCalls, 1);
}

struct LocateRow {
  int row, column;
  int expectedRow, expectedColumn;  // 0-based, starting from (9, 19)
};

TEST_F(ScreenTest, LocateKeepsEachBadCoordinateOnItsOwn) {
  const LocateRow rows[] = {
      {5, 5, 4, 4},    {0, 5, 9, 4},     {61, 5, 9, 4}, {5, 81, 4, 19},  {5, 0, 4, 19},
      {-1, -1, 9, 19}, {60, 80, 59, 79}, {1, 1, 0, 0},  {61, 81, 9, 19}, {-2147483647 - 1, 3, 9, 2},
  };
  for (const LocateRow& r : rows) {
    console_.Locate(10, 20);
    console_.Locate(r.row, r.column);
    EXPECT_EQ(Cursor().row, r.expectedRow) << r.row << "," << r.column;
    EXPECT_EQ(Cursor().column, r.expectedColumn) << r.row << "," << r.column;
  }
}

TEST_F(ScreenTest, SetColorKeepsEachColourAskedToBeKept) {
  console_.SetColor(Color::kLightRed, kKeepColor);
  EXPECT_EQ(ConsoleProbe::Record(console_).foreground, Color::kLightRed);
  EXPECT_EQ(ConsoleProbe::Record(console_).background, Color::kBlack);
  console_.SetColor(kKeepColor, kKeepColor);
  EXPECT_EQ(ConsoleProbe::Record(console_).foreground, Color::kLightRed);
  EXPECT_EQ(ConsoleProbe::Record(console_).background, Color::kBlack);
  console_.SetColor(kKeepColor, Color::kBlue);
  EXPECT_EQ(ConsoleProbe::Record(console_).foreground, Color::kLightRed);
  EXPECT_EQ(ConsoleProbe::Record(console_).background, Color::kBlue);
  EXPECT_EQ(screen_.textAttribute(), 0x1C);
  console_.Locate(1, 1);
  console_.PrintText("A");
  EXPECT_EQ(screen_.Cell(0, 0).attribute, 0x1C);
  EXPECT_EQ(screen_.Cell(0, 1).attribute, 0x07) << "cells not written keep their colours";
}

TEST_F(ScreenTest, ClearScreenUsesTheCurrentColoursAndHomesTheCursor) {
  console_.Locate(30, 30);
  console_.PrintText("junk");
  console_.SetColor(Color::kYellow, kKeepColor);
  console_.ClearScreen();
  for (int r = 0; r < 60; ++r) {
    for (int c = 0; c < 80; ++c) {
      ASSERT_EQ(screen_.Cell(r, c), (CharCell{' ', 0x0E})) << r << "," << c;
    }
  }
  EXPECT_EQ(Cursor().row, 0);
  EXPECT_EQ(Cursor().column, 0);
  EXPECT_TRUE(screen_.cursorShown());
  EXPECT_FALSE(ConsoleProbe::Record(console_).cursorRestorePending);
}

TEST_F(ScreenTest, ControlCharactersAreShownNotObeyed) {
  console_.Locate(5, 1);
  console_.PrintText(std::string("a\r\nb\a\t\0", 7));
  const std::string row = screen_.RowText(4);
  EXPECT_EQ(row.substr(0, 7), std::string("a\r\nb\a\t\0", 7));
  EXPECT_EQ(Cursor().row, 4);
  EXPECT_EQ(Cursor().column, 7);
}

TEST(ScreenBlocks, ARowSegmentIsWrittenInBlocksOfAtMost256Cells) {
  MemoryConsole wide(400, 5, 400, 5);
  Console onWide(wide);
  onWide.Locate(1, 1);
  onWide.PrintText(std::string(300, 'w'));
  EXPECT_EQ(wide.writeCalls, 2);
  EXPECT_EQ(wide.RowText(0).substr(0, 300), std::string(300, 'w'));
  MemoryConsole narrow(80, 25, 80, 25);
  Console onNarrow(narrow);
  onNarrow.Locate(1, 1);
  onNarrow.PrintText(std::string(200, 'n'));
  EXPECT_EQ(narrow.writeCalls, 3) << "one block per row touched";
}

TEST(Spaces, BuildsBlankTextsAndRecordsBadLengths) {
  MemoryConsole screen;
  Console console(screen);
  EXPECT_EQ(console.Spaces(80), std::string(80, ' '));
  EXPECT_EQ(console.Spaces(0), "");
  EXPECT_EQ(ConsoleProbe::ErrorNumber(console), 0u);
  EXPECT_EQ(console.Spaces(-1), "");
  EXPECT_EQ(ConsoleProbe::ErrorNumber(console), 0xA007u);
  ConsoleProbe::RecordError(console, 0);
  EXPECT_EQ(ConsoleProbe::ErrorNumber(console), 0xA033u);
}

TEST(CursorShape, ComesFromTheConsoleOrDefaultsToAVisibleUnderline) {
  MemoryConsole screen;
  screen.SetCursorInfo(50, false);
  Console reported(screen);
  EXPECT_EQ(ConsoleProbe::Record(reported).cursorSize, 50u);
  EXPECT_FALSE(ConsoleProbe::Record(reported).cursorVisible);
  screen.failCursorInfo = true;
  Console unreported(screen);
  EXPECT_EQ(ConsoleProbe::Record(unreported).cursorSize, 10u);
  EXPECT_TRUE(ConsoleProbe::Record(unreported).cursorVisible);
}

TEST(CursorShape, SuspendForceAndRestoreReturnToTheWantedVisibility) {
  MemoryConsole screen;
  Console console(screen);
  ConsoleProbe::SuspendCursor(console);
  EXPECT_FALSE(screen.cursorShown());
  EXPECT_TRUE(ConsoleProbe::Record(console).cursorVisible);
  ConsoleProbe::RestoreCursor(console);
  EXPECT_TRUE(screen.cursorShown());
  ConsoleProbe::Record(console).cursorVisible = false;
  screen.SetCursorInfo(ConsoleProbe::Record(console).cursorSize, false);
  ConsoleProbe::ForceCursor(console);
  EXPECT_TRUE(screen.cursorShown());
  ConsoleProbe::RestoreCursor(console);
  EXPECT_FALSE(screen.cursorShown());
}

// The expected-screen model writes one character at a time, wraps at the
// right edge and scrolls only when the next character arrives on a full
// bottom row.
TEST(ScreenRandom, AgreesWithACharacterByCharacterModel) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 200; ++round) {
    const int columns = 1 + static_cast<int>(random() % 12);
    const int rows = 1 + static_cast<int>(random() % 6);
    MemoryConsole screen(columns, rows, columns, rows);
    Console console(screen);
    ExpectedScreen model(rows, columns);
    for (int step = 0; step < 60; ++step) {
      switch (random() % 4) {
        case 0: {
          const int r = static_cast<int>(random() % static_cast<unsigned>(rows + 2));
          const int c = static_cast<int>(random() % static_cast<unsigned>(columns + 2));
          console.Locate(r, c);
          model.Locate(r, c);
          break;
        }
        case 1:
          console.PrintNewLine();
          model.NewLine(7);
          break;
        default: {
          std::string text(random() % static_cast<unsigned>(2 * columns + 2), ' ');
          for (char& ch : text) ch = static_cast<char>('a' + random() % 26);
          model.Write(text, 7);
          console.PrintText(text);
        }
      }
      ASSERT_EQ(screen.Text(), model.Text()) << "round " << round << " step " << step;
      ASSERT_EQ(screen.cursor().row, model.cursor().row);
      ASSERT_EQ(screen.cursor().column, model.cursor().column);
      ASSERT_EQ(ConsoleProbe::Record(console).scrollPending, model.scrollPending());
    }
  }
}

}  // namespace
}  // namespace console

// The renderer, checked by its effect: its bytes are replayed into an
// independent terminal model, which must then show the target grid, colours
// and cursor. Plus what the bytes cost.
#include "console/terminal/renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "console/cp437.h"
#include "tests/e2e/terminal_model.h"

namespace console {
namespace {

using termtest::AnsiOfConsoleColor;
using termtest::TerminalModel;

ScreenFrame BlankFrame(int columns, int rows) {
  ScreenFrame frame;
  frame.columns = columns;
  frame.rows = rows;
  frame.cells.assign(static_cast<std::size_t>(columns * rows), CharCell{' ', 0x07});
  return frame;
}

void Put(ScreenFrame& frame, int row, int column, std::string_view text, std::uint8_t attribute) {
  for (std::size_t i = 0; i < text.size() && column + static_cast<int>(i) < frame.columns; ++i) {
    frame.cells[static_cast<std::size_t>(row * frame.columns + column) + i] =
        CharCell{static_cast<std::uint8_t>(text[i]), attribute};
  }
}

// A model terminal as the console leaves it while running: autowrap off;
// erasing in the pen's background or not, as the terminal does.
TerminalModel RunningTerminal(int columns, int rows, bool backgroundColorErase = true) {
  TerminalModel model(columns, rows);
  model.backgroundColorErase = backgroundColorErase;
  model.Feed("\x1b[?7l");
  return model;
}

// The model shows `frame`: every glyph, every background, the foreground of
// every non-blank cell, and the cursor. Without colours: every glyph, in the
// terminal's own colours throughout.
::testing::AssertionResult Shows(const TerminalModel& model, const ScreenFrame& frame,
                                 const TerminalCapabilities& terminal = {}) {
  if (!model.errors.empty()) return ::testing::AssertionFailure() << "terminal saw: " << model.errors.front();
  for (int row = 0; row < frame.rows; ++row) {
    for (int column = 0; column < frame.columns; ++column) {
      const CharCell want = frame.cells[static_cast<std::size_t>(row * frame.columns + column)];
      const termtest::ModelCell& got = model.Cell(row, column);
      const std::string glyph(Cp437Glyph(want.character));
      const bool blank = glyph == " ";
      const bool glyphOk = blank ? got.glyph == " " : got.glyph == glyph;
      const int background = terminal.colors ? AnsiOfConsoleColor(want.attribute >> 4) : termtest::kDefaultColor;
      const int foreground = terminal.colors ? AnsiOfConsoleColor(want.attribute & 0x0F) : termtest::kDefaultColor;
      const bool backgroundOk = got.background == background;
      const bool foregroundOk = (blank && terminal.colors) || got.foreground == foreground;
      if (!glyphOk || !backgroundOk || !foregroundOk) {
        return ::testing::AssertionFailure()
               << "cell " << row << "," << column << " shows '" << got.glyph << "' " << got.foreground << "/"
               << got.background << ", want byte " << int{want.character} << " attribute " << int{want.attribute};
      }
    }
  }
  const bool inside = frame.cursor.row < frame.rows && frame.cursor.column < frame.columns;
  if (terminal.cursorVisibility && model.cursorVisible != (frame.cursorVisible && inside)) {
    return ::testing::AssertionFailure() << "cursor visibility " << model.cursorVisible;
  }
  if (inside && (model.cursorRow != frame.cursor.row || model.cursorColumn != frame.cursor.column)) {
    return ::testing::AssertionFailure() << "cursor at " << model.cursorRow << "," << model.cursorColumn << ", want "
                                         << frame.cursor.row << "," << frame.cursor.column;
  }
  return ::testing::AssertionSuccess();
}

std::string Paint(const ScreenFrame& frame, PaintedScreen& painted, TerminalModel& model,
                  const TerminalCapabilities& terminal = {}) {
  std::string bytes;
  Render(frame, painted, bytes, terminal);
  model.Feed(bytes);
  return bytes;
}

// --- Colours -------------------------------------------------------------

struct ColorRow {
  int console;
  int foregroundSgr;
  int backgroundSgr;
};
// The console orders blue 1, green 2, red 4; ANSI red 1, green 2, blue 4.
constexpr ColorRow kColorRows[] = {
    {0, 30, 40},   {1, 34, 44},   {2, 32, 42},   {3, 36, 46},   {4, 31, 41},   {5, 35, 45},
    {6, 33, 43},   {7, 37, 47},   {8, 90, 100},  {9, 94, 104},  {10, 92, 102}, {11, 96, 106},
    {12, 91, 101}, {13, 95, 105}, {14, 93, 103}, {15, 97, 107},
};

// Whether some SGR sequence in `bytes` carries `code` as one of its parameters.
bool HasSgrParameter(const std::string& bytes, int code) {
  const std::string number = std::to_string(code);
  for (std::size_t at = bytes.find(number); at != std::string::npos; at = bytes.find(number, at + 1)) {
    const char before = at > 0 ? bytes[at - 1] : '\0';
    const char after = at + number.size() < bytes.size() ? bytes[at + number.size()] : '\0';
    if ((before == '[' || before == ';') && (after == 'm' || after == ';')) {
      const std::size_t end = bytes.find_first_not_of("0123456789;", at);
      if (end != std::string::npos && bytes[end] == 'm') return true;
    }
  }
  return false;
}

TEST(RendererColors, EachConsoleColorBecomesItsAnsiCode) {
  for (const ColorRow& row : kColorRows) {
    // The colour as foreground on black, then as background under white.
    for (const bool asBackground : {false, true}) {
      const std::uint8_t attribute =
          asBackground ? static_cast<std::uint8_t>(row.console * 16 + 15) : static_cast<std::uint8_t>(row.console);
      ScreenFrame frame = BlankFrame(4, 2);
      Put(frame, 1, 2, "X", attribute);
      PaintedScreen painted;
      TerminalModel model = RunningTerminal(4, 2);
      const std::string bytes = Paint(frame, painted, model);
      const int code = asBackground ? row.backgroundSgr : row.foregroundSgr;
      EXPECT_TRUE(HasSgrParameter(bytes, code))
          << "colour " << row.console << (asBackground ? " background" : " foreground") << " in " << bytes;
      const int ansi = code % 10 + (code >= 90 ? 8 : 0);
      EXPECT_EQ(asBackground ? model.Cell(1, 2).background : model.Cell(1, 2).foreground, ansi)
          << "colour " << row.console;
      EXPECT_TRUE(Shows(model, frame));
    }
  }
}

TEST(RendererColors, UnchangedColoursAreNotSentAgain) {
  ScreenFrame frame = BlankFrame(20, 3);
  Put(frame, 0, 0, "abc", 0x0A);
  Put(frame, 2, 5, "def", 0x0A);
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(20, 3);
  const std::string bytes = Paint(frame, painted, model);
  // One colour for the clear, one for the green text, none for the second run.
  std::size_t sgrCount = 0;
  for (std::size_t at = bytes.find('m'); at != std::string::npos; at = bytes.find('m', at + 1)) ++sgrCount;
  EXPECT_EQ(sgrCount, 2u) << bytes;
  EXPECT_TRUE(Shows(model, frame));
}

// --- Glyphs --------------------------------------------------------------

TEST(RendererGlyphs, EveryByteShowsItsCodePage437Glyph) {
  ScreenFrame frame = BlankFrame(16, 16);
  for (int byte = 0; byte < 256; ++byte) {
    frame.cells[static_cast<std::size_t>(byte)] = {static_cast<std::uint8_t>(byte), 0x1E};
  }
  frame.cursor = {15, 15};
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(16, 16);
  const std::string bytes = Paint(frame, painted, model);
  EXPECT_TRUE(Shows(model, frame));
  // The model records any control it is sent; there must be none beyond the
  // moves (CR, LF, BS) and escape sequences.
  EXPECT_TRUE(model.errors.empty());
  EXPECT_EQ(model.scrolls, 0);
}

struct GlyphRow {
  std::uint8_t byte;
  std::string_view glyph;
};
// Control codes are drawn, not obeyed.
constexpr GlyphRow kControlGlyphs[] = {
    {7, "\u2022"}, {9, "\u25CB"}, {10, "\u25D9"}, {13, "\u266A"}, {27, "\u2190"}, {0, " "}, {127, "\u2302"},
};

TEST(RendererGlyphs, ControlBytesShowAsPictures) {
  for (const GlyphRow& row : kControlGlyphs) {
    EXPECT_EQ(TerminalGlyph(row.byte), row.glyph) << int{row.byte};
  }
}

TEST(RendererGlyphs, NoGlyphCarriesAControlCode) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string_view glyph = TerminalGlyph(static_cast<std::uint8_t>(byte));
    ASSERT_FALSE(glyph.empty());
    for (std::size_t i = 0; i < glyph.size(); ++i) {
      const auto unit = static_cast<unsigned char>(glyph[i]);
      EXPECT_FALSE(unit < 0x20 || unit == 0x7F) << byte;
      // U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
      if (unit == 0xC2 && i + 1 < glyph.size()) {
        EXPECT_GE(static_cast<unsigned char>(glyph[i + 1]), 0xA0) << byte;
      }
    }
  }
}

// --- Difference painting --------------------------------------------------

TEST(RendererDiff, NothingChangedWritesNothing) {
  ScreenFrame frame = BlankFrame(30, 6);
  Put(frame, 2, 3, "hello", 0x0C);
  frame.cursor = {2, 8};
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(30, 6);
  Paint(frame, painted, model);
  EXPECT_EQ(Paint(frame, painted, model), "");
  EXPECT_TRUE(Shows(model, frame));
}

TEST(RendererDiff, ABlankDiffersOnlyByItsBackground) {
  ScreenFrame frame = BlankFrame(10, 2);
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(10, 2);
  Paint(frame, painted, model);
  // A clear in another foreground looks the same: nothing to send.
  for (CharCell& cell : frame.cells) cell.attribute = 0x0B;
  EXPECT_EQ(Paint(frame, painted, model), "");
  // Another background must be painted.
  for (CharCell& cell : frame.cells) cell.attribute = 0x1B;
  EXPECT_NE(Paint(frame, painted, model), "");
  EXPECT_TRUE(Shows(model, frame));
}

TEST(RendererDiff, ForgottenScreenIsClearedAndPaintedWhole) {
  ScreenFrame frame = BlankFrame(20, 5);
  Put(frame, 0, 0, "top", 0x0E);
  Put(frame, 4, 17, "end", 0x4F);
  frame.cursor = {3, 3};
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(20, 5);
  Paint(frame, painted, model);
  // Someone else scribbles on the terminal (a shell while the program was stopped).
  model.Feed("\x1b[0m\x1b[2;2Hgarbage\x1b[5;1Hmore\x1b[?25l");
  painted.Forget();
  Paint(frame, painted, model);
  EXPECT_TRUE(Shows(model, frame));
}

TEST(RendererDiff, CursorOutsideTheFrameIsHidden) {
  ScreenFrame frame = BlankFrame(10, 3);
  frame.cursor = {7, 2};  // the buffer is taller than the terminal
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(10, 3);
  Paint(frame, painted, model);
  EXPECT_FALSE(model.cursorVisible);
  frame.cursor = {1, 2};
  Paint(frame, painted, model);
  EXPECT_TRUE(model.cursorVisible);
  EXPECT_TRUE(Shows(model, frame));
}

TEST(RendererDiff, WritingTheBottomRightCellNeverScrolls) {
  ScreenFrame frame = BlankFrame(8, 3);
  Put(frame, 2, 0, "abcdefgh", 0x0F);
  frame.cursor = {0, 0};
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(8, 3);
  Paint(frame, painted, model);
  Put(frame, 2, 7, "Z", 0x0E);
  Put(frame, 0, 0, "q", 0x0E);
  Paint(frame, painted, model);
  EXPECT_EQ(model.scrolls, 0);
  EXPECT_TRUE(Shows(model, frame));
}

// Random screens: many random edits, a paint by difference after each; the
// terminal must show each frame exactly, and end up looking as a single paint
// of the final frame on a fresh terminal does.
void RandomEdits(int columns, int rows, unsigned seed, int rounds, const TerminalCapabilities& terminal = {}) {
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  ScreenFrame frame = BlankFrame(columns, rows);
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(columns, rows, terminal.backgroundColorErase);
  // A few colours, so that runs often share them, plus any byte now and then.
  const std::uint8_t attributes[] = {0x07, 0x0A, 0x0B, 0x0C, 0x0E, 0x1F, 0x4E, 0x70};
  for (int round = 0; round < rounds; ++round) {
    const int edits = 1 + below(6);
    for (int e = 0; e < edits; ++e) {
      const int kind = below(10);
      const std::uint8_t attribute = attributes[below(8)];
      if (kind < 6) {
        const int row = below(rows);
        const int column = below(columns);
        std::string text;
        const int length = 1 + below(std::max(1, columns / 2));
        for (int i = 0; i < length; ++i) {
          text += below(4) == 0 ? static_cast<char>(below(256)) : static_cast<char>('a' + below(26));
        }
        Put(frame, row, column, text, attribute);
      } else if (kind < 8) {
        // A clear in some colour, as ClearScreen makes it.
        for (CharCell& cell : frame.cells) cell = {' ', attribute};
      } else {
        // Rows move up by one, as ScrollUp makes them.
        std::copy(frame.cells.begin() + columns, frame.cells.end(), frame.cells.begin());
        std::fill(frame.cells.end() - columns, frame.cells.end(), CharCell{' ', attribute});
      }
    }
    frame.cursor = {below(rows), below(columns)};
    frame.cursorVisible = below(4) != 0;
    Paint(frame, painted, model, terminal);
    ASSERT_TRUE(Shows(model, frame, terminal)) << "seed " << seed << " round " << round;
  }
  PaintedScreen fresh;
  TerminalModel whole = RunningTerminal(columns, rows, terminal.backgroundColorErase);
  Paint(frame, fresh, whole, terminal);
  ASSERT_TRUE(Shows(whole, frame, terminal));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const termtest::ModelCell& a = model.Cell(row, column);
      const termtest::ModelCell& b = whole.Cell(row, column);
      EXPECT_EQ(a.glyph, b.glyph);
      EXPECT_EQ(a.background, b.background);
      if (a.glyph != " ") {
        EXPECT_EQ(a.foreground, b.foreground);
      }
    }
  }
  EXPECT_EQ(model.cursorRow, whole.cursorRow);
  EXPECT_EQ(model.cursorColumn, whole.cursorColumn);
  EXPECT_EQ(model.scrolls, 0);
  if (!terminal.colors) {
    EXPECT_EQ(model.sgrColorCodes, 0);
  }
}

TEST(RendererDiff, RandomEditsOnAnEightyColumnScreen) { RandomEdits(80, 25, 20240611u, 300); }
TEST(RendererDiff, RandomEditsOnTinyScreens) {
  RandomEdits(1, 1, 7u, 100);
  RandomEdits(2, 1, 8u, 100);
  RandomEdits(10, 5, 9u, 200);
}

// --- Terminals of other kinds ------------------------------------------------

// Capability sets as terminfo gives them, each replayed into a model that
// behaves as such a terminal does.
struct CapabilityRow {
  const char* name;
  TerminalCapabilities terminal;
};
TerminalCapabilities Without(bool TerminalCapabilities::*first, bool TerminalCapabilities::*second = nullptr) {
  TerminalCapabilities terminal;
  terminal.*first = false;
  if (second != nullptr) terminal.*second = false;
  return terminal;
}
const CapabilityRow kCapabilityRows[] = {
    {"xterm-compatible", TerminalCapabilities{}},
    {"no background colour erase (GNU screen)", Without(&TerminalCapabilities::backgroundColorErase)},
    {"monochrome", Without(&TerminalCapabilities::colors)},
    {"monochrome without bce", Without(&TerminalCapabilities::colors, &TerminalCapabilities::backgroundColorErase)},
    {"no column address, no margins (vt100)",
     Without(&TerminalCapabilities::columnAddress, &TerminalCapabilities::scrollRegion)},
    {"no cursor hiding", Without(&TerminalCapabilities::cursorVisibility)},
};

TEST(RendererCapabilities, RandomEditsShowOnEveryKindOfTerminal) {
  for (const CapabilityRow& row : kCapabilityRows) {
    SCOPED_TRACE(row.name);
    RandomEdits(80, 25, 20240612u, 150, row.terminal);
    RandomEdits(7, 3, 11u, 100, row.terminal);
  }
}

TEST(RendererCapabilities, OnlyWhatTheTerminalHasIsSent) {
  for (const CapabilityRow& row : kCapabilityRows) {
    SCOPED_TRACE(row.name);
    ScreenFrame frame = BlankFrame(30, 6);
    Put(frame, 2, 25, "end", 0x1E);
    frame.cursor = {4, 40};  // outside: hidden where that can be done
    PaintedScreen painted;
    TerminalModel model = RunningTerminal(30, 6, row.terminal.backgroundColorErase);
    std::string bytes = Paint(frame, painted, model, row.terminal);
    Put(frame, 3, 1, "x", 0x0E);
    frame.cursor = {0, 0};
    bytes += Paint(frame, painted, model, row.terminal);
    EXPECT_TRUE(Shows(model, frame, row.terminal));
    EXPECT_EQ(bytes.find("\x1b[?25") != std::string::npos, row.terminal.cursorVisibility) << bytes;
    EXPECT_EQ(bytes.find("\x1b[r") != std::string::npos, row.terminal.scrollRegion) << bytes;
    EXPECT_EQ(model.sgrColorCodes > 0, row.terminal.colors) << bytes;
    if (!row.terminal.columnAddress) {
      EXPECT_EQ(bytes.find('G'), std::string::npos) << bytes;
    }
  }
}

// Without bce an erase leaves the terminal's own background, so a clear in
// black is made of written blanks; with bce the erase itself is black.
TEST(RendererCapabilities, ErasedCellsAreBlackWithOrWithoutBce) {
  for (const bool bce : {true, false}) {
    TerminalCapabilities terminal;
    terminal.backgroundColorErase = bce;
    TerminalModel model = RunningTerminal(80, 60, bce);
    model.Feed("\x1b[47mleftover");  // a light screen before the program
    PaintedScreen painted;
    const std::string bytes = Paint(BlankFrame(80, 60), painted, model, terminal);
    EXPECT_TRUE(Shows(model, BlankFrame(80, 60), terminal)) << "bce " << bce;
    if (bce) {
      EXPECT_LT(bytes.size(), 40u);
    } else {
      EXPECT_GE(bytes.size(), 80u * 60u);
    }
  }
}

TEST(RendererCapabilities, TheLastCellIsLeftAloneWhereWritingItWouldScroll) {
  TerminalCapabilities terminal;
  terminal.bottomRightCellSafe = false;
  ScreenFrame frame = BlankFrame(8, 3);
  Put(frame, 2, 0, "abcdefgh", 0x0F);
  PaintedScreen painted;
  TerminalModel model = RunningTerminal(8, 3);
  Paint(frame, painted, model, terminal);
  EXPECT_EQ(model.TextAt(2, 0, 8), "abcdefg ");
  EXPECT_EQ(Paint(frame, painted, model, terminal), "");
  EXPECT_EQ(model.scrolls, 0);
}

// --- What the bytes cost ----------------------------------------------------

struct MenuLine {
  int row;  // 0-based
  int column;
  std::string_view text;
  std::uint8_t attribute;
};
constexpr MenuLine kMenu[] = {
    {0, 9, "Helmholtz Resonator Calculation Utility", 0x0C},
    {1, 9, "=======================================", 0x0C},
    {3, 9, "1.- Calculate resonant frequency for round orifice", 0x0A},
    {4, 9, "2.- Calculate volume for round orifice", 0x0A},
    {5, 9, "3.- Calculate round orifice thickness", 0x0A},
    {6, 9, "4.- Calculate round orifice diameter", 0x0A},
    {7, 9, "5.- Calculate resonant frequency for any orifice", 0x0A},
    {8, 9, "6.- Calculate volume for any orifice", 0x0A},
    {9, 9, "7.- Calculate orifice thickness", 0x0A},
    {10, 9, "8.- Calculate orifice surface", 0x0A},
    {11, 9, "*.- QUIT", 0x0A},
    {13, 19, "Choice ?", 0x0E},
};

ScreenFrame MenuFrame() {
  ScreenFrame frame = BlankFrame(80, 60);
  for (const MenuLine& line : kMenu) Put(frame, line.row, line.column, line.text, line.attribute);
  frame.cursor = {13, 27};
  return frame;
}

// A terminal that was just cleared, as after the first full paint.
PaintedScreen ClearedScreen(TerminalModel& model) {
  PaintedScreen painted;
  Paint(BlankFrame(80, 60), painted, model);
  return painted;
}

TEST(RendererCost, MenuOnABlankScreenCostsLittleMoreThanItsCharacters) {
  TerminalModel model = RunningTerminal(80, 60);
  PaintedScreen painted = ClearedScreen(model);
  const ScreenFrame menu = MenuFrame();
  const std::string bytes = Paint(menu, painted, model);
  ASSERT_TRUE(Shows(model, menu));
  std::size_t characters = 0;
  std::size_t allowance = 0;
  for (const MenuLine& line : kMenu) {
    characters += line.text.size();
    // One absolute move ("\x1b[14;20H") and one full colour change ("\x1b[93m").
    allowance += ("\x1b[" + std::to_string(line.row + 1) + ";" + std::to_string(line.column + 1) + "H").size() +
                 std::string("\x1b[93m").size();
  }
  EXPECT_LE(static_cast<double>(bytes.size()), 1.1 * static_cast<double>(characters) + static_cast<double>(allowance))
      << bytes.size() << " bytes for " << characters << " characters";
  // And stricter: at most one colour change per colour, relative moves.
  EXPECT_LE(bytes.size(), characters + 3 * 5 + 12 * 7) << bytes;
}

struct EchoRow {
  std::string_view what;
  std::string_view typed;  // written at the cursor, as the echo does
  CellPosition at;
  int cursorStep;  // the cursor's column after the echo, relative to `at`
};
constexpr EchoRow kEchoRows[] = {
    {"a digit behind Choice ?", "1", {13, 27}, 1},
    {"a backspace erasing it", " ", {13, 27}, 0},
    {"an accented letter", "\x82", {13, 27}, 1},
};

TEST(RendererCost, EchoingOneKeyCostsAtMostSixteenBytes) {
  for (const EchoRow& row : kEchoRows) {
    TerminalModel model = RunningTerminal(80, 60);
    PaintedScreen painted = ClearedScreen(model);
    ScreenFrame frame = MenuFrame();
    Paint(frame, painted, model);
    Put(frame, row.at.row, row.at.column, row.typed, 0x0E);
    frame.cursor = {row.at.row, row.at.column + row.cursorStep};
    const std::string bytes = Paint(frame, painted, model);
    EXPECT_LE(bytes.size(), 16u) << row.what << ": " << bytes;
    EXPECT_TRUE(Shows(model, frame)) << row.what;
  }
}

TEST(RendererCost, TypingAPlainKeyAtTheCursorIsThatKeyAlone) {
  TerminalModel model = RunningTerminal(80, 60);
  PaintedScreen painted = ClearedScreen(model);
  ScreenFrame frame = MenuFrame();
  Paint(frame, painted, model);
  Put(frame, 13, 27, "7", 0x0E);
  frame.cursor = {13, 28};
  EXPECT_EQ(Paint(frame, painted, model), "7");
}

}  // namespace
}  // namespace console

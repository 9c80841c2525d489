// Turns the console's cell grid into the bytes that make a VT-style terminal
// show it. A pure function of what the terminal is believed to show and what
// it should show, so it is tested by replaying its output, with no terminal.
//
// What it may send depends on the terminal (TerminalCapabilities): colours
// or none, erase in the current background (bce) or written blanks, cursor
// hiding, column addressing, margins. Writing the bottom-right cell is left
// out where it would scroll the screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/platform.h"
#include "console/terminal/terminal_capabilities.h"

namespace console {

// What the terminal should show: `rows` x `columns` cells in reading order and
// the cursor, from the top-left corner of the terminal. A cursor outside the
// grid is not shown. A terminal larger than the grid shows blanks around it
// (the renderer's work grows with the grid only, never with the terminal).
struct ScreenFrame {
  int columns = 0;
  int rows = 0;
  std::vector<CharCell> cells;
  CellPosition cursor;
  bool cursorVisible = true;
};

// What the terminal is believed to show, and where its pen stands. Anything
// not known is painted afresh: a screen of unknown content (or of another
// size than the frame) is cleared first.
struct PaintedScreen {
  int columns = 0;
  int rows = 0;
  std::vector<CharCell> cells;
  bool cellsKnown = false;
  CellPosition pen;
  bool penKnown = false;
  std::uint8_t attribute = 0x07;
  bool attributeKnown = false;
  bool cursorVisible = true;
  bool cursorVisibilityKnown = false;

  // Forgets everything, so that the next paint clears and repaints all: after
  // a resize, after the program was stopped, or at the start.
  void Forget() {
    cellsKnown = false;
    penKnown = false;
    attributeKnown = false;
    cursorVisibilityKnown = false;
  }
};

// Appends to `out` the bytes that turn the terminal from `painted` into
// `target`, and makes `painted` describe the result. Only cells that look
// different are written (a blank differs only by its background), colours
// are set only when they change, and the cursor is placed last.
//   painted: a blank 80x25 screen, pen at row 13 column 27 in yellow;
//   target: the same with '1' in yellow at row 13 column 27, cursor at column 28
//   -> out gets "1" and nothing else.
// Without colours no colour is ever sent and colours make no difference;
// without bce a clear is followed by every cell written in its colours.
void Render(const ScreenFrame& target, PaintedScreen& painted, std::string& out,
            const TerminalCapabilities& terminal = {});

// The bytes that show `byte` (code page 437) in UTF-8; never a control code.
std::string_view TerminalGlyph(std::uint8_t byte);

// Whether two cells look the same on the screen: same glyph, and same colours,
// except that the foreground of a blank cannot be seen.
bool LooksSame(CharCell a, CharCell b);

}  // namespace console

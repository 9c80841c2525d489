// An independent model of how the console writes text, for building the
// screen a test expects: a grid of cells written one character at a time
// (1-based positions, wrap at the right edge, the bottom row's scroll
// deferred to the next write or new line). Text() and Colors() are the same
// dumps as MemoryConsole's, so the two compare as strings.
#pragma once

#include <string>
#include <string_view>

#include "console/cell_buffer.h"

namespace console {

class ExpectedScreen {
 public:
  explicit ExpectedScreen(int rows = 60, int columns = 80);

  // Every cell blank in `color`, cursor home.
  void Clear(int color);
  // A coordinate outside the screen keeps the cursor's own, as Console::Locate does.
  void Locate(int row, int column);
  void Write(std::string_view text, int color);
  // Column 1 of the next row; on the bottom row the screen moves up (twice
  // when a scroll was pending), uncovering a row in `color`.
  void NewLine(int color);
  void Put(int row, int column, std::string_view text, int color) {
    Locate(row, column);
    Write(text, color);
  }

  std::string Text() const;
  std::string Colors() const;
  CellPosition cursor() const { return {row_, column_}; }
  bool scrollPending() const { return scrollPending_; }

 private:
  void ScrollUp(int color);

  CellBuffer cells_;
  int row_ = 0;
  int column_ = 0;
  bool scrollPending_ = false;
};

// The dumps of a cell grid. Text: each row's characters with trailing blanks
// removed, trailing empty rows removed, each row ending in '\n'. Colors: one
// letter per cell for the foreground ('0'-'9', 'a'-'f'), '.' for a blank in
// the default attribute 0x07, trimmed the same way.
std::string TextOf(const CellBuffer& cells);
std::string ColorsOf(const CellBuffer& cells);

}  // namespace console

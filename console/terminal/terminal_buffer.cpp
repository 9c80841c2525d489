// The terminal console's buffer: the program's screen as cells, changed by
// the console operations and painted to the terminal later.
#include <algorithm>

#include "console/terminal/terminal_console.h"

namespace console {

// The program sees its buffer cut to the window, so that the row count it
// reads is the number of rows it can really use (24 in an 80x24 window that
// would not grow), and the cursor inside that part. The window's size is read
// afresh each time: keys typed ahead of a resize signal must not be served
// with the size from before it.
bool TerminalConsole::GetBufferInfo(BufferInfo& info) {
  if (ReadTerminalSize()) painted_.Forget();
  info.columns = WorkingColumns();
  info.rows = WorkingRows();
  info.cursor.row = std::min(buffer_.cursor().row, info.rows - 1);
  info.cursor.column = std::min(buffer_.cursor().column, info.columns - 1);
  return true;
}

// The buffer takes the size asked for, whatever the window's: it is the
// program's screen, bounded by what the program asks (SetScreenSize allows
// no more than 9999 x 9999), and never by the window.
bool TerminalConsole::SetBufferSize(int columns, int rows) {
  if (columns < 1 || rows < 1) return false;
  buffer_.Resize(columns, rows);
  return true;
}

// `fill(count, start)` is the buffer's own range fill; it is handed runs that
// stay within one row of the part of the buffer the program sees.
template <typename Fill>
void TerminalConsole::FillCells(int count, CellPosition start, Fill fill) {
  const int columns = WorkingColumns();
  const int rows = WorkingRows();
  if (count <= 0 || start.row < 0 || start.column < 0 || start.row >= rows || start.column >= columns) return;
  if (start.row == 0 && start.column == 0 && static_cast<long long>(count) >= static_cast<long long>(columns) * rows) {
    // The whole screen, as a clear fills it: the part of the buffer that the
    // window hides now is filled with it, so a window that grows again shows
    // no leftovers of an earlier screen.
    fill(buffer_.columns() * buffer_.rows(), CellPosition{0, 0});
    return;
  }
  int left = count;
  for (CellPosition at = start; left > 0 && at.row < rows; at = CellPosition{at.row + 1, 0}) {
    const int run = std::min(left, columns - at.column);
    fill(run, at);
    left -= run;
  }
}

void TerminalConsole::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  FillCells(count, start, [&](int run, CellPosition at) { buffer_.FillCharacter(character, run, at); });
}

void TerminalConsole::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  FillCells(count, start, [&](int run, CellPosition at) { buffer_.FillAttribute(attribute, run, at); });
}

void TerminalConsole::SetTextAttribute(std::uint8_t attribute) { textAttribute_ = attribute; }

void TerminalConsole::SetCursorPosition(CellPosition position) {
  if (position.row >= WorkingRows() || position.column >= WorkingColumns()) return;
  buffer_.SetCursor(position);
}

// Writes stop at the edge of the program's screen, as on a console of that size.
void TerminalConsole::WriteCells(CellPosition start, const CharCell* cells, int count) {
  if (start.row >= WorkingRows()) return;
  buffer_.WriteCells(start, cells, std::min(count, WorkingColumns() - start.column));
}

// Moves rows in the buffer only; the painter then writes the rows that now
// look different. (A terminal scroll region would save bytes on full-screen
// scrolls, which this program makes rarely.)
void TerminalConsole::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  buffer_.ScrollRows(sourceTop, std::min(sourceBottom, WorkingRows() - 1), destinationTop, fill);
}

// A terminal cannot say how its cursor is shaped: until the program sets a
// size, report none, so that the console takes its default.
bool TerminalConsole::GetCursorInfo(std::uint32_t& size, bool& visible) {
  if (cursorSize_ == 0) return false;
  size = cursorSize_;
  visible = cursorVisible_;
  return true;
}

void TerminalConsole::SetCursorInfo(std::uint32_t size, bool visible) {
  cursorSize_ = size;
  cursorVisible_ = visible;
}

}  // namespace console

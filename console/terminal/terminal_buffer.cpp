// The terminal console's buffer: the program's screen as cells, changed by
// the console operations and painted to the terminal later.
#include <algorithm>

#include "console/terminal/terminal_console.h"

namespace console {

bool TerminalConsole::GetBufferInfo(BufferInfo& info) {
  info = buffer_.Info();
  return true;
}

// The buffer never exceeds what the terminal shows, so that the row count
// the program reads is the number of rows it can really use (24 in an 80x24
// terminal that would not grow).
bool TerminalConsole::SetBufferSize(int columns, int rows) {
  if (columns < 1 || rows < 1) return false;
  const int keptColumns = terminalColumns_ > 0 ? std::min(columns, terminalColumns_) : columns;
  const int keptRows = terminalRows_ > 0 ? std::min(rows, terminalRows_) : rows;
  buffer_.Resize(keptColumns, keptRows);
  return keptColumns == columns && keptRows == rows;
}

void TerminalConsole::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  buffer_.FillCharacter(character, count, start);
}

void TerminalConsole::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  buffer_.FillAttribute(attribute, count, start);
}

void TerminalConsole::SetTextAttribute(std::uint8_t attribute) { textAttribute_ = attribute; }

void TerminalConsole::SetCursorPosition(CellPosition position) { buffer_.SetCursor(position); }

void TerminalConsole::WriteCells(CellPosition start, const CharCell* cells, int count) {
  buffer_.WriteCells(start, cells, count);
}

// Moves rows in the buffer only; the painter then writes the rows that now
// look different. (A terminal scroll region would save bytes on full-screen
// scrolls, which this program makes rarely.)
void TerminalConsole::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  buffer_.ScrollRows(sourceTop, sourceBottom, destinationTop, fill);
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

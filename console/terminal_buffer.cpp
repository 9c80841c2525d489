// The terminal console's buffer: the program's screen as cells, changed by
// the console operations and painted to the terminal later.
#include <algorithm>

#include "console/terminal_console.h"

namespace console {
namespace {
constexpr CharCell kBlankCell{' ', 0x07};
}  // namespace

bool TerminalConsole::GetBufferInfo(BufferInfo& info) {
  info.columns = columns_;
  info.rows = rows_;
  info.cursor = cursor_;
  return true;
}

void TerminalConsole::ResizeBuffer(int columns, int rows) {
  if (columns == columns_ && rows == rows_) return;
  std::vector<CharCell> resized(static_cast<std::size_t>(columns * rows), kBlankCell);
  for (int r = 0; r < std::min(rows, rows_); ++r) {
    std::copy_n(cells_.begin() + r * columns_, std::min(columns, columns_), resized.begin() + r * columns);
  }
  cells_ = std::move(resized);
  columns_ = columns;
  rows_ = rows;
  cursor_.row = std::min(cursor_.row, rows_ - 1);
  cursor_.column = std::min(cursor_.column, columns_ - 1);
}

// The buffer never exceeds what the terminal shows, so that the row count
// the program reads is the number of rows it can really use (24 in an 80x24
// terminal that would not grow).
bool TerminalConsole::SetBufferSize(int columns, int rows) {
  if (columns < 1 || rows < 1) return false;
  const int keptColumns = terminalColumns_ > 0 ? std::min(columns, terminalColumns_) : columns;
  const int keptRows = terminalRows_ > 0 ? std::min(rows, terminalRows_) : rows;
  ResizeBuffer(keptColumns, keptRows);
  return keptColumns == columns && keptRows == rows;
}

void TerminalConsole::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  const int total = columns_ * rows_;
  const int first = std::max(Index(start), 0);
  const long long requestedEnd = static_cast<long long>(Index(start)) + std::max(count, 0);
  const int end = static_cast<int>(std::min<long long>(total, requestedEnd));
  for (int i = first; i < end; ++i) cells_[static_cast<std::size_t>(i)].character = character;
}

void TerminalConsole::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  const int total = columns_ * rows_;
  const int first = std::max(Index(start), 0);
  const long long requestedEnd = static_cast<long long>(Index(start)) + std::max(count, 0);
  const int end = static_cast<int>(std::min<long long>(total, requestedEnd));
  for (int i = first; i < end; ++i) cells_[static_cast<std::size_t>(i)].attribute = attribute;
}

void TerminalConsole::SetTextAttribute(std::uint8_t attribute) { textAttribute_ = attribute; }

void TerminalConsole::SetCursorPosition(CellPosition position) {
  if (position.row < 0 || position.row >= rows_ || position.column < 0 || position.column >= columns_) return;
  cursor_ = position;
}

void TerminalConsole::WriteCells(CellPosition start, const CharCell* cells, int count) {
  if (start.row < 0 || start.row >= rows_) return;
  for (int i = 0; i < count && start.column + i < columns_; ++i) {
    if (start.column + i >= 0) cells_[static_cast<std::size_t>(Index({start.row, start.column + i}))] = cells[i];
  }
}

// Moves rows in the buffer only; the painter then writes the rows that now
// look different. (A terminal scroll region would save bytes on full-screen
// scrolls, which this program makes rarely.)
void TerminalConsole::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  sourceTop = std::max(sourceTop, 0);
  sourceBottom = std::min(sourceBottom, rows_ - 1);
  if (sourceTop > sourceBottom) return;
  const std::vector<CharCell> before = cells_;
  for (int r = sourceTop; r <= sourceBottom; ++r) {
    std::fill_n(cells_.begin() + r * columns_, columns_, fill);
  }
  for (int r = sourceTop; r <= sourceBottom; ++r) {
    const int target = destinationTop + (r - sourceTop);
    if (target < 0 || target >= rows_) continue;
    std::copy_n(before.begin() + r * columns_, columns_, cells_.begin() + target * columns_);
  }
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

#include "console/cell_buffer.h"

#include <algorithm>

namespace console {

CellBuffer::CellBuffer(int columns, int rows)
    : columns_(std::max(columns, 1)),
      rows_(std::max(rows, 1)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), kBlankCell) {}

CharCell CellBuffer::At(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return kBlankCell;
  return cells_[Index(row, column)];
}

void CellBuffer::Resize(int columns, int rows) {
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  if (columns == columns_ && rows == rows_) return;
  std::vector<CharCell> resized(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), kBlankCell);
  for (int r = 0; r < std::min(rows, rows_); ++r) {
    std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(Index(r, 0)), std::min(columns, columns_),
                resized.begin() + static_cast<std::ptrdiff_t>(r) * columns);
  }
  cells_ = std::move(resized);
  columns_ = columns;
  rows_ = rows;
  cursor_.row = std::min(cursor_.row, rows_ - 1);
  cursor_.column = std::min(cursor_.column, columns_ - 1);
}

void CellBuffer::SetCursor(CellPosition position) {
  if (position.row < 0 || position.row >= rows_ || position.column < 0 || position.column >= columns_) return;
  cursor_ = position;
}

void CellBuffer::FillRange(int count, CellPosition start, std::size_t& first, std::size_t& end) const {
  const long long total = static_cast<long long>(cells_.size());
  const long long from = static_cast<long long>(start.row) * columns_ + start.column;
  const long long to = from + std::max(count, 0);
  first = static_cast<std::size_t>(std::clamp(from, 0LL, total));
  end = static_cast<std::size_t>(std::clamp(to, 0LL, total));
}

void CellBuffer::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  std::size_t first = 0, end = 0;
  FillRange(count, start, first, end);
  for (std::size_t i = first; i < end; ++i) cells_[i].character = character;
}

void CellBuffer::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  std::size_t first = 0, end = 0;
  FillRange(count, start, first, end);
  for (std::size_t i = first; i < end; ++i) cells_[i].attribute = attribute;
}

void CellBuffer::WriteCells(CellPosition start, const CharCell* cells, int count) {
  if (start.row < 0 || start.row >= rows_) return;
  for (int i = 0; i < count && start.column + i < columns_; ++i) {
    if (start.column + i >= 0) cells_[Index(start.row, start.column + i)] = cells[i];
  }
}

void CellBuffer::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  sourceTop = std::max(sourceTop, 0);
  sourceBottom = std::min(sourceBottom, rows_ - 1);
  if (sourceTop > sourceBottom) return;
  const std::vector<CharCell> before = cells_;
  for (int r = sourceTop; r <= sourceBottom; ++r) {
    std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(Index(r, 0)), columns_, fill);
  }
  for (int r = sourceTop; r <= sourceBottom; ++r) {
    const int target = destinationTop + (r - sourceTop);
    if (target < 0 || target >= rows_) continue;
    std::copy_n(before.begin() + static_cast<std::ptrdiff_t>(Index(r, 0)), columns_,
                cells_.begin() + static_cast<std::ptrdiff_t>(Index(target, 0)));
  }
}

}  // namespace console

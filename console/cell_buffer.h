// The grid of character cells and the cursor: the model of the screen that
// every console implementation keeps. Output operations change it; a terminal
// is painted from it, a test reads it.
#pragma once

#include <vector>

#include "console/platform.h"

namespace console {

// What a cell holds before anything is written: a blank, light grey on black.
inline constexpr CharCell kBlankCell{' ', 0x07};

class CellBuffer {
 public:
  CellBuffer(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  CellPosition cursor() const { return cursor_; }
  BufferInfo Info() const { return {columns_, rows_, cursor_}; }
  // The cell at a position; a blank outside the buffer.
  CharCell At(int row, int column) const;
  // The `columns()` cells of a row, 0 <= row < rows().
  const CharCell* Row(int row) const { return cells_.data() + Index(row, 0); }

  // A new size, keeping the top-left content and the cursor (clamped inside).
  void Resize(int columns, int rows);
  // Moves the cursor; a position outside the buffer is ignored.
  void SetCursor(CellPosition position);
  // `count` cells in reading order from `start`, clipped at the buffer's end.
  void FillCharacter(std::uint8_t character, int count, CellPosition start);
  void FillAttribute(std::uint8_t attribute, int count, CellPosition start);
  // `count` cells into one row from `start`, clipped at the row's end.
  void WriteCells(CellPosition start, const CharCell* cells, int count);
  // Moves rows [sourceTop, sourceBottom] so that sourceTop lands on
  // destinationTop; source cells left uncovered get `fill`.
  void ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill);

 private:
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
  }
  // The cell range [first, end) that a fill of `count` from `start` covers.
  void FillRange(int count, CellPosition start, std::size_t& first, std::size_t& end) const;

  int columns_;
  int rows_;
  std::vector<CharCell> cells_;
  CellPosition cursor_;
};

}  // namespace console

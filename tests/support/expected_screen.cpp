#include "tests/support/expected_screen.h"

#include <vector>

namespace console {
namespace {

CharCell CellOf(char character, int color) {
  return {static_cast<std::uint8_t>(character), static_cast<std::uint8_t>(color)};
}

// The rows as `cellText` spells each cell, trailing `blank`s and trailing empty rows removed.
template <typename CellText>
std::string Dump(const CellBuffer& cells, char blank, CellText cellText) {
  std::vector<std::string> rows;
  for (int r = 0; r < cells.rows(); ++r) {
    std::string row;
    for (int c = 0; c < cells.columns(); ++c) row += cellText(cells.At(r, c));
    row.erase(row.find_last_not_of(blank) + 1);
    rows.push_back(row);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  std::string all;
  for (const std::string& row : rows) all += row + '\n';
  return all;
}

}  // namespace

std::string TextOf(const CellBuffer& cells) {
  return Dump(cells, ' ', [](CharCell cell) { return static_cast<char>(cell.character); });
}

std::string ColorsOf(const CellBuffer& cells) {
  static constexpr char kHex[] = "0123456789abcdef";
  return Dump(cells, '.', [](CharCell cell) { return cell == kBlankCell ? '.' : kHex[cell.attribute & 0x0F]; });
}

ExpectedScreen::ExpectedScreen(int rows, int columns) : cells_(columns, rows) {}

void ExpectedScreen::Clear(int color) {
  const int all = cells_.rows() * cells_.columns();
  cells_.FillCharacter(' ', all, {0, 0});
  cells_.FillAttribute(static_cast<std::uint8_t>(color), all, {0, 0});
  Locate(1, 1);
}

void ExpectedScreen::Locate(int row, int column) {
  if (row >= 1 && row <= cells_.rows()) row_ = row - 1;
  if (column >= 1 && column <= cells_.columns()) column_ = column - 1;
  scrollPending_ = false;
}

// Row by row, one cell at a time: independent of the buffer's own scroll.
void ExpectedScreen::ScrollUp(int color) {
  for (int r = 0; r + 1 < cells_.rows(); ++r) cells_.WriteCells({r, 0}, cells_.Row(r + 1), cells_.columns());
  const CharCell blank = CellOf(' ', color);
  for (int c = 0; c < cells_.columns(); ++c) cells_.WriteCells({cells_.rows() - 1, c}, &blank, 1);
}

void ExpectedScreen::Write(std::string_view text, int color) {
  for (const char character : text) {
    if (scrollPending_) {
      scrollPending_ = false;
      ScrollUp(color);
    }
    const CharCell cell = CellOf(character, color);
    cells_.WriteCells({row_, column_}, &cell, 1);
    if (++column_ == cells_.columns()) {
      column_ = 0;
      if (row_ == cells_.rows() - 1) {
        scrollPending_ = true;
      } else {
        ++row_;
      }
    }
  }
}

void ExpectedScreen::NewLine(int color) {
  if (row_ < cells_.rows() - 1) {
    ++row_;
  } else {
    if (scrollPending_) ScrollUp(color);
    ScrollUp(color);
  }
  column_ = 0;
  scrollPending_ = false;
}

std::string ExpectedScreen::Text() const { return TextOf(cells_); }

std::string ExpectedScreen::Colors() const { return ColorsOf(cells_); }

}  // namespace console

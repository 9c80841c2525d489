// Screen operations over the platform's cell buffer. Size and cursor are read
// back from the platform by every operation, never cached, so a buffer the
// platform resized under us is always seen as it is.
#include <algorithm>
#include <array>
#include <new>

#include "console/console.h"

namespace console {
namespace {

// Sizes above this are refused outright, whatever the platform could do.
constexpr std::uint32_t kMaxScreenDimension = 9999;
// A row segment is staged in a fixed block of this many cells.
constexpr int kStagingCells = 256;
constexpr std::uint8_t kScrollPendingSet = 255;
constexpr std::uint32_t kColorCount = 16;

Platform* Output() { return ConsoleState.screenOutput; }

std::uint8_t CurrentAttribute() {
  return static_cast<std::uint8_t>(ConsoleState.background * kColorCount + ConsoleState.foreground);
}

bool ReadInfo(BufferInfo& info) {
  Platform* out = Output();
  return out != nullptr && out->GetBufferInfo(info) && info.columns > 0 && info.rows > 0;
}

}  // namespace

void SetScreenSize(std::uint32_t columns, std::uint32_t rows) {
  if (columns > kMaxScreenDimension || rows > kMaxScreenDimension) return;
  Platform* out = Output();
  if (out == nullptr) return;
  BufferInfo info;
  if (!out->GetBufferInfo(info)) info = BufferInfo{};
  const int wantColumns = static_cast<int>(columns);
  const int wantRows = static_cast<int>(rows);
  // Grow first so the window fits, place the window, then shrink the buffer
  // to it: no scroll-back area remains. Refusals are not reported.
  out->SetBufferSize(std::max(info.columns, wantColumns), std::max(info.rows, wantRows));
  out->SetWindow(0, 0, wantColumns - 1, wantRows - 1);
  out->SetBufferSize(wantColumns, wantRows);
}

int ScreenRows() {
  BufferInfo info;
  Platform* out = Output();
  if (out == nullptr || !out->GetBufferInfo(info)) return 0;
  return info.rows;
}

void ClearScreen() {
  SuspendCursor();
  BufferInfo info;
  if (ReadInfo(info)) {
    const int cells = info.columns * info.rows;
    Output()->FillCharacter(' ', cells, {0, 0});
    Output()->FillAttribute(CurrentAttribute(), cells, {0, 0});
  }
  Locate(1, 1);
  RestoreCursor();
}

void SetColor(std::uint32_t foreground, std::uint32_t background) {
  if (foreground < kColorCount) ConsoleState.foreground = foreground;
  if (background < kColorCount) ConsoleState.background = background;
  if (Output() != nullptr) Output()->SetTextAttribute(CurrentAttribute());
}

void Locate(int row, int column) {
  BufferInfo info;
  if (ReadInfo(info)) {
    // Each coordinate is checked on its own: a bad one keeps the cursor's.
    CellPosition target = info.cursor;
    if (column >= 1 && column <= info.columns) target.column = column - 1;
    if (row >= 1 && row <= info.rows) target.row = row - 1;
    Output()->SetCursorPosition(target);
  }
  ConsoleState.scrollPending = 0;
}

void PrintText(std::string text) {
  if (text.empty()) return;
  BufferInfo info;
  if (!ReadInfo(info)) return;
  const std::uint8_t attribute = CurrentAttribute();
  const int bottom = info.rows - 1;
  int row = std::clamp(info.cursor.row, 0, bottom);
  int column = std::clamp(info.cursor.column, 0, info.columns - 1);
  std::array<CharCell, kStagingCells> staging;
  std::size_t next = 0;
  while (next < text.size()) {
    if (ConsoleState.scrollPending != 0) {
      ConsoleState.scrollPending = 0;
      ScrollUp();
    }
    const int inRow = static_cast<int>(std::min<std::size_t>(text.size() - next, static_cast<std::size_t>(info.columns - column)));
    for (int done = 0; done < inRow;) {
      const int block = std::min(inRow - done, kStagingCells);
      for (int i = 0; i < block; ++i) {
        staging[i] = {static_cast<std::uint8_t>(text[next + done + i]), attribute};
      }
      Output()->WriteCells({row, column + done}, staging.data(), block);
      done += block;
    }
    next += static_cast<std::size_t>(inRow);
    column += inRow;
    if (column >= info.columns) {
      column = 0;
      // On the bottom row the scroll waits for the next character or new
      // line, so a row can be filled to its last cell without moving the screen.
      if (row == bottom) {
        ConsoleState.scrollPending = kScrollPendingSet;
      } else {
        ++row;
      }
    }
  }
  Output()->SetCursorPosition({row, column});
}

void ScrollUp() {
  BufferInfo info;
  if (!ReadInfo(info)) return;
  if (info.rows == 1) {
    // No row moves up on a one-row screen; the row itself is what scrolls away.
    Output()->FillCharacter(' ', info.columns, {0, 0});
    Output()->FillAttribute(CurrentAttribute(), info.columns, {0, 0});
    return;
  }
  Output()->ScrollRows(1, info.rows - 1, 0, {' ', CurrentAttribute()});
}

void PrintNewLine() {
  BufferInfo info;
  if (!ReadInfo(info)) return;
  const int bottom = info.rows - 1;
  if (info.cursor.row < bottom) {
    ConsoleState.scrollPending = 0;
    Output()->SetCursorPosition({info.cursor.row + 1, 0});
    return;
  }
  if (ConsoleState.scrollPending != 0) {
    ConsoleState.scrollPending = 0;
    ScrollUp();
  }
  ScrollUp();
  Output()->SetCursorPosition({bottom, 0});
}

std::string Spaces(int n) {
  if (n < 0) {
    RecordError(kErrorOutOfMemory);
    return {};
  }
  try {
    return std::string(static_cast<std::size_t>(n), ' ');
  } catch (const std::bad_alloc&) {
    RecordError(kErrorOutOfMemory);
    return {};
  }
}

void SuspendCursor() {
  if (!ConsoleState.cursorVisible || Output() == nullptr) return;
  Output()->SetCursorInfo(ConsoleState.cursorSize, false);
  ConsoleState.cursorRestorePending = true;
}

void ForceCursor() {
  if (ConsoleState.cursorVisible || Output() == nullptr) return;
  Output()->SetCursorInfo(ConsoleState.cursorSize, true);
  ConsoleState.cursorRestorePending = true;
}

void RestoreCursor() {
  if (!ConsoleState.cursorRestorePending || Output() == nullptr) return;
  Output()->SetCursorInfo(ConsoleState.cursorSize, ConsoleState.cursorVisible);
  ConsoleState.cursorRestorePending = false;
}

}  // namespace console

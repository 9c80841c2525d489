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
constexpr int kColorCount = 16;
constexpr std::uint32_t kErrorOutOfMemory = 7;

}  // namespace

std::uint8_t Console::CurrentAttribute() const {
  return static_cast<std::uint8_t>(static_cast<int>(state_.background) * kColorCount +
                                   static_cast<int>(state_.foreground));
}

bool Console::ReadInfo(BufferInfo& info) { return platform_.GetBufferInfo(info) && info.columns > 0 && info.rows > 0; }

void Console::SetScreenSize(std::uint32_t columns, std::uint32_t rows) {
  if (columns > kMaxScreenDimension || rows > kMaxScreenDimension) return;
  BufferInfo info;
  if (!platform_.GetBufferInfo(info)) info = BufferInfo{};
  const int wantColumns = static_cast<int>(columns);
  const int wantRows = static_cast<int>(rows);
  // Grow first so the window fits, place the window, then shrink the buffer
  // to it: no scroll-back area remains. Refusals are not reported.
  platform_.SetBufferSize(std::max(info.columns, wantColumns), std::max(info.rows, wantRows));
  platform_.SetWindow(0, 0, wantColumns - 1, wantRows - 1);
  platform_.SetBufferSize(wantColumns, wantRows);
}

int Console::ScreenRows() {
  BufferInfo info;
  if (!platform_.GetBufferInfo(info)) return 0;
  return info.rows;
}

void Console::ClearScreen() {
  SuspendCursor();
  BufferInfo info;
  if (ReadInfo(info)) {
    const int cells = info.columns * info.rows;
    platform_.FillCharacter(' ', cells, {0, 0});
    platform_.FillAttribute(CurrentAttribute(), cells, {0, 0});
  }
  Locate(1, 1);
  RestoreCursor();
}

void Console::SetColor(std::optional<Color> foreground, std::optional<Color> background) {
  if (foreground) state_.foreground = *foreground;
  if (background) state_.background = *background;
  platform_.SetTextAttribute(CurrentAttribute());
}

void Console::Locate(int row, int column) {
  BufferInfo info;
  if (ReadInfo(info)) {
    // Each coordinate is checked on its own: a bad one keeps the cursor's.
    CellPosition target = info.cursor;
    if (column >= 1 && column <= info.columns) target.column = column - 1;
    if (row >= 1 && row <= info.rows) target.row = row - 1;
    platform_.SetCursorPosition(target);
  }
  state_.scrollPending = false;
}

void Console::PrintText(std::string_view text) {
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
    if (state_.scrollPending) {
      state_.scrollPending = false;
      ScrollUp();
    }
    const int inRow =
        static_cast<int>(std::min<std::size_t>(text.size() - next, static_cast<std::size_t>(info.columns - column)));
    for (int done = 0; done < inRow;) {
      const int block = std::min(inRow - done, kStagingCells);
      for (int i = 0; i < block; ++i) {
        staging[i] = {static_cast<std::uint8_t>(text[next + done + i]), attribute};
      }
      platform_.WriteCells({row, column + done}, staging.data(), block);
      done += block;
    }
    next += static_cast<std::size_t>(inRow);
    column += inRow;
    if (column >= info.columns) {
      column = 0;
      // On the bottom row the scroll waits for the next character or new
      // line, so a row can be filled to its last cell without moving the screen.
      if (row == bottom) {
        state_.scrollPending = true;
      } else {
        ++row;
      }
    }
  }
  platform_.SetCursorPosition({row, column});
}

void Console::ScrollUp() {
  BufferInfo info;
  if (!ReadInfo(info)) return;
  if (info.rows == 1) {
    // No row moves up on a one-row screen; the row itself is what scrolls away.
    platform_.FillCharacter(' ', info.columns, {0, 0});
    platform_.FillAttribute(CurrentAttribute(), info.columns, {0, 0});
    return;
  }
  platform_.ScrollRows(1, info.rows - 1, 0, {' ', CurrentAttribute()});
}

void Console::PrintNewLine() {
  BufferInfo info;
  if (!ReadInfo(info)) return;
  const int bottom = info.rows - 1;
  if (info.cursor.row < bottom) {
    state_.scrollPending = false;
    platform_.SetCursorPosition({info.cursor.row + 1, 0});
    return;
  }
  if (state_.scrollPending) {
    state_.scrollPending = false;
    ScrollUp();
  }
  ScrollUp();
  platform_.SetCursorPosition({bottom, 0});
}

std::string Console::Spaces(int n) {
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

void Console::SuspendCursor() {
  if (!state_.cursorVisible) return;
  platform_.SetCursorInfo(state_.cursorSize, false);
  state_.cursorRestorePending = true;
}

void Console::ForceCursor() {
  if (state_.cursorVisible) return;
  platform_.SetCursorInfo(state_.cursorSize, true);
  state_.cursorRestorePending = true;
}

void Console::RestoreCursor() {
  if (!state_.cursorRestorePending) return;
  platform_.SetCursorInfo(state_.cursorSize, state_.cursorVisible);
  state_.cursorRestorePending = false;
}

}  // namespace console

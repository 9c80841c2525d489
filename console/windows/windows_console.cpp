#include "console/windows/windows_console.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "console/windows/console_records.h"
#include "console/working_screen.h"

namespace console {
namespace {

// The console operations stage a row segment in 256 cells; a longer call is
// still honoured, in blocks of this size.
constexpr int kBlockCells = 256;

COORD Coord(int column, int row) { return COORD{static_cast<SHORT>(column), static_cast<SHORT>(row)}; }

ConsoleInputEvent EventOf(const INPUT_RECORD& raw) {
  ConsoleInputEvent event;
  event.eventType = raw.EventType;
  if (raw.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = raw.Event.KeyEvent;
    event.keyDown = key.bKeyDown != FALSE;
    event.repeatCount = key.wRepeatCount;
    event.virtualKeyCode = key.wVirtualKeyCode;
    event.scanCode = key.wVirtualScanCode;
    event.character = static_cast<std::uint8_t>(key.uChar.AsciiChar);
    event.controlKeyState = key.dwControlKeyState;
  }
  return event;
}

// The rows of the window, no more than the console can show: Wine's console
// in a terminal takes any window it is asked for and reports it, while its
// largest window stays the terminal's size.
int WindowRows(const CONSOLE_SCREEN_BUFFER_INFO& raw) {
  return std::min(raw.srWindow.Bottom - raw.srWindow.Top + 1, static_cast<int>(raw.dwMaximumWindowSize.Y));
}

}  // namespace

// The program sees the buffer's rows cut to the window, as on a Unix
// terminal: on a console that keeps its window lower than the 80 x 60 buffer
// asked for (Windows Terminal, Wine's console in a terminal), the rows it
// reads are the rows it can use, and nothing it writes lies below the
// window, where the console would scroll the window to follow the cursor.
// The columns stay the buffer's: the console fills cells in the buffer's
// reading order, so a clear of columns x rows cells covers whole rows.
bool WindowsConsole::GetBufferInfo(BufferInfo& info) {
  CONSOLE_SCREEN_BUFFER_INFO raw;
  if (!GetConsoleScreenBufferInfo(output_, &raw)) return false;
  info.columns = raw.dwSize.X;
  info.rows = WorkingExtent(raw.dwSize.Y, WindowRows(raw), kMinimumRows);
  info.cursor = CellPosition{std::min<int>(raw.dwCursorPosition.Y, info.rows - 1), raw.dwCursorPosition.X};
  return true;
}

bool WindowsConsole::SetBufferSize(int columns, int rows) {
  return SetConsoleScreenBufferSize(output_, Coord(columns, rows)) != FALSE;
}

bool WindowsConsole::SetWindow(int left, int top, int right, int bottom) {
  const SMALL_RECT window{static_cast<SHORT>(left), static_cast<SHORT>(top), static_cast<SHORT>(right),
                          static_cast<SHORT>(bottom)};
  return SetConsoleWindowInfo(output_, TRUE, &window) != FALSE;
}

void WindowsConsole::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  if (count <= 0) return;
  DWORD written = 0;
  FillConsoleOutputCharacterA(output_, static_cast<CHAR>(character), static_cast<DWORD>(count),
                              Coord(start.column, start.row), &written);
}

void WindowsConsole::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  if (count <= 0) return;
  DWORD written = 0;
  FillConsoleOutputAttribute(output_, ConsoleAttributeWord(attribute), static_cast<DWORD>(count),
                             Coord(start.column, start.row), &written);
}

void WindowsConsole::SetTextAttribute(std::uint8_t attribute) {
  SetConsoleTextAttribute(output_, ConsoleAttributeWord(attribute));
}

void WindowsConsole::SetCursorPosition(CellPosition position) {
  SetConsoleCursorPosition(output_, Coord(position.column, position.row));
}

void WindowsConsole::WriteCells(CellPosition start, const CharCell* cells, int count) {
  std::array<CHAR_INFO, kBlockCells> block;
  for (int done = 0; done < count;) {
    const int n = std::min(count - done, kBlockCells);
    for (int i = 0; i < n; ++i) {
      block[static_cast<std::size_t>(i)].Char.AsciiChar = static_cast<CHAR>(cells[done + i].character);
      block[static_cast<std::size_t>(i)].Attributes = ConsoleAttributeWord(cells[done + i].attribute);
    }
    const int column = start.column + done;
    SMALL_RECT region{static_cast<SHORT>(column), static_cast<SHORT>(start.row), static_cast<SHORT>(column + n - 1),
                      static_cast<SHORT>(start.row)};
    WriteConsoleOutputA(output_, block.data(), Coord(n, 1), Coord(0, 0), &region);
    done += n;
  }
}

void WindowsConsole::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  BufferInfo info;
  if (!GetBufferInfo(info)) return;
  const SMALL_RECT source{0, static_cast<SHORT>(sourceTop), static_cast<SHORT>(info.columns - 1),
                          static_cast<SHORT>(sourceBottom)};
  CHAR_INFO fillCell;
  fillCell.Char.AsciiChar = static_cast<CHAR>(fill.character);
  fillCell.Attributes = ConsoleAttributeWord(fill.attribute);
  ScrollConsoleScreenBufferA(output_, &source, nullptr, Coord(0, destinationTop), &fillCell);
}

bool WindowsConsole::GetCursorInfo(std::uint32_t& size, bool& visible) {
  CONSOLE_CURSOR_INFO raw;
  if (!GetConsoleCursorInfo(output_, &raw)) return false;
  size = raw.dwSize;
  visible = raw.bVisible != FALSE;
  return true;
}

void WindowsConsole::SetCursorInfo(std::uint32_t size, bool visible) {
  const CONSOLE_CURSOR_INFO raw{size, visible ? TRUE : FALSE};
  SetConsoleCursorInfo(output_, &raw);
}

bool WindowsConsole::PeekInput(InputRecord& record) {
  INPUT_RECORD raw;
  DWORD count = 0;
  if (!PeekConsoleInputA(input_, &raw, 1, &count) || count == 0) return false;
  record = ToInputRecord(EventOf(raw));
  return true;
}

bool WindowsConsole::ReadInput(InputRecord& record) {
  // ReadConsoleInputA blocks on an empty queue; the contract here is not to.
  INPUT_RECORD raw;
  DWORD count = 0;
  if (!PeekConsoleInputA(input_, &raw, 1, &count) || count == 0) return false;
  if (!ReadConsoleInputA(input_, &raw, 1, &count) || count == 0) return false;
  record = ToInputRecord(EventOf(raw));
  return true;
}

void WindowsConsole::WaitForInput() {
  INPUT_RECORD raw;
  DWORD count = 0;
  if (WaitForSingleObject(input_, INFINITE) != WAIT_OBJECT_0 || !PeekConsoleInputA(input_, &raw, 1, &count)) {
    onLost_();
  }
}

}  // namespace console

#include "tests/support/memory_console.h"

#include <algorithm>
#include <cstdio>

#include "console/cp437.h"
#include "tests/support/expected_screen.h"

namespace console {
namespace {

// The classic VGA text palette, in console colour order.
constexpr const char* kPalette[16] = {
    "#000000", "#0000AA", "#00AA00", "#00AAAA", "#AA0000", "#AA00AA", "#AA5500", "#AAAAAA",
    "#555555", "#5555FF", "#55FF55", "#55FFFF", "#FF5555", "#FF55FF", "#FFFF55", "#FFFFFF",
};

void AppendXmlEscaped(std::string& out, std::uint8_t byte) {
  switch (byte) {
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '&': out += "&amp;"; break;
    case '"': out += "&quot;"; break;
    default: out += Cp437Glyph(byte);
  }
}

}  // namespace

MemoryConsole::MemoryConsole(int columns, int rows, int maxColumns, int maxRows)
    : buffer_(std::min(columns, maxColumns), std::min(rows, maxRows)), maxColumns_(maxColumns), maxRows_(maxRows) {}

bool MemoryConsole::GetBufferInfo(BufferInfo& info) {
  info = buffer_.Info();
  return true;
}

// Like a terminal of a fixed largest size: a buffer larger than the display
// can show is clipped to it, so the row count always tells what is visible.
bool MemoryConsole::SetBufferSize(int columns, int rows) {
  if (columns < 1 || rows < 1) return false;
  buffer_.Resize(std::min(columns, maxColumns_), std::min(rows, maxRows_));
  return columns <= maxColumns_ && rows <= maxRows_;
}

bool MemoryConsole::SetWindow(int left, int top, int right, int bottom) {
  return left == 0 && top == 0 && right < maxColumns_ && bottom < maxRows_ && right >= left && bottom >= top;
}

void MemoryConsole::FillCharacter(std::uint8_t character, int count, CellPosition start) {
  buffer_.FillCharacter(character, count, start);
}

void MemoryConsole::FillAttribute(std::uint8_t attribute, int count, CellPosition start) {
  buffer_.FillAttribute(attribute, count, start);
}

void MemoryConsole::SetTextAttribute(std::uint8_t attribute) { textAttribute_ = attribute; }

void MemoryConsole::SetCursorPosition(CellPosition position) { buffer_.SetCursor(position); }

void MemoryConsole::WriteCells(CellPosition start, const CharCell* cells, int count) {
  ++writeCalls;
  buffer_.WriteCells(start, cells, count);
}

void MemoryConsole::ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) {
  ++scrollCalls;
  buffer_.ScrollRows(sourceTop, sourceBottom, destinationTop, fill);
}

bool MemoryConsole::GetCursorInfo(std::uint32_t& size, bool& visible) {
  if (failCursorInfo) return false;
  size = cursorSize_;
  visible = cursorVisible_;
  return true;
}

void MemoryConsole::SetCursorInfo(std::uint32_t size, bool visible) {
  cursorSize_ = size;
  cursorVisible_ = visible;
}

bool MemoryConsole::PeekInput(InputRecord& record) { return input_.Peek(record); }

bool MemoryConsole::ReadInput(InputRecord& record) { return input_.Read(record); }

void MemoryConsole::WaitForInput() {
  if (input_.empty() && refillInput) refillInput();
  if (input_.empty()) throw InputExhausted();
}

void MemoryConsole::Push(const InputRecord& record) { input_.Push(record); }

void MemoryConsole::Type(std::string_view text, std::uint32_t extraControlKeys) {
  for (const char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    InputRecord down;
    down.character = byte;
    down.controlKeys = extraControlKeys;
    if (byte == '\r') {
      down.scanCode = kScanEnter;
    } else if (byte == '\b') {
      down.scanCode = kScanBackspace;
    } else if (byte == '\t') {
      down.scanCode = kScanTab;
    } else if (byte == 0x1B) {
      down.scanCode = kScanEsc;
    } else if (byte >= 1 && byte <= 26) {
      down.scanCode = UsKeyForAscii(static_cast<std::uint8_t>('a' + byte - 1)).scanCode;
      down.controlKeys |= kLeftCtrlPressed;
    } else if (byte < 128) {
      const UsKey key = UsKeyForAscii(byte);
      down.scanCode = key.scanCode;
      if (key.shift) down.controlKeys |= kShiftPressed;
    }
    InputRecord up = down;
    up.keyDown = false;
    input_.Push(down);
    input_.Push(up);
  }
}

void MemoryConsole::PressScanCode(std::uint16_t scanCode, std::uint32_t controlKeys) {
  InputRecord down;
  down.scanCode = scanCode;
  down.controlKeys = controlKeys;
  InputRecord up = down;
  up.keyDown = false;
  input_.Push(down);
  input_.Push(up);
}

std::string MemoryConsole::RowText(int row) const {
  std::string text;
  if (row < 0 || row >= rows()) return std::string(static_cast<std::size_t>(columns()), ' ');
  const CharCell* cells = buffer_.Row(row);
  for (int c = 0; c < columns(); ++c) text += static_cast<char>(cells[c].character);
  return text;
}

std::string MemoryConsole::Text() const { return TextOf(buffer_); }

std::string MemoryConsole::Colors() const { return ColorsOf(buffer_); }

std::string MemoryConsole::Svg() const {
  constexpr int kCellWidth = 9;
  constexpr int kCellHeight = 16;
  constexpr int kBaseline = 12;
  char buffer[256];
  std::string svg;
  std::snprintf(buffer, sizeof buffer,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                "font-family=\"DejaVu Sans Mono, Menlo, Consolas, monospace\" font-size=\"14\">\n"
                "<rect width=\"100%%\" height=\"100%%\" fill=\"#000000\"/>\n",
                columns() * kCellWidth, rows() * kCellHeight);
  svg += buffer;
  for (int r = 0; r < rows(); ++r) {
    int c = 0;
    while (c < columns()) {
      const std::uint8_t attribute = Cell(r, c).attribute;
      int end = c;
      std::string run;
      bool blank = true;
      while (end < columns() && Cell(r, end).attribute == attribute) {
        const std::uint8_t ch = Cell(r, end).character;
        blank = blank && (ch == ' ' || ch == 0 || ch == 255);
        AppendXmlEscaped(run, ch);
        ++end;
      }
      const int background = attribute >> 4;
      if (background != 0) {
        std::snprintf(buffer, sizeof buffer, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                      c * kCellWidth, r * kCellHeight, (end - c) * kCellWidth, kCellHeight, kPalette[background]);
        svg += buffer;
      }
      if (!blank) {
        std::snprintf(buffer, sizeof buffer,
                      "<text x=\"%d\" y=\"%d\" fill=\"%s\" textLength=\"%d\" xml:space=\"preserve\">", c * kCellWidth,
                      r * kCellHeight + kBaseline, kPalette[attribute & 0x0F], (end - c) * kCellWidth);
        svg += buffer;
        svg += run;
        svg += "</text>\n";
      }
      c = end;
    }
  }
  if (cursorVisible_) {
    std::snprintf(buffer, sizeof buffer, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"2\" fill=\"%s\"/>\n",
                  cursor().column * kCellWidth, cursor().row * kCellHeight + kCellHeight - 3, kCellWidth,
                  kPalette[Cell(cursor().row, cursor().column).attribute & 0x0F]);
    svg += buffer;
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace console

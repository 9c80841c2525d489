// An in-memory console for tests and pictures: a cell grid with colours and a
// cursor, a scripted input queue, and dumps of the screen as text and SVG.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "console/cell_buffer.h"
#include "console/input_queue.h"
#include "console/platform.h"
#include "console/us_keyboard.h"

namespace console {

// Thrown by WaitForInput when the script has run out (and `refillInput`
// added nothing), so a test can stop the program under test wherever it next
// waits for a key.
struct InputExhausted : std::runtime_error {
  InputExhausted() : std::runtime_error("scripted input exhausted") {}
};

class MemoryConsole final : public Platform {
 public:
  // A buffer of `columns` x `rows`; the largest window the "display" can show
  // is `maxColumns` x `maxRows` (SetBufferSize beyond what a window could
  // need still works, as on a real console).
  MemoryConsole(int columns = 80, int rows = 25, int maxColumns = 200, int maxRows = 100);

  // Platform.
  bool GetBufferInfo(BufferInfo& info) override;
  bool SetBufferSize(int columns, int rows) override;
  bool SetWindow(int left, int top, int right, int bottom) override;
  void FillCharacter(std::uint8_t character, int count, CellPosition start) override;
  void FillAttribute(std::uint8_t attribute, int count, CellPosition start) override;
  void SetTextAttribute(std::uint8_t attribute) override;
  void SetCursorPosition(CellPosition position) override;
  void WriteCells(CellPosition start, const CharCell* cells, int count) override;
  void ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) override;
  bool GetCursorInfo(std::uint32_t& size, bool& visible) override;
  void SetCursorInfo(std::uint32_t size, bool visible) override;
  bool PeekInput(InputRecord& record) override;
  bool ReadInput(InputRecord& record) override;
  void WaitForInput() override;

  // Script.
  void Push(const InputRecord& record);
  // Key-down and key-up records for each byte, as a US keyboard types it
  // ('\r' is Enter, '\b' Backspace, '\t' Tab, '\x1b' Esc, 1-26 Ctrl+letter).
  void Type(std::string_view text, std::uint32_t extraControlKeys = 0);
  // Key-down then key-up of a key without a character (arrows, F-keys, modifiers).
  void PressScanCode(std::uint16_t scanCode, std::uint32_t controlKeys = 0);
  std::size_t PendingInput() const { return input_.size(); }
  // Asked for more input whenever a wait finds the script empty, as a
  // terminal is read only when the program waits; it may Push records.
  std::function<void()> refillInput;

  // Inspection (0-based).
  int columns() const { return buffer_.columns(); }
  int rows() const { return buffer_.rows(); }
  CellPosition cursor() const { return buffer_.cursor(); }
  bool cursorShown() const { return cursorVisible_; }
  std::uint32_t cursorSize() const { return cursorSize_; }
  std::uint8_t textAttribute() const { return textAttribute_; }
  CharCell Cell(int row, int column) const { return buffer_.At(row, column); }
  // The row's characters exactly, all columns.
  std::string RowText(int row) const;
  // The screen as TextOf and ColorsOf (expected_screen.h) dump it.
  std::string Text() const;
  std::string Colors() const;
  // The screen as an SVG picture, in the console palette, cursor included.
  std::string Svg() const;

  // Counts, for tests of how the console operations drive the platform.
  int writeCalls = 0;
  int scrollCalls = 0;

  // Failure injection: when set, cursor info reads fail / report size 0.
  bool failCursorInfo = false;

 private:
  CellBuffer buffer_;
  int maxColumns_;
  int maxRows_;
  std::uint32_t cursorSize_ = 25;
  bool cursorVisible_ = true;
  std::uint8_t textAttribute_ = 0x07;
  InputQueue input_;
};

}  // namespace console

// The narrow interface that stands where a text console would: a cell buffer
// with a cursor, and a queue of input records. The console operations of
// console.h are written over it; MemoryConsole (tests) and the terminal
// backend implement it.
//
// All positions here are 0-based; the public operations are 1-based.
#pragma once

#include <cstdint>

namespace console {

struct CellPosition {
  int row = 0;
  int column = 0;
};

struct BufferInfo {
  int columns = 0;
  int rows = 0;
  CellPosition cursor;
};

// One screen cell: an 8-bit character (code page 437) and its attribute
// (background * 16 + foreground).
struct CharCell {
  std::uint8_t character = ' ';
  std::uint8_t attribute = 0x07;
  friend bool operator==(const CharCell&, const CharCell&) = default;
};

enum class InputKind : std::uint8_t { kKey, kMouse, kFocus, kWindow };

// Control-key state bits of an input record.
inline constexpr std::uint32_t kRightAltPressed = 0x0001;
inline constexpr std::uint32_t kLeftAltPressed = 0x0002;
inline constexpr std::uint32_t kRightCtrlPressed = 0x0004;
inline constexpr std::uint32_t kLeftCtrlPressed = 0x0008;
inline constexpr std::uint32_t kShiftPressed = 0x0010;
inline constexpr std::uint32_t kCapsLockOn = 0x0080;

// One input record. `character` is 0 for keys that have none; `scanCode` is
// the PC set-1 scan code of the key on a US layout.
struct InputRecord {
  InputKind kind = InputKind::kKey;
  bool keyDown = true;
  std::uint16_t scanCode = 0;
  std::uint8_t character = 0;
  std::uint32_t controlKeys = 0;
  friend bool operator==(const InputRecord&, const InputRecord&) = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Screen buffer. Each call may fail (returns false or does nothing); the
  // console operations never report failures further.
  virtual bool GetBufferInfo(BufferInfo& info) = 0;
  virtual bool SetBufferSize(int columns, int rows) = 0;
  virtual bool SetWindow(int left, int top, int right, int bottom) = 0;
  // Fill `count` cells in reading order from `start` (clipped at the end of the buffer).
  virtual void FillCharacter(std::uint8_t character, int count, CellPosition start) = 0;
  virtual void FillAttribute(std::uint8_t attribute, int count, CellPosition start) = 0;
  // The attribute that later output of other programs would use.
  virtual void SetTextAttribute(std::uint8_t attribute) = 0;
  virtual void SetCursorPosition(CellPosition position) = 0;
  // Writes `count` cells into one row from `start`; characters are not interpreted.
  virtual void WriteCells(CellPosition start, const CharCell* cells, int count) = 0;
  // Moves whole rows [sourceTop, sourceBottom] so that sourceTop lands on
  // destinationTop; cells of the source rows left uncovered get `fill`.
  virtual void ScrollRows(int sourceTop, int sourceBottom, int destinationTop, CharCell fill) = 0;
  virtual bool GetCursorInfo(std::uint32_t& size, bool& visible) = 0;
  virtual void SetCursorInfo(std::uint32_t size, bool visible) = 0;

  // Input queue. PeekInput copies the oldest record without removing it;
  // ReadInput removes it. Both return false when the queue is empty.
  virtual bool PeekInput(InputRecord& record) = 0;
  virtual bool ReadInput(InputRecord& record) = 0;
  // Blocks until PeekInput may find a record. Never spins; a terminal shows
  // everything written so far before it blocks.
  virtual void WaitForInput() = 0;
};

}  // namespace console

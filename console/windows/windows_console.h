// The console operations' platform over a real Windows console: the console
// itself keeps the cells, the colours and the cursor, so every call goes
// straight to it (no grid of our own, no escape sequences), and keys come as
// the console's input records.
//
// The handles are the console's, passed as opaque pointers so that this
// header needs no Windows header; the caller opens and closes them.
#pragma once

#include <cstdint>

#include "console/platform.h"

namespace console {

class WindowsConsole final : public Platform {
 public:
  // Called when the input can no longer be waited on (the console is gone):
  // nobody can type any more, so it must not return.
  using LostConsoleHandler = void (*)();

  // `input`: the console input buffer ("CONIN$"); `output`: a console screen buffer.
  WindowsConsole(void* input, void* output, LostConsoleHandler onLost)
      : input_(input), output_(output), onLost_(onLost) {}

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
  // Waits on the input handle itself, which the console signals while its
  // queue holds a record. A wait or look that fails ends in `onLost`, since
  // a wait that returns at once would otherwise spin.
  void WaitForInput() override;

 private:
  void* input_;
  void* output_;
  LostConsoleHandler onLost_;
};

}  // namespace console

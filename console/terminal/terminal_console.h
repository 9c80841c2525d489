// The console over a real Unix terminal (xterm, tmux, VTE, kitty, the Linux
// console). It keeps the cell buffer itself, as the model of what the program
// drew, and paints the terminal from it by difference just before it waits
// for input; keys are read from the terminal in raw mode and decoded into
// input records.
//
// The buffer has the size the program set, whatever the window's size; the
// program sees it cut to the window (never below kMinimumColumns x
// kMinimumRows), so that its layout follows the window while everything
// drawn stays in the buffer and comes back when the window grows. A window
// below that minimum shows a notice instead. Memory and work per key are
// bounded by the buffer, never by the window.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/cell_buffer.h"
#include "console/input_queue.h"
#include "console/terminal/key_decoder.h"
#include "console/platform.h"
#include "console/terminal/renderer.h"
#include "console/terminal/terminal_capabilities.h"
#include "console/working_screen.h"

// The terminal modes of <termios.h>, which only the backend's sources include.
struct termios;

namespace console {

// Sent when raw mode is entered (and again after the program was stopped and
// continued), as far as the terminal has them: autowrap off, so that writing
// the bottom-right cell never scrolls; bracketed paste on, so that pasted
// text arrives as typed keys.
std::string EnterModeBytes(const TerminalCapabilities& terminal);
// Undoes everything the console turns on: colours, autowrap, cursor, paste.
std::string RestoreModeBytes(const TerminalCapabilities& terminal);
// xterm's window operation "resize to rows x columns in characters".
std::string WindowSizeRequest(int columns, int rows);

// How long SetWindow waits for the terminal to take a size it asked for.
// Terminals that obey answer within a frame or two; the rest never do, and
// the program should not stall noticeably at start for them.
inline constexpr int kResizeWaitMs = 150;

class TerminalConsole final : public Platform {
 public:
  // Works on the terminal open as `fd` (not taken over: the caller closes
  // it), which can do what `terminal` says. Nothing is changed until
  // EnterRawMode; the window's size at this moment is the one asked back at
  // the end, should the program have changed it.
  explicit TerminalConsole(int fd, const TerminalCapabilities& terminal = {});
  ~TerminalConsole() override;
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  // Saves the terminal's modes (the first time), enters raw mode and the
  // drawing modes, and arms the signal-time restore. False when `fd` is no
  // terminal. The erase character is read before raw mode and handed to the
  // key decoder.
  bool EnterRawMode();
  // Paints what is pending, then restores the saved modes (and asks for the
  // window's first size back if the program changed it). The screen keeps
  // what was drawn and the cursor stays where the program left it; over the
  // small-window notice, it goes to the start of a fresh line below it.
  void Restore();
  // Writes whatever differs between the buffer and the terminal, in one write.
  void Paint();
  // Forgets what the terminal shows, so that the next paint repaints all.
  void ForgetScreen() { painted_.Forget(); }

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

  // The terminal's size as last read (0 x 0 when it reports none).
  int terminalColumns() const { return terminalColumns_; }
  int terminalRows() const { return terminalRows_; }
  std::uint8_t eraseByte() const { return eraseByte_; }
  // The window is below the minimum: the notice is what shows.
  bool TooSmall() const;

 private:
  // Reads the terminal's size; true when it changed.
  bool ReadTerminalSize();
  // The screen the program works on: the buffer cut to the window, but
  // never below the minimum.
  int WorkingColumns() const;
  int WorkingRows() const;
  // Fills `count` cells in the program's reading order from `start`, by
  // calling `fill(run, at)` once for each row's run.
  template <typename Fill>
  void FillCells(int count, CellPosition start, Fill fill);
  // What gives the terminal back: the modes undone, and the first window size
  // asked back if the program changed it.
  std::string GiveBackBytes() const;
  // The signal-time restore for the present state.
  void ArmRestore();
  // Acts on signals noted since the last look.
  void HandleWake(unsigned reasons);
  // Reads what the terminal has sent and decodes it; false when the terminal is gone.
  bool ReadKeys();
  // Asks a terminal that can be asked for a window of columns x rows, unless
  // it has that size, and waits a little for it to take it.
  void RequestWindowSize(int columns, int rows);
  void WaitForSize(int columns, int rows);
  void WriteAll(std::string_view bytes);
  ScreenFrame BuildFrame() const;
  // The small-window notice; `leaving`: with the cursor at the start of its
  // last row, for the paint before the terminal is given back.
  ScreenFrame NoticeFrame(bool leaving = false) const;

  int fd_;
  TerminalCapabilities terminal_;
  bool raw_ = false;
  std::unique_ptr<termios> savedModes_;  // the modes found before raw mode, once saved
  std::uint8_t eraseByte_ = 127;
  int terminalColumns_ = 0;
  int terminalRows_ = 0;
  // The window's size before the program asked for another, the size asked
  // for, and whether the window's size changed after the request (at once or
  // later, to that size or another).
  int firstColumns_ = 0;
  int firstRows_ = 0;
  int requestedColumns_ = 0;
  int requestedRows_ = 0;
  bool windowChanged_ = false;

  // The buffer: the program's screen.
  CellBuffer buffer_;
  bool cursorVisible_ = true;
  std::uint32_t cursorSize_ = 0;  // 0 until the program sets one: the terminal reports none
  std::uint8_t textAttribute_ = 0x07;

  PaintedScreen painted_;
  std::string paintBytes_;

  KeyDecoder decoder_;
  std::chrono::steady_clock::time_point lastByteTime_;
  InputQueue input_;
  std::vector<InputRecord> decoded_;
  unsigned pendingReasons_ = 0;  // wake reasons seen while waiting for a size
};

}  // namespace console

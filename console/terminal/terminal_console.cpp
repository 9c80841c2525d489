// The terminal console's modes, size and painting.
#include "console/terminal/terminal_console.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "console/terminal/terminal_signals.h"

namespace console {
namespace {

// A terminal that reports no size gets a buffer of the classic console size.
constexpr int kFallbackColumns = 80;
constexpr int kFallbackRows = 25;

}  // namespace

TerminalConsole::TerminalConsole(int fd) : fd_(fd), buffer_(kFallbackColumns, kFallbackRows) {
  ReadTerminalSize();
  if (terminalColumns_ > 0 && terminalRows_ > 0) buffer_.Resize(terminalColumns_, terminalRows_);
}

TerminalConsole::~TerminalConsole() { Restore(); }

bool TerminalConsole::EnterRawMode() {
  termios current{};
  if (tcgetattr(fd_, &current) != 0) return false;
  if (!modesSaved_) {
    savedModes_ = current;
    modesSaved_ = true;
    // A disabled erase character leaves DEL, what most terminals send.
    const cc_t erase = current.c_cc[VERASE];
    eraseByte_ = erase == _POSIX_VDISABLE ? 127 : static_cast<std::uint8_t>(erase);
    decoder_ = KeyDecoder(eraseByte_);
  }
  termios raw = savedModes_;
  cfmakeraw(&raw);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd_, TCSANOW, &raw) != 0) return false;
  raw_ = true;
  ArmTerminalRestore(fd_, savedModes_, kSignalRestoreBytes);
  WriteAll(kEnterModeBytes);
  ReadTerminalSize();
  painted_.Forget();
  return true;
}

void TerminalConsole::Restore() {
  if (!raw_) return;
  paintBytes_.clear();
  const ScreenFrame frame = BuildFrame();
  Render(frame, painted_, paintBytes_);
  paintBytes_ += kRestoreModeBytes;
  WriteAll(paintBytes_);
  GiveBackTerminal(fd_, savedModes_);
  DisarmTerminalRestore();
  raw_ = false;
}

void TerminalConsole::Paint() {
  if (!raw_) return;
  paintBytes_.clear();
  Render(BuildFrame(), painted_, paintBytes_);
  if (!paintBytes_.empty()) WriteAll(paintBytes_);
}

ScreenFrame TerminalConsole::BuildFrame() const {
  // The terminal shows the buffer's top-left part; a terminal larger than the
  // buffer shows blanks around it, one smaller shows what fits.
  ScreenFrame frame;
  frame.columns = terminalColumns_ > 0 ? terminalColumns_ : buffer_.columns();
  frame.rows = terminalRows_ > 0 ? terminalRows_ : buffer_.rows();
  frame.cells.assign(static_cast<std::size_t>(frame.columns * frame.rows), kBlankCell);
  const int shownColumns = std::min(frame.columns, buffer_.columns());
  const int shownRows = std::min(frame.rows, buffer_.rows());
  for (int row = 0; row < shownRows; ++row) {
    std::copy_n(buffer_.Row(row), shownColumns, frame.cells.begin() + row * frame.columns);
  }
  frame.cursor = buffer_.cursor();
  frame.cursorVisible = cursorVisible_;
  return frame;
}

void TerminalConsole::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && errno == EAGAIN) {
      pollfd ready{fd_, POLLOUT, 0};
      poll(&ready, 1, -1);
    } else {
      return;  // the terminal is gone; the next read finds out
    }
  }
}

bool TerminalConsole::ReadTerminalSize() {
  winsize size{};
  int columns = 0;
  int rows = 0;
  if (ioctl(fd_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    columns = size.ws_col;
    rows = size.ws_row;
  }
  const bool changed = columns != terminalColumns_ || rows != terminalRows_;
  terminalColumns_ = columns;
  terminalRows_ = rows;
  return changed;
}

bool TerminalConsole::SetWindow(int left, int top, int right, int bottom) {
  if (left != 0 || top != 0 || right < left || bottom < top) return false;
  const int columns = right + 1;
  const int rows = bottom + 1;
  const bool sizeKnown = terminalColumns_ > 0;
  if (sizeKnown && (terminalColumns_ != columns || terminalRows_ != rows)) {
    // xterm's window operation "resize to rows x columns in characters";
    // terminals that do not support it ignore it.
    WriteAll("\x1b[8;" + std::to_string(rows) + ';' + std::to_string(columns) + 't');
    WaitForSize(columns, rows);
  }
  return !sizeKnown || (terminalColumns_ >= columns && terminalRows_ >= rows);
}

void TerminalConsole::WaitForSize(int columns, int rows) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kResizeWaitMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd wake{WakeFd(), POLLIN, 0};
    // Without a wake pipe (no signal handlers) this is a plain timed wait.
    const int ready = poll(&wake, wake.fd >= 0 ? 1 : 0, static_cast<int>(left));
    if (ready > 0) {
      const unsigned reasons = TakeWakeReasons();
      pendingReasons_ |= reasons & ~kWakeResized;
      if ((reasons & kWakeResized) != 0 && ReadTerminalSize()) painted_.Forget();
      if (terminalColumns_ == columns && terminalRows_ == rows) break;
    }
  }
  if (ReadTerminalSize()) painted_.Forget();
}

void TerminalConsole::HandleWake(unsigned reasons) {
  if ((reasons & kWakeContinued) != 0 && raw_) {
    // Stopped and continued: the shell had the terminal meanwhile and may
    // have changed its modes and screen.
    EnterRawMode();
  }
  if ((reasons & kWakeResized) != 0) {
    ReadTerminalSize();
    painted_.Forget();
  }
}

}  // namespace console

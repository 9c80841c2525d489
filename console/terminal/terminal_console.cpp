// The terminal console's modes, size and painting.
#include "console/terminal/terminal_console.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "console/terminal/terminal_signals.h"

namespace console {
namespace {

// The buffer before the program sets a size: the classic console's.
constexpr int kFirstColumns = 80;
constexpr int kFirstRows = 25;

constexpr std::string_view kAutowrapOff = "\x1b[?7l";
constexpr std::string_view kAutowrapOn = "\x1b[?7h";
constexpr std::string_view kPasteOn = "\x1b[?2004h";
constexpr std::string_view kPasteOff = "\x1b[?2004l";
constexpr std::string_view kCursorShown = "\x1b[?25h";
constexpr std::string_view kPlainColours = "\x1b[0m";
// Before the signal-time restore: CAN ends any escape sequence that the
// interrupted paint left half written. After it: a new line, so that the
// shell's prompt starts below where the program was.
constexpr std::string_view kCancelSequence = "\x18";
constexpr std::string_view kNewLine = "\r\n";

// The notice shown in a window below the minimum, as lines that fit `width`
// (broken at blanks, or cut where a word is longer than the line).
std::vector<std::string> NoticeLines(int columns, int rows, int width) {
  const std::string text = "helmholtz needs a window of at least " + std::to_string(kMinimumColumns) + "x" +
                           std::to_string(kMinimumRows) + "; this one is " + std::to_string(columns) + "x" +
                           std::to_string(rows);
  std::vector<std::string> lines;
  std::size_t at = 0;
  const auto limit = static_cast<std::size_t>(std::max(width, 1));
  while (at < text.size()) {
    std::size_t end = std::min(text.size(), at + limit);
    if (end < text.size() && text[end] != ' ') {
      const std::size_t blank = text.rfind(' ', end);
      if (blank != std::string::npos && blank > at) end = blank;
    }
    lines.push_back(text.substr(at, end - at));
    at = end;
    while (at < text.size() && text[at] == ' ') ++at;
  }
  return lines;
}

}  // namespace

std::string EnterModeBytes(const TerminalCapabilities& terminal) {
  std::string bytes;
  if (terminal.autowrapControl) bytes += kAutowrapOff;
  if (terminal.bracketedPaste) bytes += kPasteOn;
  return bytes;
}

std::string RestoreModeBytes(const TerminalCapabilities& terminal) {
  std::string bytes(kPlainColours);
  if (terminal.autowrapControl) bytes += kAutowrapOn;
  if (terminal.cursorVisibility) bytes += kCursorShown;
  if (terminal.bracketedPaste) bytes += kPasteOff;
  return bytes;
}

std::string WindowSizeRequest(int columns, int rows) {
  return "\x1b[8;" + std::to_string(rows) + ';' + std::to_string(columns) + 't';
}

TerminalConsole::TerminalConsole(int fd, const TerminalCapabilities& terminal)
    : fd_(fd), terminal_(terminal), buffer_(kFirstColumns, kFirstRows) {
  ReadTerminalSize();
  firstColumns_ = terminalColumns_;
  firstRows_ = terminalRows_;
}

TerminalConsole::~TerminalConsole() { Restore(); }

bool TerminalConsole::EnterRawMode() {
  termios current{};
  if (tcgetattr(fd_, &current) != 0) return false;
  if (!savedModes_) {
    savedModes_ = std::make_unique<termios>(current);
    // A disabled erase character leaves DEL, what most terminals send.
    const cc_t erase = current.c_cc[VERASE];
    eraseByte_ = erase == _POSIX_VDISABLE ? 127 : static_cast<std::uint8_t>(erase);
    decoder_ = KeyDecoder(eraseByte_);
  }
  termios raw = *savedModes_;
  cfmakeraw(&raw);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd_, TCSANOW, &raw) != 0) return false;
  raw_ = true;
  ArmRestore();
  WriteAll(EnterModeBytes(terminal_));
  ReadTerminalSize();
  painted_.Forget();
  return true;
}

std::string TerminalConsole::GiveBackBytes() const {
  std::string bytes = RestoreModeBytes(terminal_);
  if (windowChanged_) bytes += WindowSizeRequest(firstColumns_, firstRows_);
  return bytes;
}

void TerminalConsole::ArmRestore() {
  std::string bytes(kCancelSequence);
  bytes += GiveBackBytes();
  bytes += kNewLine;
  ArmTerminalRestore(fd_, *savedModes_, bytes);
}

void TerminalConsole::Restore() {
  if (!raw_) return;
  paintBytes_.clear();
  const bool notice = TooSmall();
  Render(notice ? NoticeFrame(true) : BuildFrame(), painted_, paintBytes_, terminal_);
  // The notice keeps no cursor of its own: the shell's prompt goes on a fresh
  // line below it, as below the program's screen after any quit.
  if (notice) paintBytes_ += kNewLine;
  paintBytes_ += GiveBackBytes();
  WriteAll(paintBytes_);
  GiveBackTerminal(fd_, *savedModes_);
  DisarmTerminalRestore();
  raw_ = false;
}

void TerminalConsole::Paint() {
  if (!raw_) return;
  paintBytes_.clear();
  Render(BuildFrame(), painted_, paintBytes_, terminal_);
  if (!paintBytes_.empty()) WriteAll(paintBytes_);
}

bool TerminalConsole::TooSmall() const {
  return terminalColumns_ > 0 && (terminalColumns_ < kMinimumColumns || terminalRows_ < kMinimumRows);
}

int TerminalConsole::WorkingColumns() const {
  return WorkingExtent(buffer_.columns(), terminalColumns_, kMinimumColumns);
}

int TerminalConsole::WorkingRows() const { return WorkingExtent(buffer_.rows(), terminalRows_, kMinimumRows); }

ScreenFrame TerminalConsole::BuildFrame() const {
  if (TooSmall()) return NoticeFrame();
  // The terminal shows the buffer's top-left part; a terminal larger than the
  // buffer shows blanks around it, one smaller shows what fits.
  ScreenFrame frame;
  frame.columns = terminalColumns_ > 0 ? std::min(terminalColumns_, buffer_.columns()) : buffer_.columns();
  frame.rows = terminalRows_ > 0 ? std::min(terminalRows_, buffer_.rows()) : buffer_.rows();
  const auto width = static_cast<std::size_t>(frame.columns);
  frame.cells.resize(width * static_cast<std::size_t>(frame.rows));
  for (int row = 0; row < frame.rows; ++row) {
    std::copy_n(buffer_.Row(row), width, frame.cells.begin() + static_cast<std::ptrdiff_t>(width * row));
  }
  frame.cursor = buffer_.cursor();
  frame.cursorVisible = cursorVisible_;
  return frame;
}

// One notice, centred, in the start-up colours, over no more than the
// program's screen: that screen stays in the buffer, untouched.
ScreenFrame TerminalConsole::NoticeFrame(bool leaving) const {
  ScreenFrame frame;
  frame.columns = std::min(terminalColumns_, std::max(buffer_.columns(), kMinimumColumns));
  frame.rows = std::min(terminalRows_, std::max(buffer_.rows(), kMinimumRows));
  const auto width = static_cast<std::size_t>(frame.columns);
  frame.cells.assign(width * static_cast<std::size_t>(frame.rows), kBlankCell);
  const std::vector<std::string> lines = NoticeLines(terminalColumns_, terminalRows_, frame.columns);
  const int top = std::max(0, (frame.rows - static_cast<int>(lines.size())) / 2);
  for (std::size_t i = 0; i < lines.size() && top + static_cast<int>(i) < frame.rows; ++i) {
    const std::string& line = lines[i];
    const std::size_t left = (width - std::min(width, line.size())) / 2;
    for (std::size_t k = 0; k < line.size() && left + k < width; ++k) {
      frame.cells[width * (static_cast<std::size_t>(top) + i) + left + k] = {static_cast<std::uint8_t>(line[k]),
                                                                             kBlankCell.attribute};
    }
  }
  // Outside, hidden; when leaving, the start of the notice's last row shown.
  frame.cursor = {leaving ? std::min(top + static_cast<int>(lines.size()), frame.rows) - 1 : frame.rows, 0};
  frame.cursorVisible = false;
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
  if (changed && !windowChanged_ && requestedColumns_ > 0 && columns > 0 && firstColumns_ > 0 &&
      (firstColumns_ != columns || firstRows_ != rows)) {
    // The window changed after the request: it took the size asked for, or
    // only part of it (80x50, 90x60). From now on every way out asks for the
    // first size back.
    windowChanged_ = true;
    if (raw_) ArmRestore();
  }
  return changed;
}

bool TerminalConsole::SetWindow(int left, int top, int right, int bottom) {
  if (left != 0 || top != 0 || right < left || bottom < top) return false;
  const int columns = right + 1;
  const int rows = bottom + 1;
  const bool sizeKnown = terminalColumns_ > 0;
  RequestWindowSize(columns, rows);
  return !sizeKnown || (terminalColumns_ >= columns && terminalRows_ >= rows);
}

void TerminalConsole::RequestWindowSize(int columns, int rows) {
  if (terminalColumns_ <= 0 || !terminal_.windowResize || (terminalColumns_ == columns && terminalRows_ == rows)) {
    return;
  }
  // Terminals that do not allow it ignore the request.
  requestedColumns_ = columns;
  requestedRows_ = rows;
  WriteAll(WindowSizeRequest(columns, rows));
  WaitForSize(columns, rows);
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
    // have changed its modes and screen; and the stop asked for the window's
    // first size back, so the program's size is asked for again.
    EnterRawMode();
    if (windowChanged_) RequestWindowSize(requestedColumns_, requestedRows_);
  }
  // A resize signal with the size unchanged (a multiplexer re-attaching, a
  // window manager's reminder) leaves the screen as it is: nothing to paint.
  if ((reasons & kWakeResized) != 0 && ReadTerminalSize()) painted_.Forget();
}

}  // namespace console

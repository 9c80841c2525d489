// The terminal console over a real pseudo-terminal pair: the test holds the
// master side, as a terminal emulator would, and replays what the console
// writes into the terminal model.
#include "console/terminal/terminal_console.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "console/terminal/terminal_capabilities.h"
#include "console/terminal/terminal_signals.h"
#include "console/us_keyboard.h"
#include "tests/e2e/terminal_model.h"

namespace console {
namespace {

using Clock = std::chrono::steady_clock;

class PtyPair {
 public:
  PtyPair(int columns, int rows) {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
      ADD_FAILURE() << "no pseudo-terminal";
      return;
    }
    SetSize(columns, rows);
    slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  }
  ~PtyPair() {
    if (slave >= 0) close(slave);
    if (master >= 0) close(master);
  }
  void SetSize(int columns, int rows) const {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    ioctl(master, TIOCSWINSZ, &size);
  }
  // Everything written to the terminal so far.
  std::string Read() {
    char buffer[8192];
    for (;;) {
      const ssize_t count = read(master, buffer, sizeof buffer);
      if (count <= 0) break;
      output.append(buffer, static_cast<std::size_t>(count));
    }
    return output;
  }
  void Type(std::string_view bytes) const {
    ASSERT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  int master = -1;
  int slave = -1;
  std::string output;
};

bool SameModes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

void WriteText(TerminalConsole& console, CellPosition at, std::string_view text, std::uint8_t attribute) {
  std::vector<CharCell> cells;
  for (const char c : text) cells.push_back({static_cast<std::uint8_t>(c), attribute});
  console.WriteCells(at, cells.data(), static_cast<int>(cells.size()));
}

TEST(TerminalModes, RawWhileRunningAndRestoredAfter) {
  PtyPair pty(80, 24);
  termios before{};
  tcgetattr(pty.slave, &before);
  {
    TerminalConsole console(pty.slave);
    ASSERT_TRUE(console.EnterRawMode());
    termios raw{};
    tcgetattr(pty.slave, &raw);
    // Ctrl+C, Ctrl+Z, Ctrl+S and Ctrl+Q reach the program as keys; CR is not
    // turned into LF; nothing is echoed or processed on output.
    EXPECT_EQ(raw.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(raw.c_iflag & (IXON | ICRNL | INLCR | ISTRIP), 0u);
    EXPECT_EQ(raw.c_oflag & OPOST, 0u);
    EXPECT_EQ(raw.c_cc[VMIN], 1);
    EXPECT_EQ(raw.c_cc[VTIME], 0);
    console.Restore();
    termios after{};
    tcgetattr(pty.slave, &after);
    EXPECT_TRUE(SameModes(before, after));
  }
  termios afterDestruction{};
  tcgetattr(pty.slave, &afterDestruction);
  EXPECT_TRUE(SameModes(before, afterDestruction));
  // Drawing modes on, then every one of them off again.
  termtest::TerminalModel model(80, 24);
  model.Feed(pty.Read());
  EXPECT_TRUE(model.errors.empty());
  EXPECT_TRUE(model.autowrap);
  EXPECT_FALSE(model.bracketedPaste);
  EXPECT_TRUE(model.cursorVisible);
  EXPECT_EQ(model.foreground, termtest::kDefaultColor);
  EXPECT_NE(pty.output.find(EnterModeBytes(TerminalCapabilities{})), std::string::npos);
  EXPECT_NE(pty.output.find(RestoreModeBytes(TerminalCapabilities{})), std::string::npos);
}

TEST(TerminalModes, NoTerminalNoRawMode) {
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  TerminalConsole console(null);
  EXPECT_FALSE(console.EnterRawMode());
  close(null);
}

struct EraseRow {
  cc_t verase;
  std::uint8_t expected;
};
constexpr EraseRow kEraseRows[] = {{127, 127}, {8, 8}, {_POSIX_VDISABLE, 127}};

TEST(TerminalModes, EraseCharacterIsReadBeforeRawMode) {
  for (const EraseRow& row : kEraseRows) {
    PtyPair pty(80, 24);
    termios modes{};
    tcgetattr(pty.slave, &modes);
    modes.c_cc[VERASE] = row.verase;
    tcsetattr(pty.slave, TCSANOW, &modes);
    TerminalConsole console(pty.slave);
    ASSERT_TRUE(console.EnterRawMode());
    EXPECT_EQ(console.eraseByte(), row.expected) << int{row.verase};
  }
}

TEST(TerminalModes, TheErasedKeyArrivesAsBackspace) {
  PtyPair pty(80, 24);
  termios modes{};
  tcgetattr(pty.slave, &modes);
  modes.c_cc[VERASE] = 8;
  tcsetattr(pty.slave, TCSANOW, &modes);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  pty.Type("\b");
  console.WaitForInput();
  InputRecord record;
  ASSERT_TRUE(console.ReadInput(record));
  EXPECT_EQ(record.character, 8);
  EXPECT_EQ(record.scanCode, kScanBackspace);
}

// --- Capabilities -----------------------------------------------------------

struct CapabilityRow {
  const char* term;  // null: TERM unset
  const char* noColor;
  bool cursorAddressing;
  bool colors;
  bool backgroundColorErase;
  bool autowrapControl;
  bool bracketedPaste;
  bool windowResize;
  bool columnAddress;
  bool bottomRightCellSafe = true;
};
// As the terminfo entries of Debian's ncurses-base say. Entries whose
// sequences are not the ANSI ones the program writes do not count: vt52's
// cup ("ESC Y" and two characters) refuses the terminal, cons25's hpa
// ("CSI n `") is not used.
constexpr CapabilityRow kCapabilityRows[] = {
    {"xterm-256color", nullptr, true, true, true, true, true, true, true},
    {"screen", nullptr, true, true, false, false, false, false, true},
    {"tmux-256color", nullptr, true, true, false, false, true, false, true},
    {"linux", nullptr, true, true, true, true, false, false, true},
    {"vt100", nullptr, true, false, false, true, false, false, false},
    {"cons25", nullptr, true, true, true, false, false, false, false, false},
    {"dumb", nullptr, false, false, false, false, false, false, false},
    {"vt52", nullptr, false, false, false, false, false, false, false},
    {"no-such-terminal", nullptr, true, true, true, true, true, true, true},
    {"", nullptr, true, true, true, true, true, true, true},
    {nullptr, nullptr, true, true, true, true, true, true, true},
    {"xterm-256color", "1", true, false, true, true, true, true, true},
    {"xterm-256color", "", true, true, true, true, true, true, true},
    {nullptr, "yes", true, false, true, true, true, true, true},
};

TEST(TerminalCapabilitiesFromTerminfo, EachEntrySaysWhatItHas) {
  for (const CapabilityRow& row : kCapabilityRows) {
    SCOPED_TRACE(std::string("TERM=") + (row.term != nullptr ? row.term : "(unset)") +
                 " NO_COLOR=" + (row.noColor != nullptr ? row.noColor : "(unset)"));
    const TerminalCapabilities got = LoadTerminalCapabilities(row.term, row.noColor, -1);
    EXPECT_EQ(got.cursorAddressing, row.cursorAddressing);
    if (!row.cursorAddressing) {
      EXPECT_EQ(got.refusal, "the terminal TERM=" + std::string(row.term) +
                                 " cannot place the cursor; run it in a full-screen terminal");
      continue;
    }
    EXPECT_EQ(got.refusal, "");
    EXPECT_EQ(got.colors, row.colors);
    EXPECT_EQ(got.backgroundColorErase, row.backgroundColorErase);
    EXPECT_EQ(got.autowrapControl, row.autowrapControl);
    EXPECT_EQ(got.bracketedPaste, row.bracketedPaste);
    EXPECT_EQ(got.windowResize, row.windowResize);
    EXPECT_EQ(got.columnAddress, row.columnAddress);
    // Autowrap off, or xenl, makes the last cell safe; cons25 has neither.
    EXPECT_EQ(got.bottomRightCellSafe, row.bottomRightCellSafe);
  }
}

TEST(TerminalCapabilitiesFromTerminfo, ModesAreSentOnlyWhereUnderstood) {
  TerminalCapabilities none;
  none.autowrapControl = false;
  none.bracketedPaste = false;
  none.cursorVisibility = false;
  EXPECT_EQ(EnterModeBytes(none), "");
  EXPECT_EQ(RestoreModeBytes(none), "\x1b[0m");
  EXPECT_EQ(EnterModeBytes(TerminalCapabilities{}), "\x1b[?7l\x1b[?2004h");
  EXPECT_EQ(RestoreModeBytes(TerminalCapabilities{}), "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?2004l");
}

// --- Painting -------------------------------------------------------------

TEST(TerminalPaint, TheWaitPaintsFirst) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  WriteText(console, {2, 5}, "Hello", 0x0C);
  WriteText(console, {3, 5}, "World", 0x0A);
  console.SetCursorPosition({3, 10});
  EXPECT_EQ(pty.Read(), EnterModeBytes(TerminalCapabilities{}));  // nothing drawn before the wait
  pty.Type("k");
  console.WaitForInput();
  termtest::TerminalModel model(80, 24);
  model.Feed(pty.Read());
  EXPECT_TRUE(model.errors.empty());
  EXPECT_EQ(model.TextAt(2, 5, 5), "Hello");
  EXPECT_EQ(model.Cell(2, 5).foreground, termtest::AnsiOfConsoleColor(12));
  EXPECT_EQ(model.TextAt(3, 5, 5), "World");
  EXPECT_EQ(model.Cell(3, 5).foreground, termtest::AnsiOfConsoleColor(10));
  EXPECT_EQ(model.cursorRow, 3);
  EXPECT_EQ(model.cursorColumn, 10);
  InputRecord record;
  ASSERT_TRUE(console.PeekInput(record));
  EXPECT_EQ(record.character, 'k');
  // An idle second wait has nothing new to paint.
  const std::size_t painted = pty.Read().size();
  ASSERT_TRUE(console.ReadInput(record));
  pty.Type("j");
  console.WaitForInput();
  EXPECT_EQ(pty.Read().size(), painted);
}

TEST(TerminalPaint, TheBottomRightCellDoesNotScrollTheTerminal) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  WriteText(console, {0, 0}, "first row", 0x07);
  WriteText(console, {23, 0}, std::string(80, '#'), 0x0E);
  console.SetCursorPosition({23, 79});
  console.Paint();
  termtest::TerminalModel model(80, 24);  // autowrap on, until the console turns it off
  model.Feed(pty.Read());
  EXPECT_EQ(model.scrolls, 0);
  EXPECT_EQ(model.TextAt(0, 0, 9), "first row");
  EXPECT_EQ(model.RowText(23), std::string(80, '#'));
}

TEST(TerminalPaint, RestoreLeavesTheScreenAndTheCursor) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  WriteText(console, {4, 0}, "kept after exit", 0x0B);
  console.SetCursorPosition({5, 0});
  console.Restore();  // paints what is pending
  termtest::TerminalModel model(80, 24);
  model.Feed(pty.Read());
  EXPECT_EQ(model.TextAt(4, 0, 15), "kept after exit");
  EXPECT_EQ(model.cursorRow, 5);
  EXPECT_EQ(model.cursorColumn, 0);
}

// --- Size -----------------------------------------------------------------

TEST(TerminalSize, ATerminalThatWillNotGrowClipsTheBuffer) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  // As SetScreenSize(80, 60) drives it.
  const Clock::time_point start = Clock::now();
  console.SetBufferSize(80, 60);
  console.SetWindow(0, 0, 79, 59);
  console.SetBufferSize(80, 60);
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  BufferInfo info;
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.rows, 24);
  EXPECT_NE(pty.Read().find("\x1b[8;60;80t"), std::string::npos);
  EXPECT_GE(waited, kResizeWaitMs - 10);
  EXPECT_LT(waited, kResizeWaitMs + 500);
}

TEST(TerminalSize, ATerminalThatGrowsGivesTheWholeBuffer) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  // The "window" obeys a moment after the request.
  std::thread window([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pty.SetSize(80, 60);
  });
  console.SetBufferSize(80, 60);
  console.SetWindow(0, 0, 79, 59);
  console.SetBufferSize(80, 60);
  window.join();
  BufferInfo info;
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.rows, 60);
}

TEST(TerminalSize, NoRequestWhenTheTerminalHasTheSizeAlready) {
  PtyPair pty(80, 60);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  const Clock::time_point start = Clock::now();
  console.SetBufferSize(80, 60);
  console.SetWindow(0, 0, 79, 59);
  console.SetBufferSize(80, 60);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(), 50);
  EXPECT_EQ(pty.Read().find("\x1b[8;"), std::string::npos);
  BufferInfo info;
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.rows, 60);
}

TEST(TerminalSize, ALargerTerminalShowsTheBufferTopLeftAndBlanksAround) {
  PtyPair pty(100, 30);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  console.SetBufferSize(20, 5);
  console.FillCharacter('x', 20 * 5, {0, 0});
  console.Paint();
  termtest::TerminalModel model(100, 30);
  model.Feed("outside text");  // what the shell had there
  model.Feed(pty.Read());
  EXPECT_EQ(model.TextAt(4, 0, 21), std::string(20, 'x') + " ");
  EXPECT_EQ(model.TextAt(0, 20, 12), std::string(12, ' '));
}

// Resize signals while waiting. The program's screen follows the window
// (never below the minimum), the buffer keeps everything drawn, a window below
// the minimum shows the notice, and a signal at an unchanged size paints nothing.
class TerminalResize : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(handlers_, nullptr); }
  // Resizes the pty, signals, and lets the console wait once (a key ends it).
  std::string ResizeAndWait(PtyPair& pty, TerminalConsole& console, int columns, int rows) {
    pty.Read();
    pty.output.clear();
    pty.SetSize(columns, rows);
    raise(SIGWINCH);
    pty.Type("x");
    console.WaitForInput();
    InputRecord record;
    while (console.ReadInput(record)) {
    }
    return pty.Read();
  }

  std::unique_ptr<SignalHandlers> handlers_ = SignalHandlers::Install();
};

TEST_F(TerminalResize, TheScreenFollowsTheWindowAndComesBackWhole) {
  PtyPair pty(80, 60);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  console.SetBufferSize(80, 60);
  for (int row = 0; row < 60; ++row) WriteText(console, {row, 0}, "row " + std::to_string(row), 0x0A);
  console.SetCursorPosition({50, 7});
  console.Paint();

  termtest::TerminalModel shrunk(80, 30);
  shrunk.Feed(ResizeAndWait(pty, console, 80, 30));
  EXPECT_TRUE(shrunk.errors.empty());
  for (int row = 0; row < 30; ++row)
    EXPECT_EQ(shrunk.TextAt(row, 0, 7), ("row " + std::to_string(row) + "   ").substr(0, 7));
  EXPECT_FALSE(shrunk.cursorVisible);  // row 50 is not in the window
  BufferInfo info;
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.rows, 30);
  EXPECT_EQ(info.cursor.row, 29);

  termtest::TerminalModel grown(80, 60);
  grown.Feed(ResizeAndWait(pty, console, 80, 60));
  EXPECT_TRUE(grown.errors.empty());
  EXPECT_EQ(grown.TextAt(59, 0, 7), "row 59 ");
  EXPECT_TRUE(grown.cursorVisible);
  EXPECT_EQ(grown.cursorRow, 50);
  EXPECT_EQ(grown.cursorColumn, 7);
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.rows, 60);
  console.Restore();
}

TEST_F(TerminalResize, AClearAlsoClearsWhatTheWindowHides) {
  PtyPair pty(80, 60);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  console.SetBufferSize(80, 60);
  WriteText(console, {57, 4}, "old panel", 0x0D);
  ResizeAndWait(pty, console, 80, 30);
  // As ClearScreen does it: the whole screen the program sees.
  console.FillCharacter(' ', 80 * 30, {0, 0});
  console.FillAttribute(0x07, 80 * 30, {0, 0});
  termtest::TerminalModel grown(80, 60);
  grown.Feed(ResizeAndWait(pty, console, 80, 60));
  EXPECT_EQ(grown.RowText(57), std::string(80, ' '));
  console.Restore();
}

struct SmallWindowRow {
  int columns;
  int rows;
  std::string_view size;  // as the notice gives it
};
constexpr SmallWindowRow kSmallWindows[] = {{40, 15, "40x15"}, {79, 60, "79x60"}, {80, 23, "80x23"}, {20, 4, "20x4"}};

TEST_F(TerminalResize, BelowTheMinimumOneNoticeShowsAndNothingIsLost) {
  for (const SmallWindowRow& row : kSmallWindows) {
    SCOPED_TRACE(row.size);
    PtyPair pty(80, 60);
    TerminalConsole console(pty.slave);
    ASSERT_TRUE(console.EnterRawMode());
    console.SetBufferSize(80, 60);
    WriteText(console, {14, 9}, "Volume (cc) ?10", 0x0B);
    console.SetCursorPosition({14, 24});
    console.Paint();
    termtest::TerminalModel small(row.columns, row.rows);
    small.Feed(ResizeAndWait(pty, console, row.columns, row.rows));
    EXPECT_TRUE(small.errors.empty());
    std::string shown;
    for (int r = 0; r < row.rows; ++r) {
      std::string line = small.RowText(r);
      const std::size_t first = line.find_first_not_of(' ');
      if (first == std::string::npos) continue;
      line = line.substr(first, line.find_last_not_of(' ') + 1 - first);
      shown += (shown.empty() ? "" : " ") + line;
    }
    if (row.columns >= 20) {
      EXPECT_EQ(shown, "helmholtz needs a window of at least 80x24; this one is " + std::string(row.size));
    }
    EXPECT_FALSE(small.cursorVisible);
    // The program still works on a screen of at least the minimum.
    BufferInfo info;
    ASSERT_TRUE(console.GetBufferInfo(info));
    EXPECT_GE(info.columns, 80);
    EXPECT_GE(info.rows, 24);
    termtest::TerminalModel back(80, 60);
    back.Feed(ResizeAndWait(pty, console, 80, 60));
    EXPECT_EQ(back.TextAt(14, 9, 16), "Volume (cc) ?10 ");
    EXPECT_EQ(back.cursorRow, 14);
    EXPECT_EQ(back.cursorColumn, 24);
    EXPECT_TRUE(back.cursorVisible);
    console.Restore();
  }
}

TEST_F(TerminalResize, ASignalAtTheSameSizePaintsNothing) {
  PtyPair pty(80, 60);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  WriteText(console, {3, 3}, "drawn once", 0x0E);
  console.Paint();
  EXPECT_EQ(ResizeAndWait(pty, console, 80, 60), "");
  console.Restore();
}

// A window of any size costs the buffer's memory and work, never the window's.
TEST_F(TerminalResize, AHugeWindowIsPaintedWithinTheBuffer) {
  PtyPair pty(80, 60);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  console.SetBufferSize(80, 60);
  WriteText(console, {0, 0}, "corner", 0x0C);
  const std::string bytes = ResizeAndWait(pty, console, 65535, 65535);
  EXPECT_NE(bytes.find("corner"), std::string::npos);
  EXPECT_LT(bytes.size(), 1000u);
  BufferInfo info;
  ASSERT_TRUE(console.GetBufferInfo(info));
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.rows, 60);
  console.Restore();
}

// --- Input ----------------------------------------------------------------

TEST(TerminalInput, ALoneEscIsTheEscKeyAfterTheTimeout) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  pty.Type("\x1b");
  const Clock::time_point start = Clock::now();
  console.WaitForInput();
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  InputRecord record;
  ASSERT_TRUE(console.ReadInput(record));
  EXPECT_EQ(record.scanCode, kScanEsc);
  EXPECT_GE(waited, kEscTimeoutMs - 5);
  EXPECT_LT(waited, kEscTimeoutMs + 500);
}

TEST(TerminalInput, KeysTypedAheadAreAllQueued) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  pty.Type("12\r\x03\x1a\x13\x11");
  console.WaitForInput();
  std::string characters;
  InputRecord record;
  while (console.ReadInput(record)) characters += static_cast<char>(record.character);
  // Enter is 13, Ctrl+C 3, Ctrl+Z 26, Ctrl+S 19, Ctrl+Q 17: all plain keys.
  EXPECT_EQ(characters, "12\r\x03\x1a\x13\x11");
}

TEST(TerminalInput, WaitingUsesNoProcessorTime) {
  PtyPair pty(80, 24);
  TerminalConsole console(pty.slave);
  ASSERT_TRUE(console.EnterRawMode());
  constexpr int kWaitMs = 300;
  std::thread typist([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
    pty.Type("z");
  });
  rusage before{};
  getrusage(RUSAGE_THREAD, &before);
  console.WaitForInput();
  rusage after{};
  getrusage(RUSAGE_THREAD, &after);
  typist.join();
  auto micros = [](const timeval& t) { return t.tv_sec * 1000000L + t.tv_usec; };
  const long used = micros(after.ru_utime) - micros(before.ru_utime) + micros(after.ru_stime) - micros(before.ru_stime);
  // A busy wait would use the whole 300 ms.
  EXPECT_LT(used, 20000) << used << " us";
}

}  // namespace
}  // namespace console

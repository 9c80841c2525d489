// The real program's start and end: terminal modes restored and unread input
// discarded on every way out (signals, a terminal that reads nothing, a
// sanitizer finding), the window's size asked back, stop and continue,
// redirected streams, no terminal at all or one that cannot place the cursor,
// terminal types and NO_COLOR, and an idle program that uses no processor time.
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/helmholtz_support.h"

namespace termtest {
namespace {

bool AtPrompt(const TerminalModel& m) { return AtChoicePrompt(m); }

class FrameE2e : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(HelmholtzBinary().empty()) << "HELMHOLTZ_BINARY is not set"; }
};

struct SignalRow {
  int signalNumber;
  std::string name;
};
// Every signal whose default action ends the process, each sent by kill at
// the prompt: termination requests, resource limits, faults, and the
// real-time signals.
std::vector<SignalRow> EndingSignals() {
  std::vector<SignalRow> rows = {
      {SIGTERM, "SIGTERM"},     {SIGHUP, "SIGHUP"},   {SIGINT, "SIGINT"},   {SIGQUIT, "SIGQUIT"},
      {SIGUSR1, "SIGUSR1"},     {SIGUSR2, "SIGUSR2"}, {SIGALRM, "SIGALRM"}, {SIGPIPE, "SIGPIPE"},
      {SIGVTALRM, "SIGVTALRM"}, {SIGPROF, "SIGPROF"}, {SIGIO, "SIGIO"},     {SIGPWR, "SIGPWR"},
      {SIGSTKFLT, "SIGSTKFLT"}, {SIGXCPU, "SIGXCPU"}, {SIGXFSZ, "SIGXFSZ"}, {SIGSEGV, "SIGSEGV"},
      {SIGBUS, "SIGBUS"},       {SIGFPE, "SIGFPE"},   {SIGILL, "SIGILL"},   {SIGTRAP, "SIGTRAP"},
      {SIGSYS, "SIGSYS"},       {SIGABRT, "SIGABRT"},
  };
  for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) {
    rows.push_back({number, "SIGRTMIN+" + std::to_string(number - SIGRTMIN)});
  }
  return rows;
}

TEST_F(FrameE2e, EverySignalThatEndsTheProgramRestoresTheTerminal) {
  for (const SignalRow& row : EndingSignals()) {
    SCOPED_TRACE(row.name);
    PtySession session(HelmholtzBinary(), LaunchOptions{});
    ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
    session.Signal(row.signalNumber);
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    // Ended by that very signal, with its default action.
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), row.signalNumber);
    EXPECT_TRUE(RestoredAsBefore(session));
    // The drawing stays on the screen: no alternate screen.
    EXPECT_TRUE(MenuShown(session.screen()));
  }
}

// A paste long enough to outlast the program, whose tail would run a command
// in the shell if any of it were left unread. It arrives while the program is
// held stopped, so all of it waits in the terminal when the program goes on.
struct LeftoverRow {
  const char* name;
  std::string_view pasteStart;  // what the paste holds before the long tail
  int signalNumber;             // 0: the program quits by itself
};
constexpr LeftoverRow kLeftoverRows[] = {
    {"quit inside the paste", "*\r", 0},
    {"SIGTERM while the paste waits", "", SIGTERM},
    {"SIGSEGV while the paste waits", "", SIGSEGV},
};

TEST_F(FrameE2e, NoUnreadInputReachesTheShellOnAnyWayOut) {
  for (const LeftoverRow& row : kLeftoverRows) {
    SCOPED_TRACE(row.name);
    PtySession session(HelmholtzBinary(), LaunchOptions{});
    ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
    session.Signal(SIGSTOP);
    ASSERT_TRUE(session.WaitForStop(kPromptlyMs));
    session.Send("\x1b[200~" + std::string(row.pasteStart) + std::string(5000, 'a') + "\recho PWNED\r\x1b[201~");
    if (row.signalNumber != 0) session.Signal(row.signalNumber);
    session.Signal(SIGCONT);
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    if (row.signalNumber == 0) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.signalNumber) << status;
    }
    EXPECT_TRUE(RestoredAsBefore(session));
    EXPECT_EQ(session.UnreadInput(200).size(), 0u);
  }
}

TEST_F(FrameE2e, SigtermEndsTheProgramWhileTheTerminalReadsNothing) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.StopReading();
  // Calculation after calculation, typed piece by piece so that each draws:
  // the screens fill the terminal's output queue until the program blocks
  // in a write.
  constexpr std::string_view kCalculation[] = {"1\r", "1\r", "1\r", "1\r", "x"};
  const auto blockedInWrite = [&session] { return BlockingSystemCall(session.pid()) == SYS_write; };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPromptlyMs);
  while (!blockedInWrite() && std::chrono::steady_clock::now() < deadline) {
    for (const std::string_view piece : kCalculation) {
      session.Send(piece);
      poll(nullptr, 0, 2);
    }
  }
  ASSERT_TRUE(blockedInWrite());
  poll(nullptr, 0, 50);
  ASSERT_TRUE(blockedInWrite()) << "a passing write, not a blocked one";
  session.Signal(SIGTERM);
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(1000, status)) << "still running 1 s after SIGTERM";
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  // The modes come back even though the restore's bytes did not fit.
  EXPECT_TRUE(SameModes(session.Modes(), session.ModesAtStart()));
}

#ifdef HELMHOLTZ_SANITIZER_ABORT_PROGRAM
// Sanitizer builds only: a finding ends the program by abort(), so the crash
// restore gives the terminal back.
TEST_F(FrameE2e, ASanitizerFindingEndsTheProgramWithTheTerminalRestored) {
  PtySession session(HELMHOLTZ_SANITIZER_ABORT_PROGRAM, LaunchOptions{});
  ASSERT_TRUE(session.WaitForText(0, 0, "Enter overflows", kPromptlyMs)) << session.screen().Text();
  session.Send("\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_NE(session.output().find("runtime error"), std::string::npos) << session.output();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << status;
  EXPECT_TRUE(RestoredAsBefore(session));
}
#endif

TEST_F(FrameE2e, AClosedTerminalEndsTheProgramAsAHangUp) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.HangUp();
  int status = 0;
  // Not left spinning on a terminal that reads as ended.
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGHUP);
}

TEST_F(FrameE2e, StopRestoresAndContinueRepaintsInRawMode) {
  LaunchOptions options;
  options.underShell = true;
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Send("4");
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m, "4"); }, kPromptlyMs));
  session.Signal(SIGTSTP);
  ASSERT_TRUE(session.WaitForStop(kPromptlyMs));
  session.Settle(50);
  EXPECT_TRUE(RestoredAsBefore(session));
  // The shell writes on the screen meanwhile.
  session.screen().Feed("\x1b[2J\x1b[H[1]+  Stopped  helmholtz\r\n$ fg\r\n");
  session.Signal(SIGCONT);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return AtChoicePrompt(m, "4"); }, kPromptlyMs))
      << session.screen().Text();
  EXPECT_EQ(session.screen().RowText(14), std::string(80, ' '));
  const termios modes = session.Modes();
  EXPECT_EQ(modes.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_FALSE(session.screen().autowrap);
  session.Send("\x7f*\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(RestoredAsBefore(session));
}

bool Requested(const TerminalModel& m, std::size_t index, int columns, int rows) {
  return m.resizeRequests.size() > index && m.resizeRequests[index].columns == columns &&
         m.resizeRequests[index].rows == rows;
}

// A stop gives the window its first size back (here below the minimum); once
// continued, the program asks for 80x60 again, so that its screen comes back
// instead of the small-window notice.
TEST_F(FrameE2e, ContinuedAfterAStopItAsksForItsWindowSizeAgain) {
  LaunchOptions options;
  options.underShell = true;
  options.columns = 60;
  options.rows = 20;
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return Requested(m, 0, 80, 60); }, kPromptlyMs));
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Signal(SIGTSTP);
  ASSERT_TRUE(session.WaitForStop(kPromptlyMs));
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return Requested(m, 1, 60, 20); }, kPromptlyMs));
  session.Resize(60, 20);
  session.Signal(SIGCONT);
  ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return Requested(m, 2, 80, 60); }, kPromptlyMs))
      << session.screen().Text();
  session.Resize(80, 60);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs)) << session.screen().Text();
  session.Send("*\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(Requested(session.screen(), 3, 60, 20));
  EXPECT_EQ(session.screen().resizeRequests.size(), 4u);
  EXPECT_TRUE(RestoredAsBefore(session));
}

TEST_F(FrameE2e, RedirectedStreamsStillDrawAndReadOnTheTerminal) {
  char path[] = "/tmp/helmholtz-e2e-stdout-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  LaunchOptions options;
  options.standardInputFromNull = true;
  options.standardOutputFile = path;
  {
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
    session.Send("*\r");
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(RestoredAsBefore(session));
  }
  std::ifstream file(path);
  const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, "");
  std::remove(path);
}

TEST_F(FrameE2e, WithoutATerminalItSaysSoAndExits255) {
  LaunchOptions options;
  options.withoutTerminal = true;
  PtySession session(HelmholtzBinary(), options);
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 255);
  const std::string& message = session.errorOutput();
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;  // exactly one line
  EXPECT_NE(message.find("terminal"), std::string::npos) << message;
}

// A terminfo folder of the test's own (TERMINFO), removed with everything in it.
class TerminfoFolder {
 public:
  TerminfoFolder() {
    char pattern[] = "/tmp/helmholtz-terminfo-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path_ = pattern;
  }
  ~TerminfoFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  // Where the entry for `name` goes in `subfolder` (its first letter, or that
  // letter's code in hexadecimal); the subfolder is made here.
  std::string Entry(const std::string& subfolder, const std::string& name) const {
    std::filesystem::create_directories(path_ + "/" + subfolder);
    return path_ + "/" + subfolder + "/" + name;
  }

 private:
  std::string path_;
};

enum class EntryKind { kSystem, kCopyOfDumb, kFifo, kFifoInHexLayout };
struct RefusedTerminalRow {
  const char* name;
  std::string term;
  EntryKind entry;
  std::string why;  // the line's text after "TERM=<term as shown> "; %s: the entry file
  std::string termShown;
};
// Terminals that cannot show the screens. A crafted entry name must not put
// its bytes on the user's terminal, and an entry that is a FIFO must not
// block the start-up.
const RefusedTerminalRow kRefusedTerminals[] = {
    {"no cursor addressing", "dumb", EntryKind::kSystem, "cannot place the cursor; run it in a full-screen terminal",
     "dumb"},
    {"cursor addressing that is not ANSI", "vt52", EntryKind::kSystem,
     "cannot place the cursor; run it in a full-screen terminal", "vt52"},
    {"escape sequences in the name", "x\x1b]0;owned\x07\x1b[2J\\", EntryKind::kCopyOfDumb,
     "cannot place the cursor; run it in a full-screen terminal", "x\\x1B]0;owned\\x07\\x1B[2J\\x5C"},
    {"a FIFO for an entry", "fifo-term", EntryKind::kFifo, "has a terminfo entry that is not a regular file (%s)",
     "fifo-term"},
    {"a FIFO for an entry, hexadecimal layout", "fifo-term", EntryKind::kFifoInHexLayout,
     "has a terminfo entry that is not a regular file (%s)", "fifo-term"},
};

TEST_F(FrameE2e, ARefusedTerminalIsNamedPrintablyAndLeftUntouched) {
  for (const RefusedTerminalRow& row : kRefusedTerminals) {
    SCOPED_TRACE(row.name);
    TerminfoFolder terminfo;
    std::string entry;
    switch (row.entry) {
      case EntryKind::kSystem: break;
      case EntryKind::kCopyOfDumb:
        entry = terminfo.Entry(row.term.substr(0, 1), row.term);
        ASSERT_TRUE(std::filesystem::copy_file("/lib/terminfo/d/dumb", entry));
        break;
      case EntryKind::kFifo: entry = terminfo.Entry(row.term.substr(0, 1), row.term); break;
      case EntryKind::kFifoInHexLayout: entry = terminfo.Entry("66", row.term); break;
    }
    if (row.entry == EntryKind::kFifo || row.entry == EntryKind::kFifoInHexLayout) {
      ASSERT_EQ(mkfifo(entry.c_str(), 0600), 0);
    }
    LaunchOptions options;
    options.term = row.term;
    options.environment = {"TERMINFO=" + terminfo.path()};
    PtySession session(HelmholtzBinary(), options);
    int status = 0;
    // A program still waiting is killed by the session as it ends.
    if (!session.WaitForExit(kPromptlyMs, status)) {
      ADD_FAILURE() << "still running";
      continue;
    }
    EXPECT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 255);
    std::string why = row.why;
    if (const std::size_t at = why.find("%s"); at != std::string::npos) why.replace(at, 2, entry);
    // One line on standard error (the pty turns its new line into CR LF), and
    // nothing else: no mode, no colour, no clear.
    EXPECT_EQ(session.output(), "helmholtz: the terminal TERM=" + row.termShown + " " + why + "\r\n");
    EXPECT_TRUE(SameModes(session.Modes(), session.ModesAtStart()));
  }
}

struct WayOutRow {
  const char* name;
  int signalNumber;  // 0: the "*" choice
  bool obeysLate;    // the window takes the size only after the program stopped waiting for it
  int takenColumns;  // the size the window takes: 80x60, or another when it obeys only in part
  int takenRows;
};
constexpr WayOutRow kWaysOut[] = {{"quit", 0, false, 80, 60},
                                  {"SIGTERM", SIGTERM, false, 80, 60},
                                  {"SIGHUP", SIGHUP, false, 80, 60},
                                  {"SIGSEGV", SIGSEGV, false, 80, 60},
                                  {"quit, window obeying late", 0, true, 80, 60},
                                  {"SIGTERM, window obeying late", SIGTERM, true, 80, 60},
                                  {"quit, window taking 80x50", 0, false, 80, 50},
                                  {"quit, window taking 90x60", 0, false, 90, 60},
                                  {"SIGTERM, window taking 80x50 late", SIGTERM, true, 80, 50}};

// A window whose size changed after the program's 80x60 request (to that
// size, or to another where the window obeys only in part) is asked for its
// first size back, however the program ends.
TEST_F(FrameE2e, TheWindowGetsItsFirstSizeBackOnEveryWayOut) {
  for (const WayOutRow& row : kWaysOut) {
    SCOPED_TRACE(row.name);
    LaunchOptions options;
    options.columns = 100;
    options.rows = 30;
    PtySession session(HelmholtzBinary(), options);
    ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return !m.resizeRequests.empty(); }, kPromptlyMs));
    if (row.obeysLate) {
      ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
    }
    session.Resize(row.takenColumns, row.takenRows);
    ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
    session.Settle(50);
    if (row.signalNumber == 0) {
      session.Send("*\r");
    } else {
      session.Signal(row.signalNumber);
    }
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    const std::vector<ResizeRequest>& requests = session.screen().resizeRequests;
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rows, 60);
    EXPECT_EQ(requests[0].columns, 80);
    EXPECT_EQ(requests[1].rows, 30);
    EXPECT_EQ(requests[1].columns, 100);
    EXPECT_TRUE(RestoredAsBefore(session));
  }
}

TEST_F(FrameE2e, AWindowThatKeptItsSizeIsNotAskedAgain) {
  LaunchOptions options;
  options.columns = 100;
  options.rows = 30;
  PtySession session(HelmholtzBinary(), options);
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  session.Send("*\r");
  int status = 0;
  ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
  EXPECT_EQ(session.screen().resizeRequests.size(), 1u);
}

// What each terminal type gets. Without an entry: what an xterm gets.
struct TerminalTypeRow {
  const char* term;
  const char* noColor;
  bool colors;
  bool backgroundColorErase;  // as the terminal itself behaves
  bool resizeRequest;
  bool autowrapOff;
  bool bracketedPaste;
};
constexpr TerminalTypeRow kTerminalTypes[] = {
    {"xterm-256color", "", true, true, true, true, true},   {"xterm", "", true, true, true, true, true},
    {"screen", "", true, false, false, false, false},       {"tmux-256color", "", true, false, false, false, true},
    {"linux", "", true, true, false, true, false},          {"vt100", "", false, false, false, true, false},
    {"no-such-terminal", "", true, true, true, true, true}, {"", "", true, true, true, true, true},
    {"xterm-256color", "1", false, true, true, true, true}, {"screen", "yes", false, false, false, false, false},
};

// The menu's texts at their places, whatever their colours.
bool MenuTextsShown(const TerminalModel& m) {
  for (const MenuLine& line : kMenuLines) {
    if (m.TextAt(line.row - 1, line.column - 1, static_cast<int>(line.text.size())) != line.text) return false;
  }
  return m.cursorRow == kChoiceRow - 1 && m.cursorColumn == kChoiceColumn - 1;
}

TEST_F(FrameE2e, EachTerminalTypeGetsWhatItUnderstands) {
  for (const TerminalTypeRow& row : kTerminalTypes) {
    SCOPED_TRACE(std::string("TERM=") + row.term + " NO_COLOR=" + row.noColor);
    LaunchOptions options;
    options.rows = 59;  // one short of the request
    options.term = row.term;
    options.noColor = row.noColor;
    PtySession session(HelmholtzBinary(), options);
    session.screen().backgroundColorErase = row.backgroundColorErase;
    ASSERT_TRUE(session.WaitUntil(MenuTextsShown, kPromptlyMs)) << session.screen().Text();
    session.Send("1\r1000\r2\r1\r");
    ASSERT_TRUE(session.WaitForText(57, 4, "221Hz", kPromptlyMs)) << session.screen().Text();
    session.Settle(50);
    const TerminalModel& screen = session.screen();
    EXPECT_TRUE(screen.errors.empty()) << screen.errors.front();
    EXPECT_EQ(screen.sgrColorCodes > 0, row.colors);
    EXPECT_EQ(!screen.resizeRequests.empty(), row.resizeRequest);
    EXPECT_EQ(!screen.autowrap, row.autowrapOff);
    EXPECT_EQ(screen.bracketedPaste, row.bracketedPaste);
    // Every cell, erased or written, has the black background in colour, and
    // the terminal's own colours without.
    const int background = row.colors ? AnsiOfConsoleColor(0) : kDefaultColor;
    for (int r = 0; r < screen.rows(); ++r) {
      for (int c = 0; c < screen.columns(); ++c) {
        ASSERT_EQ(screen.Cell(r, c).background, background) << r << "," << c;
        if (!row.colors) {
          ASSERT_EQ(screen.Cell(r, c).foreground, kDefaultColor) << r << "," << c;
        }
      }
    }
    session.Send("x*\r");
    int status = 0;
    ASSERT_TRUE(session.WaitForExit(kPromptlyMs, status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(RestoredAsBefore(session));
  }
}

TEST_F(FrameE2e, IdleProgramUsesNoProcessorTime) {
  PtySession session(HelmholtzBinary(), LaunchOptions{});
  ASSERT_TRUE(session.WaitUntil(AtPrompt, kPromptlyMs));
  constexpr int kIdleMs = 500;
  // At the prompt, and at the wait for any key.
  for (const bool atKeyWait : {false, true}) {
    if (atKeyWait) {
      session.Send("\r");
      ASSERT_TRUE(session.WaitUntil([](const TerminalModel& m) { return m.cursorRow == 14 && m.cursorColumn == 0; },
                                    kPromptlyMs));
    }
    session.Settle(50);
    const long before = ProcessorTicks(session.pid());
    session.Pump(kIdleMs);  // nothing arrives: a plain wait
    const long after = ProcessorTicks(session.pid());
    ASSERT_GE(before, 0);
    // One clock tick (10 ms) of slack for the scheduler's accounting.
    EXPECT_LE(after - before, 1) << (atKeyWait ? "key wait" : "prompt");
  }
}

}  // namespace
}  // namespace termtest

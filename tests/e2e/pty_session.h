// Runs a program in a pseudo-terminal of its own, as a shell in a terminal
// window would: the program is a session leader whose controlling terminal is
// the pty. Its output is replayed into a TerminalModel. Every wait is bounded,
// so a hanging program fails a test instead of stalling it.
//
//   PtySession session(binary, {.columns = 80, .rows = 60});
//   session.WaitUntil([](const TerminalModel& m) { return m.RowText(13).find("Choice ?") != npos; });
//   session.Send("*\r");
//   int status; session.WaitForExit(2000, status);
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/terminal_model.h"

namespace termtest {

struct LaunchOptions {
  int columns = 80;
  int rows = 60;
  bool standardInputFromNull = false;
  std::string standardOutputFile;  // empty: the pty
  // No terminal at all: a new session without a controlling terminal,
  // standard input on /dev/null, standard output and error captured.
  bool withoutTerminal = false;
  // Without a terminal: standard input from this file instead of /dev/null,
  // and standard output into a pipe whose reading end is already closed.
  std::string standardInputFile;
  bool closedStandardOutput = false;
  // Given to the program after its name.
  std::vector<std::string> arguments;
  // Under a minimal job-control shell: the program runs in a process group
  // of its own in the foreground, its parent in the same session, so that
  // stop signals stop it (in an orphaned process group they are ignored).
  bool underShell = false;
  // TERM for the program: a terminal type with everything the program can
  // use, unless a test wants another. Empty: TERM unset.
  std::string term = "xterm-256color";
  // NO_COLOR for the program; empty: unset, whatever the tests' environment has.
  std::string noColor;
  // More variables for the program ("NAME=value"), in place of the tests' own.
  std::vector<std::string> environment;
  // A program that runs the binary (Wine for a Windows binary): started with
  // the binary as its one argument. Empty: the binary itself is started.
  std::string launcher;
};

class PtySession {
 public:
  PtySession(const std::string& binary, const LaunchOptions& options);
  ~PtySession();  // a program still running is killed
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  bool started() const { return program_ > 0; }
  // The program's process id (with a shell above it, not the child's).
  pid_t pid() const { return program_; }

  // Reads whatever output arrives within `timeoutMs` (returns at the first
  // pause after some output, or at the timeout). True when bytes arrived.
  bool Pump(int timeoutMs);
  // Pumps until `done` holds for the screen, for at most `timeoutMs`.
  bool WaitUntil(const std::function<bool(const TerminalModel&)>& done, int timeoutMs = 3000);
  // Waits until the screen shows `text` at 0-based (row, column).
  bool WaitForText(int row, int column, std::string_view text, int timeoutMs = 3000);
  // Pumps until no output has come for `quietMs` (at most `timeoutMs`).
  void Settle(int quietMs = 100, int timeoutMs = 3000);

  // Writes `bytes` to the program's input; false when not all of it fit
  // (while output is read, a full input waits for the program to read on).
  bool Send(std::string_view bytes);
  // From now on the terminal's side reads nothing the program writes, as a
  // terminal that hangs or is scrolled back in a pager: the program's output
  // queue fills and its writes block.
  void StopReading() { reading_ = false; }
  // Resizes the pty (the program gets SIGWINCH) and the model with it.
  void Resize(int columns, int rows);
  // Resizes the pty only; the model keeps its size (for windows too large
  // to model: the program is to paint no further than its own screen).
  void ResizeWindow(int columns, int rows);
  void Signal(int signalNumber);
  // Closes the terminal's side, as a closed terminal window does.
  void HangUp();

  // Waits for the program to end, pumping its output meanwhile; `status` as
  // from waitpid (under a shell: exit code, or 128 + the signal). False on timeout.
  bool WaitForExit(int timeoutMs, int& status);
  // The exit code of a program that ended by itself within `timeoutMs`;
  // none when it is still running (the destructor ends it) or a signal ended it.
  std::optional<int> ExitCode(int timeoutMs);
  // Waits until the program is stopped (by a signal); false on timeout.
  bool WaitForStop(int timeoutMs);

  // What a shell started after the program would read first: the input
  // still queued on the terminal, read without waiting for whole lines
  // (the modes are put back afterwards). Waits up to `timeoutMs` for it.
  std::string UnreadInput(int timeoutMs);

  // The pty's modes as the program sees them, now and before it started.
  termios Modes() const;
  const termios& ModesAtStart() const { return modesAtStart_; }
  TerminalModel& screen() { return screen_; }
  // Every byte the program wrote to the pty, in order.
  const std::string& output() const { return output_; }
  // Standard output and standard error, when started without a terminal.
  const std::string& standardOutput() const { return standardOutput_; }
  const std::string& errorOutput() const { return errorOutput_; }

 private:
  void Drain();
  // The master as a descriptor to poll for output: -1 while not reading.
  int OutputFd() const { return reading_ ? master_ : -1; }
  int master_ = -1;
  int slave_ = -1;  // kept open here for reading the modes
  int outputPipe_ = -1;
  int errorPipe_ = -1;
  int pidFd_ = -1;
  pid_t pid_ = -1;  // the child: the program, or the shell above it
  pid_t program_ = -1;
  bool reaped_ = false;
  bool reading_ = true;
  termios modesAtStart_{};
  TerminalModel screen_;
  std::string output_;
  std::string standardOutput_;
  std::string errorOutput_;
};

// Processor time (user + system) that process `pid` has used, in clock ticks.
long ProcessorTicks(pid_t pid);
// The process's state letter from /proc ('S' sleeping, 'R' running, 'T' stopped), '?' if unknown.
char ProcessState(pid_t pid);
// The system call the process is blocked in (from /proc), or -1 when it is
// running or this cannot be read.
long BlockingSystemCall(pid_t pid);

}  // namespace termtest

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
#include <string>
#include <string_view>

#include "tests/e2e/terminal_model.h"

namespace termtest {

struct LaunchOptions {
  int columns = 80;
  int rows = 60;
  bool standardInputFromNull = false;
  std::string standardOutputFile;  // empty: the pty
  // No terminal at all: a new session without a controlling terminal,
  // standard input and output on /dev/null, standard error captured.
  bool withoutTerminal = false;
  // Under a minimal job-control shell: the program runs in a process group
  // of its own in the foreground, its parent in the same session, so that
  // stop signals stop it (in an orphaned process group they are ignored).
  bool underShell = false;
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

  void Send(std::string_view bytes);
  // Resizes the pty (the program gets SIGWINCH) and the model with it.
  void Resize(int columns, int rows);
  void Signal(int signalNumber);
  // Closes the terminal's side, as a closed terminal window does.
  void HangUp();

  // Waits for the program to end, pumping its output meanwhile; `status` as
  // from waitpid (under a shell: exit code, or 128 + the signal). False on timeout.
  bool WaitForExit(int timeoutMs, int& status);
  // Waits until the program is stopped (by a signal); false on timeout.
  bool WaitForStop(int timeoutMs);

  // The pty's modes as the program sees them, now and before it started.
  termios Modes() const;
  const termios& ModesAtStart() const { return modesAtStart_; }
  TerminalModel& screen() { return screen_; }
  // Every byte the program wrote to the pty, in order.
  const std::string& output() const { return output_; }
  // Standard error, when started without a terminal.
  const std::string& errorOutput() const { return errorOutput_; }

 private:
  void Drain();
  int master_ = -1;
  int slave_ = -1;  // kept open here for reading the modes
  int errorPipe_ = -1;
  int pidFd_ = -1;
  pid_t pid_ = -1;     // the child: the program, or the shell above it
  pid_t program_ = -1;
  bool reaped_ = false;
  termios modesAtStart_{};
  TerminalModel screen_;
  std::string output_;
  std::string errorOutput_;
};

// Processor time (user + system) that process `pid` has used, in clock ticks.
long ProcessorTicks(pid_t pid);
// The process's state letter from /proc ('S' sleeping, 'R' running, 'T' stopped), '?' if unknown.
char ProcessState(pid_t pid);

}  // namespace termtest

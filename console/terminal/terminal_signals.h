// Signals around the terminal console. Handlers only set flags, write one byte
// to a self-pipe so that a blocked poll() wakes, or restore the terminal with
// async-signal-safe calls (tcsetattr, tcflush and one non-blocking write of
// precomputed bytes: a handler never waits for the terminal).
//
//   SIGWINCH, SIGCONT            -> flag + wake (the wait repaints, re-enters raw mode)
//   SIGTSTP                      -> restore, stop; once continued, as SIGCONT
//   every signal whose default action ends the process:
//     requests  SIGTERM SIGHUP SIGINT SIGQUIT SIGUSR1 SIGUSR2 SIGALRM SIGPIPE
//               SIGVTALRM SIGPROF SIGIO SIGPWR SIGSTKFLT, SIGRTMIN..SIGRTMAX
//     limits    SIGXCPU SIGXFSZ
//     faults    SIGSEGV SIGBUS SIGFPE SIGILL SIGTRAP SIGSYS SIGABRT
//                                -> restore, then the default action (the
//                                   process ends by that signal, with a core
//                                   file where the default makes one)
//   SIGKILL, SIGSTOP             -> cannot be caught: nothing restores
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// The terminal modes of <termios.h>, which only the backend's sources include.
struct termios;

namespace console {

// Reasons a wait was woken for, as bits of TakeWakeReasons().
inline constexpr unsigned kWakeResized = 1;
inline constexpr unsigned kWakeContinued = 2;

// The signal handlers, and everything they touch, for as long as this object
// lives; one at a time. The handlers reach that state through one pointer,
// set while the object lives; with none living, the functions below do nothing.
class SignalHandlers {
 public:
  // Creates the self-pipe, then installs the handlers; null when the pipe
  // cannot be had (errno says why), with nothing installed.
  static std::unique_ptr<SignalHandlers> Install();
  // Puts back the dispositions Install found, then closes the pipe.
  ~SignalHandlers();
  SignalHandlers(const SignalHandlers&) = delete;
  SignalHandlers& operator=(const SignalHandlers&) = delete;

  struct State;

 private:
  explicit SignalHandlers(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// The read end of the self-pipe to poll, or -1 when there is none.
int WakeFd();
// Empties the pipe and returns (and clears) the reasons noted since the last call.
unsigned TakeWakeReasons();

// What a signal handler restores: `saved` modes on `fd`, after writing
// `restoreBytes` (at most kMaxRestoreBytes; longer is cut) through a
// non-blocking descriptor of its own on the same terminal; what the terminal
// does not take at once is given up.
inline constexpr std::size_t kMaxRestoreBytes = 128;
void ArmTerminalRestore(int fd, const termios& saved, std::string_view restoreBytes);
void DisarmTerminalRestore();
// Restores the armed terminal, if any. Async-signal-safe.
void RestoreArmedTerminal();

// Puts `modes` back on the terminal `fd` and discards what was typed or
// pasted but not read: a shell reading it afterwards would run it, outside
// the paste guard whose start marker the program already took. Never waits
// for output to drain. Async-signal-safe.
void GiveBackTerminal(int fd, const termios& modes);

}  // namespace console

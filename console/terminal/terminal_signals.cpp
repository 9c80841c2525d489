#include "console/terminal/terminal_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace console {
namespace {

int wakeRead = -1;
int wakeWrite = -1;
volatile sig_atomic_t resizedFlag = 0;
volatile sig_atomic_t continuedFlag = 0;

// The restore record a handler uses; written only while disarmed.
volatile sig_atomic_t restoreArmed = 0;
int restoreFd = -1;
// The same terminal opened once more, non-blocking, for the handler's write: a
// terminal that has stopped reading must not keep a dying process alive. It
// is an open of its own because O_NONBLOCK belongs to the open file
// description, which a dup would share with the program's blocking writes.
// -1 when it cannot be had: the handler then writes nothing.
int restoreWriteFd = -1;
int restoreWriteFor = -1;  // the descriptor restoreWriteFd was opened beside
termios restoreModes{};
char restoreBytes[kMaxRestoreBytes];
std::size_t restoreLength = 0;

// Signals whose default action ends the process: the terminal is restored
// first and the default action ends it the same way. The real-time signals
// (whose bounds are known only at run time) end it too.
constexpr int kEndingSignals[] = {
    // requests
    SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE, SIGVTALRM, SIGPROF, SIGIO,
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
    // limits
    SIGXCPU, SIGXFSZ,
    // faults
    SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS, SIGABRT,
};
constexpr int kWakingSignals[] = {SIGWINCH, SIGCONT, SIGTSTP};

bool handlersInstalled = false;
// What InstallSignalHandlers replaced, by signal number.
std::array<struct sigaction, NSIG> previousActions{};
std::array<bool, NSIG> replaced{};

void Replace(int signalNumber, const struct sigaction& action) {
  if (signalNumber <= 0 || signalNumber >= NSIG) return;
  replaced[signalNumber] = sigaction(signalNumber, &action, &previousActions[signalNumber]) == 0;
}

void Wake() {
  if (wakeWrite < 0) return;
  const char byte = 1;
  // A full pipe already holds a wake-up; nothing is lost by failing.
  [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
}

void OnEndingSignal(int signalNumber) {
  const int savedErrno = errno;
  RestoreArmedTerminal();
  // SA_RESETHAND has put back the default action; the raised signal is held
  // until this handler returns and then ends the process. A real fault
  // re-executes its instruction and ends it the same way.
  raise(signalNumber);
  errno = savedErrno;
}

void OnStopSignal(int) {
  const int savedErrno = errno;
  RestoreArmedTerminal();
  struct sigaction ours {};
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(SIGTSTP, &byDefault, &ours);
  sigset_t stopOnly;
  sigemptyset(&stopOnly);
  sigaddset(&stopOnly, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stopOnly, nullptr);
  raise(SIGTSTP);  // the process stops here until SIGCONT
  sigaction(SIGTSTP, &ours, nullptr);
  continuedFlag = 1;
  Wake();
  errno = savedErrno;
}

void OnWakingSignal(int signalNumber) {
  const int savedErrno = errno;
  if (signalNumber == SIGWINCH) resizedFlag = 1;
  if (signalNumber == SIGCONT) continuedFlag = 1;
  Wake();
  errno = savedErrno;
}

void CloseRestoreWriter() {
  if (restoreWriteFd >= 0) close(restoreWriteFd);
  restoreWriteFd = -1;
  restoreWriteFor = -1;
}

int OpenNonBlocking(int fd) {
  char path[256];
  if (ttyname_r(fd, path, sizeof path) != 0) return -1;
  return open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace

bool OpenWakePipe() {
  if (wakeRead >= 0) return true;
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  wakeRead = ends[0];
  wakeWrite = ends[1];
  return true;
}

int WakeFd() { return wakeRead; }

unsigned TakeWakeReasons() {
  // Drain first, then read the flags: a signal arriving in between leaves
  // its flag set and a byte in the pipe, so the next poll wakes for it.
  if (wakeRead >= 0) {
    char sink[64];
    while (read(wakeRead, sink, sizeof sink) > 0) {
    }
  }
  unsigned reasons = 0;
  if (resizedFlag != 0) {
    resizedFlag = 0;
    reasons |= kWakeResized;
  }
  if (continuedFlag != 0) {
    continuedFlag = 0;
    reasons |= kWakeContinued;
  }
  return reasons;
}

void ArmTerminalRestore(int fd, const termios& saved, std::string_view bytes) {
  restoreArmed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (restoreWriteFor != fd) {
    CloseRestoreWriter();
    restoreWriteFd = OpenNonBlocking(fd);
    restoreWriteFor = fd;
  }
  restoreFd = fd;
  restoreModes = saved;
  restoreLength = std::min(bytes.size(), kMaxRestoreBytes);
  std::memcpy(restoreBytes, bytes.data(), restoreLength);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  restoreArmed = 1;
}

void DisarmTerminalRestore() {
  restoreArmed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  CloseRestoreWriter();
}

void RestoreArmedTerminal() {
  if (restoreArmed == 0) return;
  // What does not fit into the terminal's output queue now is given up.
  std::size_t done = 0;
  while (restoreWriteFd >= 0 && done < restoreLength) {
    const ssize_t written = write(restoreWriteFd, restoreBytes + done, restoreLength - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  GiveBackTerminal(restoreFd, restoreModes);
}

void GiveBackTerminal(int fd, const termios& modes) {
  tcflush(fd, TCIFLUSH);
  tcsetattr(fd, TCSANOW, &modes);
}

void InstallSignalHandlers() {
  if (handlersInstalled) return;
  struct sigaction ending {};
  ending.sa_handler = OnEndingSignal;
  sigemptyset(&ending.sa_mask);
  ending.sa_flags = SA_RESETHAND;
  for (const int signalNumber : kEndingSignals) Replace(signalNumber, ending);
  for (int signalNumber = SIGRTMIN; signalNumber <= SIGRTMAX; ++signalNumber) Replace(signalNumber, ending);
  struct sigaction waking {};
  sigemptyset(&waking.sa_mask);
  waking.sa_flags = SA_RESTART;
  for (const int signalNumber : kWakingSignals) {
    waking.sa_handler = signalNumber == SIGTSTP ? OnStopSignal : OnWakingSignal;
    Replace(signalNumber, waking);
  }
  handlersInstalled = true;
}

void RemoveSignalHandlers() {
  if (!handlersInstalled) return;
  for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
    if (replaced[signalNumber]) sigaction(signalNumber, &previousActions[signalNumber], nullptr);
    replaced[signalNumber] = false;
  }
  handlersInstalled = false;
}

}  // namespace console

#include "console/terminal/terminal_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace console {

// Everything the handlers touch, in one object behind one pointer.
struct SignalHandlers::State {
  int wakeRead = -1;
  int wakeWrite = -1;
  volatile sig_atomic_t resizedFlag = 0;
  volatile sig_atomic_t continuedFlag = 0;

  // The restore record a handler uses; written only while disarmed.
  volatile sig_atomic_t restoreArmed = 0;
  int restoreFd = -1;
  // The same terminal opened once more, non-blocking, for the handler's
  // write: a terminal that has stopped reading must not keep a dying process
  // alive. It is an open of its own because O_NONBLOCK belongs to the open
  // file description, which a dup would share with the program's blocking
  // writes. -1 when it cannot be had: the handler then writes nothing.
  int restoreWriteFd = -1;
  int restoreWriteFor = -1;  // the descriptor restoreWriteFd was opened beside
  termios restoreModes{};
  char restoreBytes[kMaxRestoreBytes];
  std::size_t restoreLength = 0;

  // What Install replaced, by signal number.
  std::array<struct sigaction, NSIG> previousActions{};
  std::array<bool, NSIG> replaced{};
};

namespace {

// Set for the lifetime of the one SignalHandlers object; the handlers read it.
std::atomic<SignalHandlers::State*> active{nullptr};
static_assert(std::atomic<SignalHandlers::State*>::is_always_lock_free, "a handler must read it without a lock");

// Signals whose default action ends the process: the terminal is restored
// first and the default action ends it the same way. The real-time signals
// (whose bounds are known only at run time) end it too.
constexpr int kEndingSignals[] = {
    // requests
    SIGTERM,
    SIGHUP,
    SIGINT,
    SIGQUIT,
    SIGUSR1,
    SIGUSR2,
    SIGALRM,
    SIGPIPE,
    SIGVTALRM,
    SIGPROF,
    SIGIO,
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
    // limits
    SIGXCPU,
    SIGXFSZ,
    // faults
    SIGSEGV,
    SIGBUS,
    SIGFPE,
    SIGILL,
    SIGTRAP,
    SIGSYS,
    SIGABRT,
};
constexpr int kWakingSignals[] = {SIGWINCH, SIGCONT, SIGTSTP};

void Replace(SignalHandlers::State& state, int signalNumber, const struct sigaction& action) {
  if (signalNumber <= 0 || signalNumber >= NSIG) return;
  state.replaced[signalNumber] = sigaction(signalNumber, &action, &state.previousActions[signalNumber]) == 0;
}

void Wake(SignalHandlers::State& state) {
  if (state.wakeWrite < 0) return;
  const char byte = 1;
  // A full pipe already holds a wake-up; nothing is lost by failing.
  [[maybe_unused]] const ssize_t written = write(state.wakeWrite, &byte, 1);
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
  if (SignalHandlers::State* state = active.load()) {
    state->continuedFlag = 1;
    Wake(*state);
  }
  errno = savedErrno;
}

void OnWakingSignal(int signalNumber) {
  const int savedErrno = errno;
  if (SignalHandlers::State* state = active.load()) {
    if (signalNumber == SIGWINCH) state->resizedFlag = 1;
    if (signalNumber == SIGCONT) state->continuedFlag = 1;
    Wake(*state);
  }
  errno = savedErrno;
}

void CloseRestoreWriter(SignalHandlers::State& state) {
  if (state.restoreWriteFd >= 0) close(state.restoreWriteFd);
  state.restoreWriteFd = -1;
  state.restoreWriteFor = -1;
}

int OpenNonBlocking(int fd) {
  char path[256];
  if (ttyname_r(fd, path, sizeof path) != 0) return -1;
  return open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace

int WakeFd() {
  const SignalHandlers::State* state = active.load();
  return state != nullptr ? state->wakeRead : -1;
}

unsigned TakeWakeReasons() {
  SignalHandlers::State* state = active.load();
  if (state == nullptr) return 0;
  // Drain first, then read the flags: a signal arriving in between leaves
  // its flag set and a byte in the pipe, so the next poll wakes for it.
  char sink[64];
  while (read(state->wakeRead, sink, sizeof sink) > 0) {
  }
  unsigned reasons = 0;
  if (state->resizedFlag != 0) {
    state->resizedFlag = 0;
    reasons |= kWakeResized;
  }
  if (state->continuedFlag != 0) {
    state->continuedFlag = 0;
    reasons |= kWakeContinued;
  }
  return reasons;
}

void ArmTerminalRestore(int fd, const termios& saved, std::string_view bytes) {
  SignalHandlers::State* state = active.load();
  if (state == nullptr) return;
  state->restoreArmed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (state->restoreWriteFor != fd) {
    CloseRestoreWriter(*state);
    state->restoreWriteFd = OpenNonBlocking(fd);
    state->restoreWriteFor = fd;
  }
  state->restoreFd = fd;
  state->restoreModes = saved;
  state->restoreLength = std::min(bytes.size(), kMaxRestoreBytes);
  std::memcpy(state->restoreBytes, bytes.data(), state->restoreLength);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  state->restoreArmed = 1;
}

void DisarmTerminalRestore() {
  SignalHandlers::State* state = active.load();
  if (state == nullptr) return;
  state->restoreArmed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  CloseRestoreWriter(*state);
}

void RestoreArmedTerminal() {
  const SignalHandlers::State* state = active.load();
  if (state == nullptr || state->restoreArmed == 0) return;
  // What does not fit into the terminal's output queue now is given up.
  std::size_t done = 0;
  while (state->restoreWriteFd >= 0 && done < state->restoreLength) {
    const ssize_t written = write(state->restoreWriteFd, state->restoreBytes + done, state->restoreLength - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  GiveBackTerminal(state->restoreFd, state->restoreModes);
}

void GiveBackTerminal(int fd, const termios& modes) {
  tcflush(fd, TCIFLUSH);
  tcsetattr(fd, TCSANOW, &modes);
}

std::unique_ptr<SignalHandlers> SignalHandlers::Install() {
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return nullptr;
  auto state = std::make_unique<State>();
  state->wakeRead = ends[0];
  state->wakeWrite = ends[1];
  return std::unique_ptr<SignalHandlers>(new SignalHandlers(std::move(state)));
}

SignalHandlers::SignalHandlers(std::unique_ptr<State> state) : state_(std::move(state)) {
  // The state is reachable before any handler can run.
  active.store(state_.get());
  struct sigaction ending {};
  ending.sa_handler = OnEndingSignal;
  sigemptyset(&ending.sa_mask);
  ending.sa_flags = SA_RESETHAND;
  for (const int signalNumber : kEndingSignals) Replace(*state_, signalNumber, ending);
  for (int signalNumber = SIGRTMIN; signalNumber <= SIGRTMAX; ++signalNumber) Replace(*state_, signalNumber, ending);
  struct sigaction waking {};
  sigemptyset(&waking.sa_mask);
  waking.sa_flags = SA_RESTART;
  for (const int signalNumber : kWakingSignals) {
    waking.sa_handler = signalNumber == SIGTSTP ? OnStopSignal : OnWakingSignal;
    Replace(*state_, signalNumber, waking);
  }
  // Should the process end through exit() while the handlers are in place.
  std::atexit([] { RestoreArmedTerminal(); });
}

SignalHandlers::~SignalHandlers() {
  for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
    if (state_->replaced[signalNumber]) sigaction(signalNumber, &state_->previousActions[signalNumber], nullptr);
  }
  // No handler of ours can run any more: the state may go.
  active.store(nullptr);
  CloseRestoreWriter(*state_);
  close(state_->wakeRead);
  close(state_->wakeWrite);
}

}  // namespace console

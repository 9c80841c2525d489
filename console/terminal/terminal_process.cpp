// The process frame on a Unix terminal: connects the console to the
// controlling terminal before the calculator runs, and gives the terminal back
// afterwards. Each step's owner gives back what it took when the session
// ends, or when a later step fails; nothing is released by hand.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "console/process.h"
#include "console/session.h"
#include "console/terminal/terminal_capabilities.h"
#include "console/terminal/terminal_console.h"
#include "console/terminal/terminal_signals.h"

namespace console {
namespace {

// A descriptor this frame opened and closes.
class OwnedFd {
 public:
  explicit OwnedFd(int fd) : fd_(fd) {}
  ~OwnedFd() {
    if (fd_ >= 0) close(fd_);
  }
  OwnedFd(const OwnedFd&) = delete;
  OwnedFd& operator=(const OwnedFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Members in order of acquisition, so that they are given back in reverse:
// the console goes, the terminal is restored, the handlers are removed, the
// terminal is closed.
class TerminalSession final : public Session {
 public:
  TerminalSession(std::unique_ptr<OwnedFd> tty, std::unique_ptr<SignalHandlers> handlers,
                  const TerminalCapabilities& capabilities)
      : tty_(std::move(tty)),
        handlers_(std::move(handlers)),
        terminal_(tty_->get(), capabilities),
        console_(terminal_) {}

  bool EnterRawMode() { return terminal_.EnterRawMode(); }
  Console& console() override { return console_; }

 private:
  std::unique_ptr<OwnedFd> tty_;
  std::unique_ptr<SignalHandlers> handlers_;
  TerminalConsole terminal_;
  Console console_;
};

std::string WithError(const std::string& what) { return what + std::strerror(errno); }

// The session, or the reason there is none (errno has been read into it).
std::unique_ptr<Session> OpenTerminalSession(std::string& why) {
  constexpr const char* kNoTerminal = "cannot run without a terminal: ";
  // The controlling terminal, not the standard streams: the program draws
  // and reads keys on it whatever they are redirected to.
  auto tty = std::make_unique<OwnedFd>(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (tty->get() < 0) {
    why = WithError(std::string(kNoTerminal) + "/dev/tty: ");
    return nullptr;
  }
  // Learnt before anything is written: a terminal that cannot place the
  // cursor is left exactly as it was.
  const char* term = std::getenv("TERM");
  const TerminalCapabilities capabilities = LoadTerminalCapabilities(term, std::getenv("NO_COLOR"), tty->get());
  if (!capabilities.cursorAddressing) {
    why = capabilities.refusal;
    return nullptr;
  }
  // Handlers first: from the moment raw mode is on, any signal that ends the
  // process finds the restore armed.
  std::unique_ptr<SignalHandlers> handlers = SignalHandlers::Install();
  if (!handlers) {
    why = WithError(std::string(kNoTerminal) + "no pipe for signals: ");
    return nullptr;
  }
  auto session = std::make_unique<TerminalSession>(std::move(tty), std::move(handlers), capabilities);
  if (!session->EnterRawMode()) {
    why = WithError(std::string(kNoTerminal) + "/dev/tty: cannot set its modes: ");
    return nullptr;
  }
  SetFloatingPointMode();
  return session;
}

}  // namespace

std::unique_ptr<Session> Session::Open() {
  std::string why;
  std::unique_ptr<Session> session = OpenTerminalSession(why);
  if (!session) ReportStartUpFailure(why);
  return session;
}

}  // namespace console

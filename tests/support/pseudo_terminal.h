// A pseudo-terminal for tests that ask a terminal what it is, and an
// environment variable set for a scope; both give back what they took.
#pragma once

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace testterm {

// A pseudo-terminal whose leader the test holds; both ends closed at the end.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    leader_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (leader_ >= 0 && grantpt(leader_) == 0 && unlockpt(leader_) == 0) {
      follower_ = open(ptsname(leader_), O_RDWR | O_NOCTTY);
    }
  }
  ~PseudoTerminal() {
    if (follower_ >= 0) close(follower_);
    if (leader_ >= 0) close(leader_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  int Follower() const { return follower_; }
  bool Resize(int columns, int rows) const {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    return ioctl(leader_, TIOCSWINSZ, &size) == 0;
  }

 private:
  int leader_ = -1;
  int follower_ = -1;
};

// An environment variable set, or unset (null), for a scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) saved_ = saved;
    Set(value);
  }
  ~ScopedVariable() { Set(saved_ ? saved_->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const char* value) const {
    if (value != nullptr) {
      setenv(name_.c_str(), value, 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace testterm

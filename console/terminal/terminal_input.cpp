// The terminal console's input: bytes from the terminal, decoded into input
// records; the one place where the program waits.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

#include "console/terminal/terminal_console.h"
#include "console/terminal/terminal_signals.h"

namespace console {
namespace {

// One read takes what a paste or a burst of typing delivers at once.
constexpr std::size_t kReadChunk = 4096;

// The terminal has hung up: nobody can type any more. End as a closed
// console window ends a console program, by the hang-up signal.
[[noreturn]] void EndOnHangUp() {
  RestoreArmedTerminal();
  signal(SIGHUP, SIG_DFL);
  raise(SIGHUP);
  _exit(128 + SIGHUP);
}

}  // namespace

bool TerminalConsole::PeekInput(InputRecord& record) { return input_.Peek(record); }

bool TerminalConsole::ReadInput(InputRecord& record) { return input_.Read(record); }

bool TerminalConsole::ReadKeys() {
  char bytes[kReadChunk];
  const ssize_t count = read(fd_, bytes, sizeof bytes);
  if (count < 0) return errno == EINTR || errno == EAGAIN;
  if (count == 0) return false;
  lastByteTime_ = std::chrono::steady_clock::now();
  decoded_.clear();
  decoder_.Feed(std::string_view(bytes, static_cast<std::size_t>(count)), decoded_);
  input_.Append(decoded_);
  return true;
}

// Blocks in poll() until a record is queued: no timer ticks, so an idle
// program uses no processor time. Everything drawn so far is painted first.
void TerminalConsole::WaitForInput() {
  while (input_.empty()) {
    const unsigned reasons = pendingReasons_ | TakeWakeReasons();
    pendingReasons_ = 0;
    HandleWake(reasons);
    Paint();
    int timeoutMs = -1;
    if (decoder_.Pending() || decoder_.InPaste()) {
      // A lone Esc (or a sequence cut short) waits a little for its rest; a
      // paste whose end marker does not come ends after a longer silence.
      const auto idleSpell =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - lastByteTime_);
      const int idle = static_cast<int>(std::min<std::int64_t>(idleSpell.count(), kPasteTimeoutMs));
      const bool escDue = decoder_.Pending() && idle >= kEscTimeoutMs;
      const bool pasteDue = decoder_.InPaste() && idle >= kPasteTimeoutMs;
      if (escDue || pasteDue) {
        decoded_.clear();
        decoder_.Expire(idle, kEscTimeoutMs, decoded_);
        decoder_.ExpirePaste(idle, kPasteTimeoutMs, decoded_);
        input_.Append(decoded_);
        // Held bytes must be resolved now, or this loop would never block again.
        if (decoder_.Pending()) decoder_ = KeyDecoder(eraseByte_);
        continue;
      }
      timeoutMs = decoder_.Pending() ? kEscTimeoutMs - idle : kPasteTimeoutMs - idle;
    }
    pollfd watched[2] = {{fd_, POLLIN, 0}, {WakeFd(), POLLIN, 0}};
    const int ready = poll(watched, watched[1].fd >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      EndOnHangUp();
    }
    if (ready == 0) continue;  // the timeouts are handled above
    if ((watched[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0 && !ReadKeys()) EndOnHangUp();
  }
}

}  // namespace console

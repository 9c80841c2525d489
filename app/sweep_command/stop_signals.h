// The signals that end a sweep (Ctrl+C, kill, the terminal closed), caught
// for as long as one of these lives. A signal only records its number, which
// the sweep reads after each design, so that the status line is erased and
// the rows written so far are complete before the program ends with 128 +
// that number, as a shell reports it. They stay caught until then: a closed
// terminal often brings a second SIGHUP, from the shell, right behind the
// first.
//
//   const StopSignals stop;  // SIGINT, SIGTERM, SIGHUP caught
//   ... Ctrl+C ...
//   stop.Raised()  -> 2 (SIGINT); std::nullopt before any
//   // gone out of scope: the handlers before it are back
#pragma once

#include <array>
#include <csignal>
#include <optional>

namespace app {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  // The signal that asked the sweep to end, if any.
  std::optional<int> Raised() const;

 private:
#ifdef SIGHUP
  static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
#else
  static constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
#endif
  std::array<void (*)(int), kSignals.size()> previous_{};
};

}  // namespace app

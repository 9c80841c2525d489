// The lines typed at one prompt during a run, for recalling them with Up and
// Down: a builder who changes one value of a design retypes only that one.
//
//   history.Remember("1000"); history.Remember("2");
//   history.size() -> 2, history.Recalled(1) -> "2", history.Recalled(2) -> "1000",
//   history.Recalled(0) -> "" (the fresh line)
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace console {

class LineHistory {
 public:
  // Lines kept per prompt; older ones are forgotten.
  static constexpr std::size_t kCapacity = 100;

  // Adds a finished line as the newest. Empty lines and a repeat of the
  // newest are not kept.
  void Remember(std::string_view line);
  std::size_t size() const { return lines_.size(); }
  // The n-th newest line (n from 1 to size()); n = 0 is the fresh line, empty.
  std::string_view Recalled(std::size_t n) const { return n == 0 ? std::string_view{} : lines_[n - 1]; }

 private:
  std::deque<std::string> lines_;  // newest first
};

}  // namespace console

// The status line a long sweep keeps on standard error: designs done of the
// total, designs per second and the time left, redrawn a few times a second
// in place and erased when the sweep ends or is left early (the destructor).
// Only on a terminal, and only for a sweep that will take more than about a
// second. The clock is read every kCheckEvery designs, never by a thread.
// The line is shortened to the terminal's width as it is at each redraw, so
// that it never wraps onto a new row, and left out below kNarrowest columns:
//
//   sweep: 1250304 of 10000000 designs (12%), 3.1 M designs/s, 0:03 left
//   sweep: 1250304 of 10000000 (12%), 3.1M/s, 0:03 left
//   sweep: 12%, 3.1M/s, 0:03 left
//   sweep: 12%, 0:03 left
//   12%, 0:03 left
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sweep {

class ProgressLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  using Sink = std::function<void(std::string_view)>;
  // The terminal's width in columns.
  using Columns = std::function<std::size_t()>;

  static constexpr std::uint64_t kCheckEvery = 1024;
  // Nothing shows before this, and only when the whole sweep is then
  // expected to take longer than kWorthShowing.
  static constexpr std::chrono::milliseconds kFirstLook{400};
  static constexpr std::chrono::milliseconds kWorthShowing{1000};
  static constexpr std::chrono::milliseconds kRedrawEvery{250};
  // A terminal narrower than this shows no line.
  static constexpr std::size_t kNarrowest = 20;

  // On standard error, when it is a terminal, with the steady clock.
  explicit ProgressLine(std::uint64_t total);
  ProgressLine(std::uint64_t total, bool isTerminal, Clock clock, Sink sink, Columns columns);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // One more design done.
  void Advance() {
    if ((++done_ % kCheckEvery) == 0) Check();
  }
  // Removes the line, if shown (the cursor is left at the start of the empty line).
  void Erase();
  bool Shown() const { return shownWidth_ > 0; }

  // The line's text for `done` of `total` designs after `elapsed`, the
  // longest of its forms that leaves a terminal of `columns` its last column
  // free; empty when none does or the terminal is narrower than kNarrowest.
  static std::string Text(std::uint64_t done, std::uint64_t total, std::chrono::duration<double> elapsed,
                          std::size_t columns);

 private:
  void Check();

  std::uint64_t total_;
  std::uint64_t done_ = 0;
  bool isTerminal_;
  Clock clock_;
  Sink sink_;
  Columns columns_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
  std::size_t shownWidth_ = 0;
};

// Whether standard error is a terminal (isatty; the console on Windows).
bool StandardErrorIsTerminal();
// Its width (TIOCGWINSZ; the console's window on Windows), 80 when unknown.
std::size_t StandardErrorColumns();

}  // namespace sweep

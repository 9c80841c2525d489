#include "app/sweep/progress_line.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace sweep {
namespace {

void WriteToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

// A line no longer than this leaves the terminal's last column free, where
// some terminals wrap at once.
std::size_t Usable(std::size_t columns) { return columns > 0 ? columns - 1 : 0; }

std::string Duration(double seconds) {
  const auto whole = static_cast<long long>(seconds + 0.5);
  char buffer[32];
  if (whole >= 3600) {
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld", whole / 60, whole % 60);
  }
  return buffer;
}

// "3.1 M", "5.0 k", "100": designs per second, before the unit.
std::string Rate(double perSecond) {
  char buffer[32];
  if (perSecond >= 1e6) {
    std::snprintf(buffer, sizeof buffer, "%.1f M", perSecond / 1e6);
  } else if (perSecond >= 1e3) {
    std::snprintf(buffer, sizeof buffer, "%.1f k", perSecond / 1e3);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.0f", perSecond);
  }
  return buffer;
}

// "3.1M/s": the rate of the shorter forms.
std::string ShortRate(double perSecond) {
  std::string rate = Rate(perSecond);
  if (perSecond >= 1e3) rate.erase(rate.size() - 2, 1);
  return rate + "/s";
}

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) == 1;
#endif
}

std::size_t StandardErrorColumns() {
  constexpr std::size_t kUnknown = 80;
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return kUnknown;
  return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kUnknown;
  return size.ws_col;
#endif
}

ProgressLine::ProgressLine(std::uint64_t total)
    : ProgressLine(total, StandardErrorIsTerminal(), std::chrono::steady_clock::now, WriteToStandardError,
                   StandardErrorColumns) {}

ProgressLine::ProgressLine(std::uint64_t total, bool isTerminal, Clock clock, Sink sink, Columns columns)
    : total_(total),
      isTerminal_(isTerminal),
      clock_(std::move(clock)),
      sink_(std::move(sink)),
      columns_(std::move(columns)) {
  if (isTerminal_) start_ = clock_();
}

ProgressLine::~ProgressLine() { Erase(); }

void ProgressLine::Erase() {
  if (shownWidth_ == 0) return;
  // No further than the last column but one, wherever a narrower terminal now ends.
  sink_("\r" + std::string(std::min(shownWidth_, Usable(columns_())), ' ') + "\r");
  shownWidth_ = 0;
}

std::string ProgressLine::Text(std::uint64_t done, std::uint64_t total, std::chrono::duration<double> elapsed,
                               std::size_t columns) {
  if (columns < kNarrowest) return {};
  const double seconds = elapsed.count();
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
  const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0;
  const auto percent =
      total > 0 ? static_cast<unsigned>(100.0 * static_cast<double>(done) / static_cast<double>(total)) : 100U;
  const std::string counts = std::to_string(done) + " of " + std::to_string(total);
  const std::string share = std::to_string(percent) + "%";
  const std::string time = Duration(left) + " left";
  // The longest first.
  const std::string forms[] = {
      "sweep: " + counts + " designs (" + share + "), " + Rate(rate) + " designs/s, " + time,
      "sweep: " + counts + " (" + share + "), " + ShortRate(rate) + ", " + time,
      "sweep: " + share + ", " + ShortRate(rate) + ", " + time,
      "sweep: " + share + ", " + time,
      share + ", " + time,
  };
  for (const std::string& form : forms) {
    if (form.size() <= Usable(columns)) return form;
  }
  return {};
}

void ProgressLine::Check() {
  if (!isTerminal_ || done_ > total_) return;
  const auto now = clock_();
  const std::chrono::duration<double> elapsed = now - start_;
  if (shownWidth_ == 0) {
    if (elapsed < kFirstLook) return;
    const double expected = elapsed.count() * static_cast<double>(total_) / static_cast<double>(done_);
    if (expected < std::chrono::duration<double>(kWorthShowing).count()) return;
  } else if (now - lastDrawn_ < kRedrawEvery) {
    return;
  }
  const std::size_t columns = columns_();
  std::string text = Text(done_, total_, elapsed, columns);
  if (text.empty()) {
    Erase();
    return;
  }
  // Blanks cover what a longer earlier line left behind.
  const std::size_t width = text.size();
  const std::size_t covered = std::min(shownWidth_, Usable(columns));
  if (width < covered) text.append(covered - width, ' ');
  sink_("\r" + text);
  shownWidth_ = std::max(shownWidth_, width);
  lastDrawn_ = now;
}

}  // namespace sweep

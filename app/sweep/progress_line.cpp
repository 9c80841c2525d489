#include "app/sweep/progress_line.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace sweep {
namespace {

void WriteToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

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

std::string Rate(double perSecond) {
  char buffer[32];
  if (perSecond >= 1e6) {
    std::snprintf(buffer, sizeof buffer, "%.1f M ", perSecond / 1e6);
  } else if (perSecond >= 1e3) {
    std::snprintf(buffer, sizeof buffer, "%.1f k ", perSecond / 1e3);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.0f ", perSecond);
  }
  return buffer;
}

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) == 1;
#endif
}

ProgressLine::ProgressLine(std::uint64_t total)
    : ProgressLine(total, StandardErrorIsTerminal(), std::chrono::steady_clock::now, WriteToStandardError) {}

ProgressLine::ProgressLine(std::uint64_t total, bool isTerminal, Clock clock, Sink sink)
    : total_(total), isTerminal_(isTerminal), clock_(std::move(clock)), sink_(std::move(sink)) {
  if (isTerminal_) start_ = clock_();
}

ProgressLine::~ProgressLine() { Erase(); }

void ProgressLine::Erase() {
  if (shownWidth_ == 0) return;
  sink_("\r" + std::string(shownWidth_, ' ') + "\r");
  shownWidth_ = 0;
}

std::string ProgressLine::Text(std::uint64_t done, std::uint64_t total, std::chrono::duration<double> elapsed) {
  const double seconds = elapsed.count();
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
  const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0;
  const auto percent = total > 0 ? static_cast<unsigned>(100.0 * static_cast<double>(done) / static_cast<double>(total)) : 100U;
  return "sweep: " + std::to_string(done) + " of " + std::to_string(total) + " designs (" + std::to_string(percent) +
         "%), " + Rate(rate) + "designs/s, " + Duration(left) + " left";
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
  std::string text = Text(done_, total_, elapsed);
  // Blanks cover what a longer earlier line left behind.
  const std::size_t width = text.size();
  if (width < shownWidth_) text.append(shownWidth_ - width, ' ');
  sink_("\r" + text);
  shownWidth_ = std::max(shownWidth_, width);
  lastDrawn_ = now;
}

}  // namespace sweep

#include "app/sweep_command/sweep_progress.h"

#include <chrono>
#include <cstdio>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace app {
namespace {

bool StandardOutputIsTerminal() {
#ifdef _WIN32
  return _isatty(1) != 0;
#else
  return isatty(1) != 0;
#endif
}

void WriteToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

sweep::ProgressLine SweepProgress(std::uint64_t designs, bool terminalChart) {
  return sweep::ProgressLine(designs,
                             sweep::StandardErrorIsTerminal() && (terminalChart || !StandardOutputIsTerminal()),
                             std::chrono::steady_clock::now, WriteToStandardError, sweep::StandardErrorColumns);
}

}  // namespace app

#include "app/sweep_command/stop_signals.h"

namespace app {
namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) { stopSignal = signal; }

}  // namespace

StopSignals::StopSignals() {
  stopSignal = 0;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    previous_[i] = std::signal(kSignals[i], OnStopSignal);
    // Ignored stays ignored: nohup, or a background job of a shell without job control.
    if (previous_[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) std::signal(kSignals[i], previous_[i]);
}

std::optional<int> StopSignals::Raised() const {
  return stopSignal != 0 ? std::optional<int>(stopSignal) : std::nullopt;
}

}  // namespace app

// The process frame around the calculator: the controlling terminal (a
// Windows console on Windows) taken over for the run and given back after it.
//
//   const std::unique_ptr<console::Session> session = console::Session::Open();
//   if (!session) return 255;
//   return screens::CalculatorMain(session->console());
#pragma once

#include <memory>

#include "console/console.h"

namespace console {

class Session {
 public:
  // Connects to the terminal, enters raw mode with the signal (console-control)
  // handlers armed to restore it, and sets the floating-point mode; null when
  // start-up cannot complete, after one line "helmholtz: <why>" on standard error.
  static std::unique_ptr<Session> Open();
  // Gives back everything Open acquired, in reverse order.
  virtual ~Session() = default;
  // The console to run the calculator on, for the session's lifetime.
  virtual Console& console() = 0;
};

}  // namespace console

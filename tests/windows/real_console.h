// A fixture for tests that need the real console (Wine's on the build
// machine): its input and screen buffers, opened by device name whatever the
// standard handles are, and closed again after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "console/windows/console_handle.h"

namespace console {

class RealConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inputHandle_ = ConsoleHandle::Open("CONIN$");
    outputHandle_ = ConsoleHandle::Open("CONOUT$");
    input_ = inputHandle_.get();
    output_ = outputHandle_.get();
    ASSERT_TRUE(inputHandle_.valid()) << "no console input: run under a console";
    ASSERT_TRUE(outputHandle_.valid()) << "no console screen: run under a console";
  }
  void TearDown() override {
    inputHandle_ = ConsoleHandle();
    outputHandle_ = ConsoleHandle();
  }

  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;

 private:
  ConsoleHandle inputHandle_;
  ConsoleHandle outputHandle_;
};

}  // namespace console

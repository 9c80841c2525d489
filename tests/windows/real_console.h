// A fixture for tests that need the real console (Wine's on the build
// machine): its input and screen buffers, opened by device name whatever the
// standard handles are, and closed again after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace console {

class RealConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input_ = Open("CONIN$");
    output_ = Open("CONOUT$");
    ASSERT_NE(input_, INVALID_HANDLE_VALUE) << "no console input: run under a console";
    ASSERT_NE(output_, INVALID_HANDLE_VALUE) << "no console screen: run under a console";
  }
  void TearDown() override {
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  }

  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;

 private:
  static HANDLE Open(const char* device) {
    return CreateFileA(device, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  }
};

}  // namespace console

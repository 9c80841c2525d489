// The console on the in-memory platform, set to the 80x60 screen that the
// program asks for, where the console's own tests start from.
#pragma once

#include <gtest/gtest.h>

#include "console/console.h"
#include "tests/support/memory_console.h"

namespace console {

class ConsoleOnMemory : public ::testing::Test {
 protected:
  void SetUp() override { console_.SetScreenSize(80, 60); }
  // 0-based cursor, as the platform holds it.
  CellPosition Cursor() const { return screen_.cursor(); }

  MemoryConsole screen_{80, 25, 200, 100};
  Console console_{screen_};
};

}  // namespace console

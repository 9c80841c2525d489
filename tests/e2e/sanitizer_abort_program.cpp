// A test-only program, built only in sanitizer builds: the real process frame
// around one deliberate sanitizer finding (a signed overflow once a line has
// been read), so that a test can see the terminal given back when a
// sanitizer ends a program.
#include <climits>
#include <string>

#include "console/console.h"

int main() {
  if (!console::StartUp()) return 255;
  console::PrintText("Enter overflows");
  const std::string line = console::ReadLine();
  volatile int largest = INT_MAX;
  const int overflowed = largest + static_cast<int>(line.size()) + 1;
  console::PrintText(std::to_string(overflowed));
  console::ShutDown();
  return 0;
}

// A test-only program, built only in sanitizer builds: the real process frame
// around one deliberate sanitizer finding (a signed overflow once a line has
// been read), so that a test can see the terminal given back when a
// sanitizer ends a program.
#include <climits>
#include <memory>
#include <string>

#include "console/session.h"

int main() {
  const std::unique_ptr<console::Session> session = console::Session::Open();
  if (!session) return 255;
  console::Console& console = session->console();
  console.PrintText("Enter overflows");
  const std::string line = console.ReadLine();
  volatile int largest = INT_MAX;
  const int overflowed = largest + static_cast<int>(line.size()) + 1;
  console.PrintText(std::to_string(overflowed));
  return 0;
}

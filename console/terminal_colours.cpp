#include "console/terminal_colours.h"

#ifndef _WIN32
#include <unistd.h>

#include <cstdlib>

#include "console/terminal/terminal_capabilities.h"
#endif

namespace console {

#ifdef _WIN32

bool TerminalHasColours(int) { return false; }

#else

bool TerminalHasColours(int fd) {
  const char* term = std::getenv("TERM");
  return isatty(fd) == 1 && term != nullptr && term[0] != '\0' &&
         LoadTerminalCapabilities(term, std::getenv("NO_COLOR"), fd).colors;
}

#endif

}  // namespace console

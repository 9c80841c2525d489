// What the terminal that receives a chart can show: its size, whether it
// takes UTF-8 and, as the caller's query says, colour. The only part of the
// plots that asks the system.
#include "app/plot/terminal_chart.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#endif

namespace plot {

#ifdef _WIN32

// The console draws a chart in its own colours: it is given none.
TerminalStyle DetectTerminalStyle(int fd, ColourQuery) {
  TerminalStyle style;
  // A bad descriptor would reach the C runtime's invalid-parameter handler.
  const HANDLE handle = fd >= 0 && _isatty(fd) ? reinterpret_cast<HANDLE>(_get_osfhandle(fd)) : INVALID_HANDLE_VALUE;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(handle, &info)) {
    style.columns = info.srWindow.Right - info.srWindow.Left + 1;
    style.rows = info.srWindow.Bottom - info.srWindow.Top + 1;
  }
  style.charset = GetConsoleOutputCP() == CP_UTF8 ? Charset::kUtf8 : Charset::kAscii;
  return style;
}

#else

namespace {

bool LocaleIsUtf8() {
  // The program's locale stays as it was: only the answer is wanted.
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string previous = current != nullptr ? current : "C";
  bool utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const char* codeset = nl_langinfo(CODESET);
    utf8 = codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
  }
  std::setlocale(LC_CTYPE, previous.c_str());
  return utf8;
}

}  // namespace

TerminalStyle DetectTerminalStyle(int fd, ColourQuery hasColours) {
  TerminalStyle style;
  winsize size{};
  if (isatty(fd) == 1 && ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    style.columns = size.ws_col;
    style.rows = size.ws_row;
  }
  style.charset = LocaleIsUtf8() ? Charset::kUtf8 : Charset::kAscii;
  style.color = isatty(fd) == 1 && hasColours != nullptr && hasColours(fd);
  return style;
}

#endif

}  // namespace plot

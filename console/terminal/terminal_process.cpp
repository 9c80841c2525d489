// The process frame on a Unix terminal: connects the console to the
// controlling terminal before the calculator runs, and gives the terminal back
// afterwards.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "console/console.h"
#include "console/process.h"
#include "console/terminal/terminal_capabilities.h"
#include "console/terminal/terminal_console.h"
#include "console/terminal/terminal_signals.h"

namespace console {
namespace {

// The terminal of the whole run. Should the process end through exit()
// without ShutDown, its destructor still restores the terminal.
std::unique_ptr<TerminalConsole> terminal;
int terminalFd = -1;

void ReportNoTerminal(const std::string& why) { ReportStartUpFailure("cannot run without a terminal: " + why); }

}  // namespace

bool StartUp() {
  // The controlling terminal, not the standard streams: the program draws
  // and reads keys on it whatever they are redirected to.
  terminalFd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminalFd < 0) {
    ReportNoTerminal(std::string("/dev/tty: ") + std::strerror(errno));
    return false;
  }
  // Learnt before anything is written: a terminal that cannot place the
  // cursor is left exactly as it was.
  const char* term = std::getenv("TERM");
  const TerminalCapabilities capabilities = LoadTerminalCapabilities(term, std::getenv("NO_COLOR"), terminalFd);
  if (!capabilities.cursorAddressing) {
    ReportStartUpFailure(capabilities.refusal);
    close(terminalFd);
    terminalFd = -1;
    return false;
  }
  if (!OpenWakePipe()) {
    ReportNoTerminal(std::string("no pipe for signals: ") + std::strerror(errno));
    close(terminalFd);
    terminalFd = -1;
    return false;
  }
  // Handlers first: from the moment raw mode is on, any signal that ends the
  // process finds the restore armed.
  InstallSignalHandlers();
  terminal = std::make_unique<TerminalConsole>(terminalFd, capabilities);
  if (!terminal->EnterRawMode()) {
    ReportNoTerminal(std::string("/dev/tty: cannot set its modes: ") + std::strerror(errno));
    RemoveSignalHandlers();
    terminal.reset();
    close(terminalFd);
    terminalFd = -1;
    return false;
  }
  InstallPlatform(*terminal);
  SetFloatingPointMode();
  return true;
}

void ShutDown() {
  if (!terminal) return;
  terminal->Restore();
  RemoveSignalHandlers();
  ConsoleState.keyboardInput = nullptr;
  ConsoleState.screenOutput = nullptr;
  terminal.reset();
  close(terminalFd);
  terminalFd = -1;
}

}  // namespace console

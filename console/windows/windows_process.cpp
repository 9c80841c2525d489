// The process frame on a Windows console: connects the console operations to
// the console the program was started in, puts its input into raw mode, and
// gives back what it changed on every way out:
//
//   quit entry (ShutDown)                    -> restore
//   Ctrl+Break, Ctrl+C when it is no key,
//   closing the window, logoff, shutdown     -> restore, then the system's
//                                               default handling ends the process
//   crash (unhandled exception)              -> restore, then the system's
//                                               crash handling
//   abort() (std::terminate among others)    -> restore, then the default abort
//   exit() without ShutDown                  -> restore from the frame's destructor
//   console gone while waiting for a key     -> restore, exit as a closed window does
//
// Left as the program made it, as on any console: the buffer size (80 x 60),
// the contents and the cursor position.
#include <windows.h>

#include <csignal>
#include <memory>
#include <string>

#include "console/console.h"
#include "console/process.h"
#include "console/windows/console_records.h"
#include "console/windows/console_restore.h"
#include "console/windows/windows_console.h"

namespace console {
namespace {

// Processed output with wrapping at the end of a line.
constexpr DWORD kOutputMode = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;
// No line input, no echo, no Ctrl+C processing, no mouse or window events:
// every key, Ctrl+C included, arrives as a record.
constexpr DWORD kRawInputMode = 0;
// The exit code of a process ended by its console's close or Ctrl+Break.
constexpr UINT kConsoleGoneExitCode = STATUS_CONTROL_C_EXIT;

// The console as the frame changed it: handles it owns and how to write the
// saved modes back.
class ConsoleSink final : public ConsoleModeSink {
 public:
  void SetInputMode(std::uint32_t mode) override { SetConsoleMode(modeInput, mode); }
  void SetOutputMode(std::uint32_t mode) override { SetConsoleMode(screen, mode); }
  void SetCursor(std::uint32_t size, bool visible) override {
    const CONSOLE_CURSOR_INFO info{size, visible ? TRUE : FALSE};
    SetConsoleCursorInfo(screen, &info);
  }
  void SetTextAttribute(std::uint16_t attributeWord) override { SetConsoleTextAttribute(screen, attributeWord); }

  HANDLE keys = INVALID_HANDLE_VALUE;       // "CONIN$", opened here
  HANDLE modeInput = INVALID_HANDLE_VALUE;  // the input whose mode is raw
  HANDLE screen = INVALID_HANDLE_VALUE;
  HANDLE openedScreen = INVALID_HANDLE_VALUE;  // "CONOUT$" when opened here
};

RestoreLedger ledger;
ConsoleSink sink;
std::unique_ptr<WindowsConsole> platform;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
using SignalHandler = void (*)(int);
SignalHandler previousAbortHandler = SIG_DFL;
bool handlersInstalled = false;

void RestoreConsole() { ledger.RestoreOnce(sink); }

BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      RestoreConsole();
      break;
    default:
      break;
  }
  // Not handled: the next handler, in the end the system's own, ends the process.
  return FALSE;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  RestoreConsole();
  return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void OnAbort(int signalNumber) {
  RestoreConsole();
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

[[noreturn]] void OnConsoleLost() {
  RestoreConsole();
  ExitProcess(kConsoleGoneExitCode);
}

void InstallHandlers() {
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
  previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
  previousAbortHandler = std::signal(SIGABRT, OnAbort);
  handlersInstalled = true;
}

void RemoveHandlers() {
  if (!handlersInstalled) return;
  SetConsoleCtrlHandler(OnControlEvent, FALSE);
  SetUnhandledExceptionFilter(previousFilter);
  std::signal(SIGABRT, previousAbortHandler == SIG_ERR ? SIG_DFL : previousAbortHandler);
  handlersInstalled = false;
}

bool IsConsoleScreen(HANDLE handle) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(handle, &info);
}

bool IsConsoleInput(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) &&
         !IsConsoleScreen(handle);
}

void CloseOwned() {
  if (sink.keys != INVALID_HANDLE_VALUE) CloseHandle(sink.keys);
  if (sink.openedScreen != INVALID_HANDLE_VALUE) CloseHandle(sink.openedScreen);
  sink = ConsoleSink{};
}

void ReportNoConsole(const std::string& why) { ReportStartUpFailure("cannot run without a console: " + why); }

// "CONIN$: The handle is invalid. (error 6)", as the system words it.
std::string LastErrorText(const char* what) {
  const DWORD error = GetLastError();
  char text[256] = {0};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  std::string words(text, length);
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == ' ')) words.pop_back();
  return std::string(what) + ": " + (words.empty() ? "" : words + " ") + "(error " + std::to_string(error) + ")";
}

// Should the process end through exit() without ShutDown, the console is
// still given back.
struct FrameGuard {
  ~FrameGuard() { RestoreConsole(); }
} frameGuard;

}  // namespace

bool StartUp() {
  const HANDLE standardInput = GetStdHandle(STD_INPUT_HANDLE);
  const HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);

  // Keys come from the console's input device, whatever the standard input is.
  sink.keys = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
  if (sink.keys == INVALID_HANDLE_VALUE) {
    ReportNoConsole(LastErrorText("CONIN$"));
    CloseOwned();
    return false;
  }
  // The screen: the standard output when it is the console, else the
  // standard error; with both redirected, the console's own screen buffer.
  if (IsConsoleScreen(standardOutput)) {
    sink.screen = standardOutput;
  } else if (IsConsoleScreen(standardError)) {
    sink.screen = standardError;
  } else {
    sink.openedScreen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (!IsConsoleScreen(sink.openedScreen)) {
      ReportNoConsole(LastErrorText("CONOUT$"));
      CloseOwned();
      return false;
    }
    sink.screen = sink.openedScreen;
  }
  // The raw mode goes on the standard input when that is the console's input;
  // otherwise on the device the keys are read from, so that Ctrl+C is a key
  // there too.
  sink.modeInput = IsConsoleInput(standardInput) ? standardInput : sink.keys;

  DWORD mode = 0;
  if (GetConsoleMode(sink.modeInput, &mode)) ledger.NoteInputMode(mode);
  if (GetConsoleMode(sink.screen, &mode)) ledger.NoteOutputMode(mode);
  CONSOLE_CURSOR_INFO cursor;
  if (GetConsoleCursorInfo(sink.screen, &cursor)) ledger.NoteCursor(cursor.dwSize, cursor.bVisible != FALSE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(sink.screen, &info)) ledger.NoteTextAttribute(info.wAttributes);
  // Handlers before the first change: from then on every way out restores.
  ledger.Arm();
  InstallHandlers();

  SetConsoleMode(sink.screen, kOutputMode);
  SetConsoleMode(sink.modeInput, kRawInputMode);
  platform = std::make_unique<WindowsConsole>(sink.keys, sink.screen, OnConsoleLost);
  InstallPlatform(*platform);
  SetFloatingPointMode();
  return true;
}

void ShutDown() {
  if (!platform) return;
  RestoreConsole();
  RemoveHandlers();
  ConsoleState.keyboardInput = nullptr;
  ConsoleState.screenOutput = nullptr;
  platform.reset();
  CloseOwned();
  ledger.Clear();
}

}  // namespace console

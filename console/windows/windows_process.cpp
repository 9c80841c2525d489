// The process frame on a Windows console: connects the console operations to
// the console the program was started in, puts its input into raw mode, and
// gives back what it changed on every way out:
//
//   quit entry (the session ends)            -> restore
//   Ctrl+Break, Ctrl+C when it is no key,
//   closing the window, logoff, shutdown     -> restore, then the system's
//                                               default handling ends the process
//   crash (unhandled exception)              -> restore, then the system's
//                                               crash handling
//   abort() (std::terminate among others)    -> restore, then the default abort
//   exit() while the session lives           -> restore from an exit handler
//   console gone while waiting for a key     -> restore, exit as a closed window does
//
// Left as the program made it, as on any console: the buffer size (80 x 60),
// the contents and the cursor position.
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>

#include "console/process.h"
#include "console/session.h"
#include "console/windows/console_handle.h"
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

using SignalHandler = void (*)(int);

// The console as the frame changed it, and everything the console-control
// handler, the exception filter and the abort handler touch: one object,
// reached by the handlers through one pointer while the session lives.
struct FrameState final : ConsoleModeSink {
  void SetInputMode(std::uint32_t mode) override { WriteConsoleMode(modeInput.get(), mode); }
  void SetOutputMode(std::uint32_t mode) override { WriteConsoleMode(screen.get(), mode); }
  void SetCursor(std::uint32_t size, bool visible) override {
    const CONSOLE_CURSOR_INFO info{size, visible ? TRUE : FALSE};
    SetConsoleCursorInfo(screen.get(), &info);
  }
  void SetTextAttribute(std::uint16_t attributeWord) override { SetConsoleTextAttribute(screen.get(), attributeWord); }

  ConsoleHandle keys;       // "CONIN$", opened here
  ConsoleHandle screen;     // a standard handle, or "CONOUT$" opened here
  ConsoleHandle modeInput;  // the input whose mode is raw (never owned)
  RestoreLedger ledger;
  LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
  SignalHandler previousAbortHandler = SIG_DFL;
};

std::atomic<FrameState*> active{nullptr};

void RestoreConsole() {
  if (FrameState* state = active.load()) state->ledger.RestoreOnce(*state);
}

BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: RestoreConsole(); break;
    default: break;
  }
  // Not handled: the next handler, in the end the system's own, ends the process.
  return FALSE;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  RestoreConsole();
  const FrameState* state = active.load();
  return state != nullptr && state->previousFilter != nullptr ? state->previousFilter(exception)
                                                              : EXCEPTION_CONTINUE_SEARCH;
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

// The handlers, installed for as long as this lives, with `state` the one they reach.
class InstalledHandlers {
 public:
  explicit InstalledHandlers(FrameState& state) : state_(state) {
    active.store(&state_);
    SetConsoleCtrlHandler(OnControlEvent, TRUE);
    state_.previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    state_.previousAbortHandler = std::signal(SIGABRT, OnAbort);
    // Should the process end through exit() while the session lives.
    std::atexit(RestoreConsole);
  }
  ~InstalledHandlers() {
    SetConsoleCtrlHandler(OnControlEvent, FALSE);
    SetUnhandledExceptionFilter(state_.previousFilter);
    std::signal(SIGABRT, state_.previousAbortHandler == SIG_ERR ? SIG_DFL : state_.previousAbortHandler);
    active.store(nullptr);
  }
  InstalledHandlers(const InstalledHandlers&) = delete;
  InstalledHandlers& operator=(const InstalledHandlers&) = delete;

 private:
  FrameState& state_;
};

// The raw modes, put on in the constructor and given back in the destructor
// (unless a handler has already done so).
class RawModes {
 public:
  explicit RawModes(FrameState& state) : state_(state) {
    WriteConsoleMode(state_.screen.get(), kOutputMode);
    WriteConsoleMode(state_.modeInput.get(), kRawInputMode);
  }
  ~RawModes() { state_.ledger.RestoreOnce(state_); }
  RawModes(const RawModes&) = delete;
  RawModes& operator=(const RawModes&) = delete;

 private:
  FrameState& state_;
};

// Members in order of acquisition, so that they are given back in reverse:
// the console goes, the modes are restored, the handlers are removed, the
// handles opened here are closed.
class WindowsSession final : public Session {
 public:
  explicit WindowsSession(std::unique_ptr<FrameState> state)
      : state_(std::move(state)),
        handlers_(*state_),
        modes_(*state_),
        platform_(state_->keys.get(), state_->screen.get(), OnConsoleLost),
        console_(platform_) {}
  Console& console() override { return console_; }

 private:
  std::unique_ptr<FrameState> state_;
  InstalledHandlers handlers_;
  RawModes modes_;
  WindowsConsole platform_;
  Console console_;
};

bool IsConsoleScreen(HANDLE handle) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(handle, &info);
}

bool IsConsoleInput(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ReadConsoleMode(handle) && !IsConsoleScreen(handle);
}

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

// The session, or the reason there is none.
std::unique_ptr<Session> OpenWindowsSession(std::string& why) {
  const HANDLE standardInput = GetStdHandle(STD_INPUT_HANDLE);
  const HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
  auto state = std::make_unique<FrameState>();

  // Keys come from the console's input device, whatever the standard input is.
  state->keys = ConsoleHandle::Open("CONIN$");
  if (!state->keys.valid()) {
    why = LastErrorText("CONIN$");
    return nullptr;
  }
  // The screen: the standard output when it is the console, else the
  // standard error; with both redirected, the console's own screen buffer.
  if (IsConsoleScreen(standardOutput)) {
    state->screen = ConsoleHandle::Borrow(standardOutput);
  } else if (IsConsoleScreen(standardError)) {
    state->screen = ConsoleHandle::Borrow(standardError);
  } else {
    state->screen = ConsoleHandle::Open("CONOUT$");
    if (!IsConsoleScreen(state->screen.get())) {
      why = LastErrorText("CONOUT$");
      return nullptr;
    }
  }
  // The raw mode goes on the standard input when that is the console's input;
  // otherwise on the device the keys are read from, so that Ctrl+C is a key
  // there too.
  state->modeInput = ConsoleHandle::Borrow(IsConsoleInput(standardInput) ? standardInput : state->keys.get());

  if (const std::optional<DWORD> mode = ReadConsoleMode(state->modeInput.get())) state->ledger.NoteInputMode(*mode);
  if (const std::optional<DWORD> mode = ReadConsoleMode(state->screen.get())) state->ledger.NoteOutputMode(*mode);
  CONSOLE_CURSOR_INFO cursor;
  if (GetConsoleCursorInfo(state->screen.get(), &cursor)) {
    state->ledger.NoteCursor(cursor.dwSize, cursor.bVisible != FALSE);
  }
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(state->screen.get(), &info)) state->ledger.NoteTextAttribute(info.wAttributes);
  // Handlers before the first change: from then on every way out restores.
  state->ledger.Arm();
  auto session = std::make_unique<WindowsSession>(std::move(state));
  SetFloatingPointMode();
  return session;
}

}  // namespace

std::unique_ptr<Session> Session::Open() {
  std::string why;
  std::unique_ptr<Session> session = OpenWindowsSession(why);
  if (!session) ReportStartUpFailure("cannot run without a console: " + why);
  return session;
}

}  // namespace console

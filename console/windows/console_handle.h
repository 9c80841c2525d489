// Console handles and their modes, for the Windows process frame: a handle
// the frame opened is closed when its owner goes; one it was given (a
// standard handle) never is.
#pragma once

#include <windows.h>

#include <optional>

namespace console {

class ConsoleHandle {
 public:
  // Holds no handle.
  ConsoleHandle() = default;
  // Opens the console device `device` ("CONIN$", "CONOUT$") for reading and
  // writing; holds no handle when that fails (GetLastError says why).
  static ConsoleHandle Open(const char* device);
  // Uses `handle` without taking it over.
  static ConsoleHandle Borrow(HANDLE handle);
  // Closes the handle if it was opened here.
  ~ConsoleHandle();
  ConsoleHandle(ConsoleHandle&& other) noexcept;
  ConsoleHandle& operator=(ConsoleHandle&& other) noexcept;
  ConsoleHandle(const ConsoleHandle&) = delete;
  ConsoleHandle& operator=(const ConsoleHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

 private:
  ConsoleHandle(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {}
  void Close();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool owned_ = false;
};

// The mode of a console input or screen buffer; none when `handle` is no console handle.
std::optional<DWORD> ReadConsoleMode(HANDLE handle);
// Sets it; false when the console refuses.
bool WriteConsoleMode(HANDLE handle, DWORD mode);

}  // namespace console

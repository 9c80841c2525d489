#include "console/windows/console_handle.h"

#include <utility>

namespace console {

ConsoleHandle ConsoleHandle::Open(const char* device) {
  const HANDLE handle = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  return ConsoleHandle(handle, handle != INVALID_HANDLE_VALUE);
}

ConsoleHandle ConsoleHandle::Borrow(HANDLE handle) { return ConsoleHandle(handle, false); }

ConsoleHandle::~ConsoleHandle() { Close(); }

ConsoleHandle::ConsoleHandle(ConsoleHandle&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), owned_(std::exchange(other.owned_, false)) {}

ConsoleHandle& ConsoleHandle::operator=(ConsoleHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    owned_ = std::exchange(other.owned_, false);
  }
  return *this;
}

void ConsoleHandle::Close() {
  if (owned_) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  owned_ = false;
}

std::optional<DWORD> ReadConsoleMode(HANDLE handle) {
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return std::nullopt;
  return mode;
}

bool WriteConsoleMode(HANDLE handle, DWORD mode) { return SetConsoleMode(handle, mode) != FALSE; }

}  // namespace console

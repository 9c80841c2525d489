#include "console/console.h"

namespace console {
namespace {
// An error number of 0 would read as "no error"; it is recorded as 51.
constexpr std::uint32_t kErrorNumberForZero = 51;
constexpr std::uint32_t kErrorPendingBits = 0xA000;
}  // namespace

Console::Console(Platform& platform) : platform_(platform) {
  std::uint32_t size = 0;
  bool visible = true;
  // A console that reports no cursor keeps the record's ordinary underline.
  if (platform_.GetCursorInfo(size, visible) && size != 0) {
    state_.cursorSize = size;
    state_.cursorVisible = visible;
  }
}

void Console::RecordError(std::uint32_t number) {
  if (number == 0) number = kErrorNumberForZero;
  errorNumber_ = kErrorPendingBits | (number & 0xFF);
}

}  // namespace console

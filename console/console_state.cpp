#include "console/console.h"

namespace console {

ConsoleRecord ConsoleState;
std::uint32_t ErrorNumber = 0;

namespace {
// An error number of 0 would read as "no error"; it is recorded as 51.
constexpr std::uint32_t kErrorNumberForZero = 51;
constexpr std::uint32_t kErrorPendingBits = 0xA000;
// A console that reports no cursor gets an ordinary underline cursor.
constexpr std::uint32_t kDefaultCursorSize = 10;
}  // namespace

void RecordError(std::uint32_t number) {
  if (number == 0) number = kErrorNumberForZero;
  ErrorNumber = kErrorPendingBits | (number & 0xFF);
}

void InstallPlatform(Platform& platform) {
  ConsoleState = ConsoleRecord{};
  ConsoleState.keyboardInput = &platform;
  ConsoleState.screenOutput = &platform;
  std::uint32_t size = 0;
  bool visible = true;
  if (platform.GetCursorInfo(size, visible) && size != 0) {
    ConsoleState.cursorSize = size;
    ConsoleState.cursorVisible = visible;
  } else {
    ConsoleState.cursorSize = kDefaultCursorSize;
    ConsoleState.cursorVisible = true;
  }
  ErrorNumber = 0;
}

}  // namespace console

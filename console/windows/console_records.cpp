#include "console/windows/console_records.h"

namespace console {
namespace {

InputKind KindOf(std::uint16_t eventType) {
  switch (eventType) {
    case kConsoleKeyEvent: return InputKind::kKey;
    case kConsoleMouseEvent: return InputKind::kMouse;
    case kConsoleFocusEvent: return InputKind::kFocus;
    default:
      // Buffer-size and menu events, and any type a later console adds,
      // are skipped like window changes.
      return InputKind::kWindow;
  }
}

}  // namespace

InputRecord ToInputRecord(const ConsoleInputEvent& event) {
  InputRecord record;
  record.kind = KindOf(event.eventType);
  if (record.kind != InputKind::kKey) {
    record.keyDown = false;
    return record;
  }
  record.keyDown = event.keyDown;
  record.scanCode = event.scanCode;
  record.character = event.character;
  record.controlKeys = event.controlKeyState & kConsoleControlKeysRead;
  return record;
}

std::uint16_t ConsoleAttributeWord(std::uint8_t attribute) { return static_cast<std::uint16_t>(attribute); }

std::uint8_t CellAttribute(std::uint16_t attributeWord) { return static_cast<std::uint8_t>(attributeWord & 0xFF); }

}  // namespace console

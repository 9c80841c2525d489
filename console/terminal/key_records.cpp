#include "console/terminal/key_records.h"

#include "console/us_keyboard.h"

namespace console::key_decoding {
namespace {

// A C0 control code typed as Ctrl with the key of the character 0x40 above
// it: 0x01 is Ctrl+A, 0x00 is Ctrl+@ (Ctrl+Shift+2), 0x1C is Ctrl+\,
// 0x1F is Ctrl+_ (Ctrl+Shift+-). Letters are taken lower case, so that Shift
// is not reported for Ctrl+letter.
InputRecord ControlKey(std::uint8_t code, std::uint32_t controlKeys) {
  std::uint8_t base = code ^ kControlBit;
  if (base >= 'A' && base <= 'Z') base = static_cast<std::uint8_t>(base - 'A' + 'a');
  UsKey key = UsKeyForAscii(base);
  return Key(key.scanCode, code, controlKeys | kLeftCtrlPressed | (key.shift ? kShiftPressed : 0));
}

}  // namespace

InputRecord Key(std::uint16_t scanCode, std::uint8_t character, std::uint32_t controlKeys) {
  InputRecord record;
  record.kind = InputKind::kKey;
  record.keyDown = true;
  record.scanCode = scanCode;
  record.character = character;
  record.controlKeys = controlKeys;
  return record;
}

InputRecord EscKey(std::uint32_t controlKeys) { return Key(kScanEsc, kEsc, controlKeys); }
InputRecord EnterKey(std::uint32_t controlKeys) { return Key(kScanEnter, kCr, controlKeys); }
InputRecord TabKey(std::uint32_t controlKeys) { return Key(kScanTab, kTab, controlKeys); }
InputRecord BackspaceKey(std::uint32_t controlKeys) { return Key(kScanBackspace, kBackspace, controlKeys); }

InputRecord PrintableKey(std::uint8_t character, std::uint32_t controlKeys) {
  UsKey key = UsKeyForAscii(character);
  return Key(key.scanCode, character, controlKeys | (key.shift ? kShiftPressed : 0));
}

InputRecord AsciiKey(std::uint8_t byte, std::uint8_t eraseByte, std::uint32_t controlKeys) {
  if (byte == kCr) return EnterKey(controlKeys);
  if (byte == kTab) return TabKey(controlKeys);
  if (byte == kBackspace || byte == kDel || (eraseByte != kNul && byte == eraseByte)) return BackspaceKey(controlKeys);
  if (byte < 0x20) return ControlKey(byte, controlKeys);
  return PrintableKey(byte, controlKeys);
}

}  // namespace console::key_decoding

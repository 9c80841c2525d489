// Keyboard and line input over the platform's queue of input records.
#include <algorithm>
#include <array>

#include "console/console.h"
#include "console/us_keyboard.h"

namespace console {
namespace {

constexpr std::uint8_t kBackspace = 8;
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kEscape = 27;
constexpr std::uint8_t kFirstPrintable = 32;

// Keys that produce nothing when pressed alone: Ctrl, both Shifts, Alt, and
// the three lock keys.
constexpr std::array<std::uint16_t, 7> kLoneModifierScanCodes = {
    kScanCtrl, kScanLeftShift, kScanRightShift, kScanAlt, kScanCapsLock, kScanNumLock, kScanScrollLock};

// Alt with a key of one of the three letter rows (Q-P, A-L, Z-M) reports the
// key, not its character.
bool InAltLetterRange(std::uint16_t scanCode) {
  return (scanCode >= 16 && scanCode <= 25) || (scanCode >= 30 && scanCode <= 38) ||
         (scanCode >= 44 && scanCode <= 50);
}

// The digit row and the punctuation keys, whose character follows Shift
// alone even with Caps Lock on. Column by column: scan code, unshifted, shifted.
struct ShiftPair {
  std::uint16_t scanCode;
  std::uint8_t unshifted;
  std::uint8_t shifted;
};
constexpr std::array<ShiftPair, 21> kShiftPairTable = {{
    {2, '1', '!'},   {3, '2', '@'},  {4, '3', '#'},  {5, '4', '$'},   {6, '5', '%'},   {7, '6', '^'},
    {8, '7', '&'},   {9, '8', '*'},  {10, '9', '('}, {11, '0', ')'},  {12, '-', '_'},  {13, '=', '+'},
    {26, '[', '{'},  {27, ']', '}'}, {39, ';', ':'}, {40, '\'', '"'}, {41, '`', '~'},  {43, '\\', '|'},
    {51, ',', '<'},  {52, '.', '>'}, {53, '/', '?'},
}};

bool IsLoneModifier(std::uint16_t scanCode) {
  return std::find(kLoneModifierScanCodes.begin(), kLoneModifierScanCodes.end(), scanCode) !=
         kLoneModifierScanCodes.end();
}

KeyResult ScanCodeResult(std::uint16_t scanCode) {
  KeyResult result;
  result.length = 2;
  result.bytes[0] = 0;
  result.bytes[1] = static_cast<std::uint8_t>(scanCode);
  return result;
}

KeyResult CharacterResult(std::uint8_t character) {
  KeyResult result;
  result.length = 1;
  result.bytes[0] = character;
  return result;
}

}  // namespace

std::uint8_t TranslateKey(std::uint8_t character, std::uint16_t scanCode, std::uint32_t controlKeys) {
  if ((controlKeys & kCapsLockOn) == 0) return character;
  for (const ShiftPair& pair : kShiftPairTable) {
    if (pair.scanCode != scanCode) continue;
    const bool shiftHeld = (controlKeys & kShiftPressed) != 0;
    if (shiftHeld && character == pair.unshifted) return pair.shifted;
    if (!shiftHeld && character == pair.shifted) return pair.unshifted;
    return character;
  }
  if (scanCode == kScanEsc) return kEscape;
  return character;
}

KeyResult PeekKey() {
  Platform* input = ConsoleState.keyboardInput;
  if (input == nullptr) return {};
  InputRecord record;
  while (input->PeekInput(record)) {
    if (record.kind != InputKind::kKey || !record.keyDown) {
      TakeKeyEvent();
      continue;
    }
    if (record.character != 0) {
      const bool altHeld = (record.controlKeys & (kLeftAltPressed | kRightAltPressed)) != 0;
      if (altHeld && InAltLetterRange(record.scanCode)) return ScanCodeResult(record.scanCode);
      return CharacterResult(TranslateKey(record.character, record.scanCode, record.controlKeys));
    }
    if (record.scanCode == kScanEsc) {
      return CharacterResult(TranslateKey(record.character, record.scanCode, record.controlKeys));
    }
    if (IsLoneModifier(record.scanCode)) {
      TakeKeyEvent();
      continue;
    }
    return ScanCodeResult(record.scanCode);
  }
  return {};
}

void TakeKeyEvent() {
  Platform* input = ConsoleState.keyboardInput;
  InputRecord discarded;
  if (input != nullptr) input->ReadInput(discarded);
}

std::uint8_t WaitChar() {
  Platform* input = ConsoleState.keyboardInput;
  // With no keyboard at all nothing could ever end the line: end it now.
  if (input == nullptr) return kEnter;
  for (;;) {
    const KeyResult key = PeekKey();
    if (key.length == 0) {
      input->WaitForInput();
      continue;
    }
    TakeKeyEvent();
    if (key.length == 2 || key.bytes[0] == 0) continue;
    return key.bytes[0];
  }
}

void CursorBack() {
  BufferInfo info;
  Platform* out = ConsoleState.screenOutput;
  if (out == nullptr || !out->GetBufferInfo(info)) return;
  if (ConsoleState.scrollPending != 0) {
    // The last echo filled the bottom-right cell; the cursor shows at column
    // 1 of the bottom row, but the cell before it is that last cell.
    ConsoleState.scrollPending = 0;
    Locate(info.rows, info.columns);
  } else if (info.cursor.column > 0) {
    Locate(info.cursor.row + 1, info.cursor.column);
  } else {
    // Row 0 (1-based) is out of range, so on the top row Locate keeps the row.
    Locate(info.cursor.row, info.columns);
  }
}

std::string ReadLine() {
  ForceCursor();
  std::string line;
  for (;;) {
    const std::uint8_t character = WaitChar();
    if (character == kBackspace) {
      if (line.empty()) continue;
      CursorBack();
      PrintText(" ");
      CursorBack();
      line.pop_back();
    } else if (character == kEnter) {
      break;
    } else if (character < kFirstPrintable) {
      continue;
    } else if (line.size() < static_cast<std::size_t>(kLineCapacity)) {
      line.push_back(static_cast<char>(character));
      PrintText(std::string(1, static_cast<char>(character)));
    }
  }
  PrintNewLine();
  RestoreCursor();
  return line;
}

std::string PollKey() {
  const KeyResult key = PeekKey();
  if (key.length == 0) return {};
  TakeKeyEvent();
  return std::string(reinterpret_cast<const char*>(key.bytes), static_cast<std::size_t>(key.length));
}

void AwaitKey() {
  Platform* input = ConsoleState.keyboardInput;
  if (input != nullptr) input->WaitForInput();
}

}  // namespace console

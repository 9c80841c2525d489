// Keyboard and line input over the platform's queue of input records.
#include <algorithm>
#include <array>
#include <string>

#include "console/console.h"
#include "console/us_keyboard.h"

namespace console {
namespace {

constexpr std::uint8_t kBackspace = 8;
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kFirstPrintable = 32;

// Keys that produce nothing when pressed alone: Ctrl, both Shifts, Alt, and
// the three lock keys.
constexpr std::array<std::uint16_t, 7> kLoneModifierScanCodes = {
    kScanCtrl, kScanLeftShift, kScanRightShift, kScanAlt, kScanCapsLock, kScanNumLock, kScanScrollLock};

// Alt with a key of one of the three letter rows (Q-P, A-L, Z-M) reports the
// key, not its character.
bool InAltLetterRange(std::uint16_t scanCode) {
  return (scanCode >= 16 && scanCode <= 25) || (scanCode >= 30 && scanCode <= 38) || (scanCode >= 44 && scanCode <= 50);
}

bool IsLoneModifier(std::uint16_t scanCode) {
  return std::find(kLoneModifierScanCodes.begin(), kLoneModifierScanCodes.end(), scanCode) !=
         kLoneModifierScanCodes.end();
}

}  // namespace

Console::KeyResult Console::CharacterOf(const InputRecord& record) {
  return KeyResult{1, {TranslateKey(record.character, record.scanCode, record.controlKeys), 0}};
}

Console::KeyResult Console::PeekKey() {
  InputRecord record;
  while (platform_.PeekInput(record)) {
    if (record.kind != InputKind::kKey || !record.keyDown) {
      TakeKeyEvent();
      continue;
    }
    if (record.character != 0) {
      const bool altHeld = (record.controlKeys & (kLeftAltPressed | kRightAltPressed)) != 0;
      if (!altHeld || !InAltLetterRange(record.scanCode)) return CharacterOf(record);
    } else if (record.scanCode == kScanEsc) {
      return CharacterOf(record);
    } else if (IsLoneModifier(record.scanCode)) {
      TakeKeyEvent();
      continue;
    }
    return KeyResult{2, {0, static_cast<std::uint8_t>(record.scanCode)}};
  }
  return {};
}

void Console::TakeKeyEvent() {
  InputRecord discarded;
  platform_.ReadInput(discarded);
}

Console::KeyResult Console::WaitKey() {
  for (;;) {
    const KeyResult key = PeekKey();
    if (key.length == 0) {
      platform_.WaitForInput();
      continue;
    }
    TakeKeyEvent();
    if (key.length == 1 && key.bytes[0] == 0) continue;
    return key;
  }
}

void Console::CursorBack() {
  BufferInfo info;
  if (!platform_.GetBufferInfo(info)) return;
  if (state_.scrollPending) {
    // The last echo filled the bottom-right cell; the cursor shows at column
    // 1 of the bottom row, but the cell before it is that last cell.
    state_.scrollPending = false;
    Locate(info.rows, info.columns);
  } else if (info.cursor.column > 0) {
    Locate(info.cursor.row + 1, info.cursor.column);
  } else {
    // Row 0 (1-based) is out of range, so on the top row Locate keeps the row.
    Locate(info.cursor.row, info.columns);
  }
}

void Console::EraseLast(std::string& line) {
  CursorBack();
  PrintText(" ");
  CursorBack();
  line.pop_back();
}

void Console::ReplaceLine(std::string& line, std::string_view replacement) {
  while (!line.empty()) EraseLast(line);
  line = replacement;
  PrintText(line);
}

std::string Console::ReadLine(std::string_view prompt) {
  ForceCursor();
  LineHistory* history = nullptr;
  if (!prompt.empty()) {
    auto found = histories_.find(prompt);
    if (found == histories_.end()) found = histories_.emplace(std::string(prompt), LineHistory{}).first;
    history = &found->second;
  }
  std::size_t recalled = 0;  // the history line shown; 0 for the fresh line
  std::string line;
  for (;;) {
    const KeyResult key = WaitKey();
    if (key.length == 2) {
      // Up and Down walk the prompt's history; other keys without a character do nothing.
      const bool up = key.bytes[1] == kScanUp;
      if (history == nullptr || (!up && key.bytes[1] != kScanDown)) continue;
      if (up ? recalled == history->size() : recalled == 0) continue;
      recalled = up ? recalled + 1 : recalled - 1;
      ReplaceLine(line, history->Recalled(recalled));
      continue;
    }
    const std::uint8_t character = key.bytes[0];
    if (character == kBackspace) {
      if (!line.empty()) EraseLast(line);
    } else if (character == kEnter) {
      break;
    } else if (character < kFirstPrintable) {
      continue;
    } else if (line.size() < static_cast<std::size_t>(kLineCapacity)) {
      line.push_back(static_cast<char>(character));
      PrintText(std::string_view(&line.back(), 1));
    }
  }
  if (history != nullptr) history->Remember(line);
  PrintNewLine();
  RestoreCursor();
  return line;
}

std::string Console::PollKey() {
  const KeyResult key = PeekKey();
  if (key.length == 0) return {};
  TakeKeyEvent();
  return std::string(reinterpret_cast<const char*>(key.bytes), static_cast<std::size_t>(key.length));
}

void Console::AwaitKey() { platform_.WaitForInput(); }

}  // namespace console

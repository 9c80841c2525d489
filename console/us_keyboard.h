// The US PC keyboard: which key types each ASCII character, and the scan
// codes of the keys that type none. Shared by the terminal's key decoder and
// the scripted input of MemoryConsole.
#pragma once

#include <cstdint>

namespace console {

// US-layout PC scan code for a printable ASCII byte, and whether Shift types it.
struct UsKey {
  std::uint16_t scanCode = 0;
  bool shift = false;
};
UsKey UsKeyForAscii(std::uint8_t character);

// The character a key-down record stands for once Caps Lock is taken into
// account: with it on, the digit row and the punctuation keys follow Shift
// alone ('1' with Shift and Caps Lock is '!', '!' with Caps Lock alone is
// '1'), and Esc is the escape character whatever the record says.
std::uint8_t TranslateKey(std::uint8_t character, std::uint16_t scanCode, std::uint32_t controlKeys);
inline constexpr std::uint8_t kEscapeCharacter = 27;

// Scan codes of keys without a character.
inline constexpr std::uint16_t kScanEsc = 1;
inline constexpr std::uint16_t kScanBackspace = 14;
inline constexpr std::uint16_t kScanTab = 15;
inline constexpr std::uint16_t kScanEnter = 28;
inline constexpr std::uint16_t kScanCtrl = 29;
inline constexpr std::uint16_t kScanLeftShift = 42;
inline constexpr std::uint16_t kScanRightShift = 54;
inline constexpr std::uint16_t kScanAlt = 56;
inline constexpr std::uint16_t kScanCapsLock = 58;
inline constexpr std::uint16_t kScanF1 = 59;  // F1..F10 are 59..68
inline constexpr std::uint16_t kScanNumLock = 69;
inline constexpr std::uint16_t kScanScrollLock = 70;
inline constexpr std::uint16_t kScanHome = 71;
inline constexpr std::uint16_t kScanUp = 72;
inline constexpr std::uint16_t kScanPageUp = 73;
inline constexpr std::uint16_t kScanLeft = 75;
inline constexpr std::uint16_t kScanRight = 77;
inline constexpr std::uint16_t kScanEnd = 79;
inline constexpr std::uint16_t kScanDown = 80;
inline constexpr std::uint16_t kScanPageDown = 81;
inline constexpr std::uint16_t kScanInsert = 82;
inline constexpr std::uint16_t kScanDelete = 83;
inline constexpr std::uint16_t kScanF11 = 87;
inline constexpr std::uint16_t kScanF12 = 88;

}  // namespace console

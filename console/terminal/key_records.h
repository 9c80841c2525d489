// The key records that single bytes and control sequences turn into, built
// the way the US PC keyboard would report them. Internal to the key decoder.
//
//   AsciiKey('a', 127)              -> 'a', scan 30
//   AsciiKey(0x01, 127)             -> Ctrl+A: character 1, scan 30, left Ctrl
//   AsciiKey('x', 127, Alt)         -> Alt+X: 'x', scan 45, left Alt
//   PrintableKey('A')               -> 'A', scan 30, Shift
#pragma once

#include <cstdint>

#include "console/platform.h"

namespace console::key_decoding {

inline constexpr std::uint8_t kNul = 0x00;
inline constexpr std::uint8_t kBel = 0x07;
inline constexpr std::uint8_t kBackspace = 0x08;
inline constexpr std::uint8_t kTab = 0x09;
inline constexpr std::uint8_t kLf = 0x0A;
inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kDel = 0x7F;

// Control codes are the character with bit 6 flipped: Ctrl+A is 0x41 ^ 0x40.
inline constexpr std::uint8_t kControlBit = 0x40;

InputRecord Key(std::uint16_t scanCode, std::uint8_t character, std::uint32_t controlKeys);

InputRecord EscKey(std::uint32_t controlKeys = 0);
InputRecord EnterKey(std::uint32_t controlKeys = 0);
InputRecord TabKey(std::uint32_t controlKeys = 0);
InputRecord BackspaceKey(std::uint32_t controlKeys = 0);

// A printable ASCII character typed on the US keyboard.
InputRecord PrintableKey(std::uint8_t character, std::uint32_t controlKeys = 0);

// The key that sends one ASCII byte other than ESC. Backspace arrives as DEL
// or BS whatever the terminal's erase setting says, so both count, besides
// the erase character itself (0 disables it). LF is Ctrl+J: in raw mode the
// Enter key sends CR.
InputRecord AsciiKey(std::uint8_t byte, std::uint8_t eraseByte, std::uint32_t controlKeys = 0);

}  // namespace console::key_decoding

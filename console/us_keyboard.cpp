#include "console/us_keyboard.h"

#include <array>
#include <string_view>

#include "console/platform.h"

namespace console {
namespace {

// The keys of a US PC keyboard that type characters, with their set-1 scan
// codes: each key's unshifted and shifted character.
struct KeyCaps {
  std::uint16_t scanCode;
  char unshifted;
  char shifted;
};

constexpr std::array<KeyCaps, 48> kUsKeys = {{
    {41, '`', '~'}, {2, '1', '!'},   {3, '2', '@'},  {4, '3', '#'},  {5, '4', '$'},   {6, '5', '%'},  {7, '6', '^'},
    {8, '7', '&'},  {9, '8', '*'},   {10, '9', '('}, {11, '0', ')'}, {12, '-', '_'},  {13, '=', '+'}, {16, 'q', 'Q'},
    {17, 'w', 'W'}, {18, 'e', 'E'},  {19, 'r', 'R'}, {20, 't', 'T'}, {21, 'y', 'Y'},  {22, 'u', 'U'}, {23, 'i', 'I'},
    {24, 'o', 'O'}, {25, 'p', 'P'},  {26, '[', '{'}, {27, ']', '}'}, {43, '\\', '|'}, {30, 'a', 'A'}, {31, 's', 'S'},
    {32, 'd', 'D'}, {33, 'f', 'F'},  {34, 'g', 'G'}, {35, 'h', 'H'}, {36, 'j', 'J'},  {37, 'k', 'K'}, {38, 'l', 'L'},
    {39, ';', ':'}, {40, '\'', '"'}, {44, 'z', 'Z'}, {45, 'x', 'X'}, {46, 'c', 'C'},  {47, 'v', 'V'}, {48, 'b', 'B'},
    {49, 'n', 'N'}, {50, 'm', 'M'},  {51, ',', '<'}, {52, '.', '>'}, {53, '/', '?'},  {57, ' ', ' '},
}};

constexpr std::array<UsKey, 128> BuildAsciiTable() {
  std::array<UsKey, 128> table{};
  for (const KeyCaps& key : kUsKeys) {
    table[static_cast<unsigned char>(key.shifted)] = {key.scanCode, key.shifted != key.unshifted};
    table[static_cast<unsigned char>(key.unshifted)] = {key.scanCode, false};
  }
  return table;
}

constexpr std::array<UsKey, 128> kAsciiKeys = BuildAsciiTable();

// Caps Lock shifts letters only: the other keys' characters follow Shift alone.
bool IsLetterKey(const KeyCaps& key) { return key.unshifted >= 'a' && key.unshifted <= 'z'; }

}  // namespace

UsKey UsKeyForAscii(std::uint8_t character) {
  if (character >= kAsciiKeys.size()) return {};
  return kAsciiKeys[character];
}

std::uint8_t TranslateKey(std::uint8_t character, std::uint16_t scanCode, std::uint32_t controlKeys) {
  if ((controlKeys & kCapsLockOn) == 0) return character;
  if (scanCode == kScanEsc) return kEscapeCharacter;
  for (const KeyCaps& key : kUsKeys) {
    if (key.scanCode != scanCode || IsLetterKey(key) || key.unshifted == key.shifted) continue;
    const auto unshifted = static_cast<std::uint8_t>(key.unshifted);
    const auto shifted = static_cast<std::uint8_t>(key.shifted);
    const bool shiftHeld = (controlKeys & kShiftPressed) != 0;
    if (shiftHeld && character == unshifted) return shifted;
    if (!shiftHeld && character == shifted) return unshifted;
    return character;
  }
  return character;
}

}  // namespace console

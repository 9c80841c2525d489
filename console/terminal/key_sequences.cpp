#include "console/terminal/key_sequences.h"

#include <array>
#include <optional>

#include "console/cp437.h"
#include "console/terminal/key_records.h"
#include "console/us_keyboard.h"

namespace console::key_decoding {
namespace {

// Bracketed paste: the terminal announces pasted text with ESC [ 200 ~.
constexpr int kPasteStartNumber = 200;

// The keypad's middle key (5 without Num Lock, "Begin" to a terminal) has no
// constant of its own in the keyboard header.
constexpr std::uint16_t kScanKeypadBegin = 76;

// Numeric keypad keys that type a character; their scan codes differ from the
// main keyboard's keys for the same characters.
constexpr std::uint16_t kScanKeypadMultiply = 55;
constexpr std::uint16_t kScanKeypadMinus = 74;
constexpr std::uint16_t kScanKeypadPlus = 78;
// Keypad /, Enter and the digit keys share their scan codes with keys of the
// main keyboard or the cursor block (the PC tells them apart by a prefix).
constexpr std::uint16_t kScanKeypadDivide = 53;
constexpr std::array<std::uint16_t, 10> kScanKeypadDigits = {kScanInsert, kScanEnd,         kScanDown,  kScanPageDown,
                                                             kScanLeft,   kScanKeypadBegin, kScanRight, kScanHome,
                                                             kScanUp,     kScanPageUp};

// Parameters of a control sequence: up to four fields separated by ';', each
// of up to three parts separated by ':'. "1;5" is {{1}, {5}}; "97:65;2" is
// {{97, 65}, {2}}. Absent numbers are -1.

struct Parameters {
  static constexpr int kMaxFields = 4;
  static constexpr int kMaxParts = 3;
  // The largest Unicode code point: no key is named by a bigger number.
  static constexpr int kMaxValue = 0x10FFFF;

  int count = 0;
  std::array<std::array<int, kMaxParts>, kMaxFields> values{};

  int Get(int field, int part = 0) const {
    if (field >= count) return -1;
    return values[field][part];
  }
  // True when the field holds at most its first part.
  bool Plain(int field) const {
    if (field >= count) return true;
    for (int part = 1; part < kMaxParts; ++part) {
      if (values[field][part] >= 0) return false;
    }
    return true;
  }
};

// Fails on private markers ('<', '=', '>', '?'), intermediate bytes, too many
// fields or parts, and numbers beyond kMaxValue: no key sequence has them.
std::optional<Parameters> ParseParameters(std::string_view text) {
  Parameters parameters;
  if (text.empty()) return parameters;
  for (auto& field : parameters.values) field.fill(-1);
  int field = 0;
  int part = 0;
  parameters.count = 1;
  for (char c : text) {
    if (c == ';') {
      if (++field >= Parameters::kMaxFields) return std::nullopt;
      part = 0;
      parameters.count = field + 1;
    } else if (c == ':') {
      if (++part >= Parameters::kMaxParts) return std::nullopt;
    } else if (c >= '0' && c <= '9') {
      int& value = parameters.values[field][part];
      value = (value < 0 ? 0 : value * 10) + (c - '0');
      if (value > Parameters::kMaxValue) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return parameters;
}

// The modifier parameter is 1 + a bit set: Shift 1, Alt 2, Ctrl 4 (xterm);
// kitty adds Super 8, Hyper 16, Meta 32, Caps Lock 64, Num Lock 128, of which
// only Caps Lock has a control-key bit. An absent parameter means none.
std::optional<std::uint32_t> ModifierKeys(int parameter) {
  constexpr int kShiftBit = 1, kAltBit = 2, kCtrlBit = 4, kCapsLockBit = 64;
  constexpr int kMaxParameter = 256;
  if (parameter < 0) return 0;
  if (parameter < 1 || parameter > kMaxParameter) return std::nullopt;
  int bits = parameter - 1;
  std::uint32_t keys = 0;
  if (bits & kShiftBit) keys |= kShiftPressed;
  if (bits & kAltBit) keys |= kLeftAltPressed;
  if (bits & kCtrlBit) keys |= kLeftCtrlPressed;
  if (bits & kCapsLockBit) keys |= kCapsLockOn;
  return keys;
}

// The modifiers of a key sequence from its modifier field, with kitty's event
// type in the field's second part: 1 press, 2 repeat, 3 release. A release
// (terminals report none otherwise) and invalid values yield nothing.
std::optional<std::uint32_t> PressModifiers(const Parameters& parameters, int field) {
  constexpr int kPress = 1, kRepeat = 2;
  int eventType = parameters.Get(field, 1);
  if (eventType >= 0 && eventType != kPress && eventType != kRepeat) return std::nullopt;
  if (parameters.Get(field, 2) >= 0) return std::nullopt;
  return ModifierKeys(parameters.Get(field, 0));
}

// Keys named by a final letter: ESC [ A, ESC O A, ESC [ 1 ; 5 A.
std::uint16_t LetterKeyScanCode(std::uint8_t final) {
  switch (final) {
    case 'A': return kScanUp;
    case 'B': return kScanDown;
    case 'C': return kScanRight;
    case 'D': return kScanLeft;
    case 'H': return kScanHome;
    case 'F': return kScanEnd;
    case 'E': return kScanKeypadBegin;
    case 'P': return kScanF1;
    case 'Q': return kScanF1 + 1;
    case 'R': return kScanF1 + 2;
    case 'S': return kScanF1 + 3;
    default: return 0;
  }
}

// Keys named by a number: ESC [ 2 ~. The VT220 numbers, with Home and End as
// 1/4 (Linux console, tmux, screen) and 7/8 (rxvt). 25-34 are F13-F20, which
// the Linux console and rxvt send for Shift+F3 to Shift+F10.
struct NumberedKey {
  std::uint16_t scanCode = 0;
  std::uint32_t controlKeys = 0;
};

NumberedKey NumberedKeyFor(int number) {
  switch (number) {
    case 1:
    case 7: return {kScanHome};
    case 2: return {kScanInsert};
    case 3: return {kScanDelete};
    case 4:
    case 8: return {kScanEnd};
    case 5: return {kScanPageUp};
    case 6: return {kScanPageDown};
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: return {static_cast<std::uint16_t>(kScanF1 + number - 11)};  // F1-F5
    case 17:
    case 18:
    case 19:
    case 20:
    case 21: return {static_cast<std::uint16_t>(kScanF1 + 5 + number - 17)};  // F6-F10
    case 23: return {kScanF11};
    case 24: return {kScanF12};
    case 25:
    case 26: return {static_cast<std::uint16_t>(kScanF1 + 2 + number - 25), kShiftPressed};  // F3-F4
    case 28:
    case 29: return {static_cast<std::uint16_t>(kScanF1 + 4 + number - 28), kShiftPressed};  // F5-F6
    case 31:
    case 32:
    case 33:
    case 34: return {static_cast<std::uint16_t>(kScanF1 + 6 + number - 31), kShiftPressed};  // F7-F10
    default: return {};
  }
}

// Keys of the numeric keypad in application mode: ESC O p is keypad 0.
std::optional<InputRecord> KeypadKey(std::uint8_t final, std::uint32_t controlKeys) {
  if (final >= 'p' && final <= 'y') {
    int digit = final - 'p';
    return Key(kScanKeypadDigits[digit], static_cast<std::uint8_t>('0' + digit), controlKeys);
  }
  switch (final) {
    case 'M': return EnterKey(controlKeys);
    case 'j': return Key(kScanKeypadMultiply, '*', controlKeys);
    case 'k': return Key(kScanKeypadPlus, '+', controlKeys);
    case 'm': return Key(kScanKeypadMinus, '-', controlKeys);
    case 'n': return Key(kScanDelete, '.', controlKeys);
    case 'o': return Key(kScanKeypadDivide, '/', controlKeys);
    default: return std::nullopt;
  }
}

// The character that Shift types on the key of `character` (US layout):
// '1' -> '!', '[' -> '{'. Letters and characters without a shifted form come back as they are.
std::uint8_t ShiftedCharacter(std::uint8_t character) {
  static const std::array<std::uint8_t, 128> shifted = [] {
    std::array<std::uint8_t, 128> table{};
    for (int c = 0; c < 128; ++c) table[c] = static_cast<std::uint8_t>(c);
    for (int c = 0x20; c < 0x7F; ++c) {
      UsKey key = UsKeyForAscii(static_cast<std::uint8_t>(c));
      if (!key.shift) continue;
      for (int base = 0x20; base < 0x7F; ++base) {
        UsKey baseKey = UsKeyForAscii(static_cast<std::uint8_t>(base));
        if (!baseKey.shift && baseKey.scanCode == key.scanCode) table[base] = static_cast<std::uint8_t>(c);
      }
    }
    return table;
  }();
  return character < shifted.size() ? shifted[character] : character;
}

// kitty's numbers for keys that have no Unicode character.
constexpr int kKittyKeypadFirst = 57399;  // KP_0 .. KP_9, then the rest in this order:
constexpr std::array<std::uint8_t, 6> kKittyKeypadSigns = {'.', '/', '*', '-', '+', kCr};
constexpr int kKittyKeypadLeft = 57417;  // KP_LEFT .. KP_BEGIN:
constexpr std::array<std::uint16_t, 11> kKittyKeypadMoves = {kScanLeft,   kScanRight,    kScanUp,         kScanDown,
                                                             kScanPageUp, kScanPageDown, kScanHome,       kScanEnd,
                                                             kScanInsert, kScanDelete,   kScanKeypadBegin};

// A key reported by its Unicode code point (kitty's ESC [ code u, xterm's
// ESC [ 27 ; mods ; code ~), with the modifiers that a console would show.
// `shiftedCode` is the character that the terminal says Shift typed, or -1.
std::optional<InputRecord> CodePointKey(int code, int shiftedCode, std::uint32_t controlKeys) {
  switch (code) {
    case kCr: return EnterKey(controlKeys);
    case kTab: return TabKey(controlKeys);
    case kEsc: return EscKey(controlKeys);
    case kBackspace:
    case kDel: return BackspaceKey(controlKeys);
    default: break;
  }
  if (code >= kKittyKeypadFirst && code < kKittyKeypadFirst + 10) {
    int digit = code - kKittyKeypadFirst;
    return Key(kScanKeypadDigits[digit], static_cast<std::uint8_t>('0' + digit), controlKeys);
  }
  if (code >= kKittyKeypadFirst + 10 && code < kKittyKeypadFirst + 10 + static_cast<int>(kKittyKeypadSigns.size())) {
    std::uint8_t sign = kKittyKeypadSigns[code - kKittyKeypadFirst - 10];
    if (sign == kCr) return EnterKey(controlKeys);
    constexpr std::array<std::uint16_t, 5> kSignScanCodes = {kScanDelete, kScanKeypadDivide, kScanKeypadMultiply,
                                                             kScanKeypadMinus, kScanKeypadPlus};
    return Key(kSignScanCodes[code - kKittyKeypadFirst - 10], sign, controlKeys);
  }
  if (code >= kKittyKeypadLeft && code < kKittyKeypadLeft + static_cast<int>(kKittyKeypadMoves.size())) {
    return Key(kKittyKeypadMoves[code - kKittyKeypadLeft], 0, controlKeys);
  }
  bool shift = (controlKeys & kShiftPressed) != 0;
  if (code >= 0x80) {
    // A key of another layout: the terminal may name what Shift typed on it.
    int shown = shift && shiftedCode >= 0x80 ? shiftedCode : code;
    int byte = Cp437FromCodePoint(static_cast<char32_t>(shown));
    if (byte < 0) return std::nullopt;
    return Key(0, static_cast<std::uint8_t>(byte), controlKeys);
  }
  if (code < 0x20 || code == kDel) return std::nullopt;

  // Printable ASCII: the terminal names the key by its unshifted character.
  std::uint8_t character = static_cast<std::uint8_t>(code);
  bool letter = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
  if (letter) {
    character |= 0x20;  // lower case
    if (shift != ((controlKeys & kCapsLockOn) != 0)) character &= ~0x20;
  } else if (shift) {
    character = (shiftedCode >= 0x20 && shiftedCode < kDel) ? static_cast<std::uint8_t>(shiftedCode)
                                                            : ShiftedCharacter(character);
  }
  // The terminal reports the real Shift state: with Caps Lock, 'A' comes
  // without Shift.
  InputRecord key = Key(UsKeyForAscii(character).scanCode, character, controlKeys);
  if (controlKeys & kLeftCtrlPressed) {
    // Ctrl turns letters and @ [ \ ] ^ _ into their control codes; other
    // keys type nothing with Ctrl except the space bar.
    std::uint8_t upper = letter ? static_cast<std::uint8_t>(character & ~0x20) : character;
    if (upper >= '@' && upper <= '_') {
      key.character = upper ^ kControlBit;
    } else if (character != ' ') {
      key.character = 0;
    }
  }
  return key;
}

SequenceMeaning KeyMeaning(std::optional<InputRecord> key) {
  if (!key) return {};
  return {SequenceMeaning::kKey, *key};
}

// ESC [ [ A .. ESC [ [ E: the Linux console's F1-F5.
SequenceMeaning LinuxFunctionKey(std::string_view parameters, std::uint8_t final) {
  if (!parameters.empty() || final < 'A' || final > 'E') return {};
  return KeyMeaning(Key(static_cast<std::uint16_t>(kScanF1 + final - 'A'), 0, 0));
}

// ESC O final, with old xterm's optional modifier: ESC O 5 P or ESC O 1 ; 5 P.
SequenceMeaning Ss3Key(std::string_view text, std::uint8_t final) {
  std::optional<Parameters> parameters = ParseParameters(text);
  if (!parameters || parameters->count > 2) return {};
  int modifierField = parameters->count == 2 ? 1 : 0;
  if (parameters->count == 2 && parameters->Get(0) > 1) return {};
  if (!parameters->Plain(0)) return {};
  std::optional<std::uint32_t> controlKeys = PressModifiers(*parameters, modifierField);
  if (!controlKeys) return {};
  if (std::uint16_t scanCode = LetterKeyScanCode(final)) return KeyMeaning(Key(scanCode, 0, *controlKeys));
  return KeyMeaning(KeypadKey(final, *controlKeys));
}

// ESC [ parameters final.
SequenceMeaning CsiKey(std::string_view text, std::uint8_t final) {
  std::optional<Parameters> parameters = ParseParameters(text);
  if (!parameters) return {};
  const Parameters& p = *parameters;

  // X10 mouse report: ESC [ M and three raw bytes.
  if (final == 'M' && text.empty()) return {SequenceMeaning::kMouse, {}};

  if (std::uint16_t scanCode = LetterKeyScanCode(final)) {
    // ESC [ A, ESC [ 1 ; 5 A. A first number other than 1 makes it a
    // report (ESC [ 12 ; 40 R is a cursor position), not a key.
    if (p.count > 2 || p.Get(0) > 1 || !p.Plain(0)) return {};
    std::optional<std::uint32_t> controlKeys = PressModifiers(p, 1);
    if (!controlKeys) return {};
    return KeyMeaning(Key(scanCode, 0, *controlKeys));
  }
  if (final == 'Z') {  // Shift+Tab
    if (p.count > 2 || p.Get(0) > 1 || !p.Plain(0)) return {};
    std::optional<std::uint32_t> controlKeys = PressModifiers(p, 1);
    if (!controlKeys) return {};
    return KeyMeaning(TabKey(*controlKeys | kShiftPressed));
  }
  if (final == '~') {
    int number = p.Get(0);
    if (number == kPasteStartNumber && p.count == 1 && p.Plain(0)) return {SequenceMeaning::kPasteStart, {}};
    // xterm's modifyOtherKeys: ESC [ 27 ; modifiers ; code ~
    constexpr int kModifyOtherKeys = 27;
    if (number == kModifyOtherKeys && p.count == 3 && p.Plain(0) && p.Plain(1) && p.Plain(2)) {
      std::optional<std::uint32_t> controlKeys = ModifierKeys(p.Get(1));
      if (!controlKeys || p.Get(2) < 0) return {};
      return KeyMeaning(CodePointKey(p.Get(2), -1, *controlKeys));
    }
    if (p.count > 2 || !p.Plain(0)) return {};
    NumberedKey key = NumberedKeyFor(number);
    if (key.scanCode == 0) return {};
    std::optional<std::uint32_t> controlKeys = PressModifiers(p, 1);
    if (!controlKeys) return {};
    return KeyMeaning(Key(key.scanCode, 0, *controlKeys | key.controlKeys));
  }
  if (final == 'u') {
    // kitty: ESC [ code[:shifted[:base]] [; modifiers[:event] [; text]] u
    int code = p.Get(0);
    if (code < 0 || p.count > 3) return {};
    std::optional<std::uint32_t> controlKeys = PressModifiers(p, 1);
    if (!controlKeys) return {};
    return KeyMeaning(CodePointKey(code, p.Get(0, 1), *controlKeys));
  }
  return {};
}

}  // namespace

SequenceMeaning DecodeSequence(std::uint8_t introducer, std::string_view text, std::uint8_t finalByte) {
  if (introducer == 'O') return Ss3Key(text, finalByte);
  if (!text.empty() && text.front() == '[') {
    text.remove_prefix(1);
    return LinuxFunctionKey(text, finalByte);
  }
  return CsiKey(text, finalByte);
}

}  // namespace console::key_decoding

// The console's key records, as the Windows console delivers them, through
// the record conversion and the key operations: every modifier, alone and
// with Caps Lock, on the kinds of keys the key results tell apart.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/windows/console_records.h"
#include "tests/support/memory_console.h"

namespace console {
namespace {

// Control-key state bits the console sets that the key operations do not read.
constexpr std::uint32_t kNumLockOn = 0x0020;
constexpr std::uint32_t kScrollLockOn = 0x0040;
constexpr std::uint32_t kEnhancedKey = 0x0100;

constexpr std::uint32_t kLeftAlt = kLeftAltPressed;
constexpr std::uint32_t kRightAlt = kRightAltPressed;
constexpr std::uint32_t kLeftCtrl = kLeftCtrlPressed;
constexpr std::uint32_t kRightCtrl = kRightCtrlPressed;
constexpr std::uint32_t kShift = kShiftPressed;
constexpr std::uint32_t kCaps = kCapsLockOn;
// AltGr, as the console reports it: right Alt with left Ctrl.
constexpr std::uint32_t kAltGr = kRightAltPressed | kLeftCtrlPressed;

ConsoleInputEvent KeyDown(std::uint16_t virtualKey, std::uint16_t scanCode, std::uint8_t character,
                          std::uint32_t controlKeys) {
  ConsoleInputEvent event;
  event.keyDown = true;
  event.virtualKeyCode = virtualKey;
  event.scanCode = scanCode;
  event.character = character;
  event.controlKeyState = controlKeys;
  return event;
}

std::string Scan(std::uint8_t scanCode) { return std::string{'\0', static_cast<char>(scanCode)}; }

struct KeyRow {
  const char* name;
  ConsoleInputEvent event;  // as the US-layout console reports it
  std::string expected;     // PollKey's text
};

class KeyRecords : public ::testing::Test {
 protected:
  std::string Poll(const ConsoleInputEvent& event) {
    screen_.Push(ToInputRecord(event));
    const std::string result = console_.PollKey();
    InputRecord discarded;
    while (screen_.ReadInput(discarded)) {
    }
    return result;
  }
  MemoryConsole screen_{80, 25, 200, 100};
  Console console_{screen_};
};

TEST_F(KeyRecords, EveryModifierWithAndWithoutCapsLock) {
  const KeyRow rows[] = {
      // The A key (virtual key 0x41, scan code 30): a letter of an Alt row.
      {"a", KeyDown(0x41, 30, 'a', 0), "a"},
      {"a caps", KeyDown(0x41, 30, 'A', kCaps), "A"},
      {"a shift", KeyDown(0x41, 30, 'A', kShift), "A"},
      {"a shift caps", KeyDown(0x41, 30, 'a', kShift | kCaps), "a"},
      {"a left ctrl", KeyDown(0x41, 30, 1, kLeftCtrl), "\x01"},
      {"a right ctrl caps", KeyDown(0x41, 30, 1, kRightCtrl | kCaps), "\x01"},
      {"a left alt", KeyDown(0x41, 30, 'a', kLeftAlt), Scan(30)},
      {"a left alt caps", KeyDown(0x41, 30, 'A', kLeftAlt | kCaps), Scan(30)},
      {"a right alt shift", KeyDown(0x41, 30, 'A', kRightAlt | kShift), Scan(30)},
      {"q altgr", KeyDown(0x51, 16, '@', kAltGr), Scan(16)},
      {"m altgr caps", KeyDown(0x4D, 50, 'm', kAltGr | kCaps), Scan(50)},
      // The 1 key (scan code 2): a ShiftPairTable key.
      {"1", KeyDown(0x31, 2, '1', 0), "1"},
      {"1 shift", KeyDown(0x31, 2, '!', kShift), "!"},
      {"1 caps", KeyDown(0x31, 2, '1', kCaps), "1"},
      {"1 caps as shifted", KeyDown(0x31, 2, '!', kCaps), "1"},
      {"1 shift caps", KeyDown(0x31, 2, '!', kShift | kCaps), "!"},
      {"1 shift caps as unshifted", KeyDown(0x31, 2, '1', kShift | kCaps), "!"},
      {"1 left alt", KeyDown(0x31, 2, '1', kLeftAlt), "1"},
      {"1 left alt caps", KeyDown(0x31, 2, '!', kLeftAlt | kCaps), "1"},
      {"1 ctrl caps other character", KeyDown(0x31, 2, 'x', kLeftCtrl | kCaps), "x"},
      // The / key (scan code 53) and the \ key (43), the last pairs of the table.
      {"slash caps as shifted", KeyDown(0xBF, 53, '?', kCaps), "/"},
      {"slash shift caps", KeyDown(0xBF, 53, '/', kShift | kCaps), "?"},
      {"backslash caps as shifted", KeyDown(0xDC, 43, '|', kCaps), "\\"},
      {"backslash right alt shift caps", KeyDown(0xDC, 43, '\\', kRightAlt | kShift | kCaps), "|"},
      // Esc (scan code 1): 27 from a Windows console; some consoles give none.
      {"esc", KeyDown(0x1B, 1, 27, 0), "\x1b"},
      {"esc caps", KeyDown(0x1B, 1, 27, kCaps), "\x1b"},
      {"esc without character", KeyDown(0x1B, 1, 0, 0), std::string(1, '\0')},
      {"esc without character caps", KeyDown(0x1B, 1, 0, kCaps), "\x1b"},
      {"esc without character shift caps", KeyDown(0x1B, 1, 0, kShift | kCaps), "\x1b"},
      // Keys without a character: their scan code, whatever is held.
      {"f1", KeyDown(0x70, 59, 0, 0), Scan(59)},
      {"f1 every modifier caps", KeyDown(0x70, 59, 0, kLeftAlt | kRightAlt | kLeftCtrl | kRightCtrl | kShift | kCaps),
       Scan(59)},
      {"up enhanced", KeyDown(0x26, 72, 0, kEnhancedKey), Scan(72)},
      {"delete enhanced num lock", KeyDown(0x2E, 83, 0, kEnhancedKey | kNumLockOn), Scan(83)},
      // Enter, Backspace, Tab and Ctrl+C keep their characters.
      {"enter", KeyDown(0x0D, 28, 13, 0), "\r"},
      {"enter caps shift", KeyDown(0x0D, 28, 13, kShift | kCaps), "\r"},
      {"backspace", KeyDown(0x08, 14, 8, 0), "\b"},
      {"tab shift", KeyDown(0x09, 15, 9, kShift), "\t"},
      {"ctrl+c", KeyDown(0x43, 46, 3, kLeftCtrl), "\x03"},
      {"ctrl+c right ctrl caps scroll lock", KeyDown(0x43, 46, 3, kRightCtrl | kCaps | kScrollLockOn), "\x03"},
      // A character above 127 (code page 437) passes as it is.
      {"e acute", KeyDown(0xDE, 40, 0x82, 0), "\x82"},
  };
  for (const KeyRow& row : rows) EXPECT_EQ(Poll(row.event), row.expected) << row.name;
}

TEST_F(KeyRecords, LoneModifiersAndLockKeysYieldNothingInAnyState) {
  struct Lone {
    const char* name;
    std::uint16_t virtualKey;
    std::uint16_t scanCode;
  };
  const Lone keys[] = {{"ctrl", 0x11, 29},      {"left shift", 0x10, 42}, {"right shift", 0x10, 54}, {"alt", 0x12, 56},
                       {"caps lock", 0x14, 58}, {"num lock", 0x90, 69},   {"scroll lock", 0x91, 70}};
  const std::uint32_t states[] = {0,
                                  kCaps,
                                  kShift,
                                  kShift | kCaps,
                                  kLeftCtrl,
                                  kRightCtrl | kEnhancedKey,
                                  kLeftAlt | kCaps,
                                  kAltGr,
                                  kNumLockOn | kScrollLockOn};
  for (const Lone& key : keys) {
    for (const std::uint32_t state : states) {
      screen_.Push(ToInputRecord(KeyDown(key.virtualKey, key.scanCode, 0, state)));
      EXPECT_EQ(console_.PollKey(), "") << key.name << " state " << state;
      EXPECT_EQ(screen_.PendingInput(), 0u) << key.name << " state " << state;
    }
  }
}

TEST_F(KeyRecords, ReleasesAndOtherEventsAreSkipped) {
  ConsoleInputEvent release = KeyDown(0x41, 30, 'a', 0);
  release.keyDown = false;
  screen_.Push(ToInputRecord(release));
  for (const std::uint16_t type :
       {kConsoleMouseEvent, kConsoleBufferSizeEvent, kConsoleMenuEvent, kConsoleFocusEvent, std::uint16_t{0x40}}) {
    ConsoleInputEvent other;
    other.eventType = type;
    // Whatever a non-key event's other fields hold, it is no key.
    other.keyDown = true;
    other.character = 'z';
    screen_.Push(ToInputRecord(other));
  }
  EXPECT_EQ(console_.PollKey(), "");
  EXPECT_EQ(screen_.PendingInput(), 0u);
}

TEST_F(KeyRecords, ARepeatedKeyDownYieldsOneResult) {
  ConsoleInputEvent held = KeyDown(0x42, 48, 'b', 0);
  held.repeatCount = 5;
  screen_.Push(ToInputRecord(held));
  EXPECT_EQ(console_.PollKey(), "b");
  EXPECT_EQ(console_.PollKey(), "");
}

TEST(ConsoleRecords, OnlyTheKeyStateBitsThatAreReadPassThrough) {
  const InputRecord record =
      ToInputRecord(KeyDown(0x41, 30, 'A', kShift | kCaps | kNumLockOn | kScrollLockOn | kEnhancedKey));
  EXPECT_EQ(record.kind, InputKind::kKey);
  EXPECT_TRUE(record.keyDown);
  EXPECT_EQ(record.scanCode, 30);
  EXPECT_EQ(record.character, 'A');
  EXPECT_EQ(record.controlKeys, kShift | kCaps);
}

TEST(ConsoleRecords, AttributesKeepTheirColourBitsOnly) {
  // Background * 16 + foreground, the console's bit order on both sides.
  for (int attribute = 0; attribute < 256; ++attribute) {
    const auto byte = static_cast<std::uint8_t>(attribute);
    EXPECT_EQ(ConsoleAttributeWord(byte), attribute);
    EXPECT_EQ(CellAttribute(ConsoleAttributeWord(byte)), byte);
  }
  // Grid lines, reverse video and underscore (bits 10-15) are no colour.
  EXPECT_EQ(CellAttribute(0xFC1E), 0x1E);
}

}  // namespace
}  // namespace console

// The terminal key decoder: bytes in, key-down records out.
//
// Every table row is checked three ways: the bytes fed whole, one byte at a
// time, and split in two at every position; the result must be the same,
// because a terminal's bytes may arrive in any pieces.

#include "console/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "console/cp437.h"
#include "console/platform.h"
#include "tests/support/key_down.h"

namespace console {
namespace {

using namespace std::string_literals;

constexpr std::uint32_t kShift = kShiftPressed;
constexpr std::uint32_t kCtrl = kLeftCtrlPressed;
constexpr std::uint32_t kAlt = kLeftAltPressed;
constexpr std::uint32_t kCaps = kCapsLockOn;

const std::string kEsc = "\x1b";
const std::string kCsi = "\x1b[";
const std::string kSs3 = "\x1bO";

using testkeys::Key;

// Keys without a character, with the scan codes of a PC keyboard.
InputRecord Up(std::uint32_t keys = 0) { return Key(72, 0, keys); }
InputRecord Down(std::uint32_t keys = 0) { return Key(80, 0, keys); }
InputRecord Right(std::uint32_t keys = 0) { return Key(77, 0, keys); }
InputRecord Left(std::uint32_t keys = 0) { return Key(75, 0, keys); }
InputRecord Home(std::uint32_t keys = 0) { return Key(71, 0, keys); }
InputRecord End(std::uint32_t keys = 0) { return Key(79, 0, keys); }
InputRecord PageUp(std::uint32_t keys = 0) { return Key(73, 0, keys); }
InputRecord PageDown(std::uint32_t keys = 0) { return Key(81, 0, keys); }
InputRecord Insert(std::uint32_t keys = 0) { return Key(82, 0, keys); }
InputRecord Delete(std::uint32_t keys = 0) { return Key(83, 0, keys); }
InputRecord F(int number, std::uint32_t keys = 0) {
  static constexpr std::uint16_t kScan[13] = {0, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 87, 88};
  return Key(kScan[number], 0, keys);
}
InputRecord Enter(std::uint32_t keys = 0) { return Key(28, 13, keys); }
InputRecord Tab(std::uint32_t keys = 0) { return Key(15, 9, keys); }
InputRecord Backspace(std::uint32_t keys = 0) { return Key(14, 8, keys); }
InputRecord Esc(std::uint32_t keys = 0) { return Key(1, 27, keys); }
// A character typed by a key that has no place on the US keyboard.
InputRecord Typed(std::uint8_t character, std::uint32_t keys = 0) { return Key(0, character, keys); }

std::string Describe(const std::vector<InputRecord>& records) {
  std::string text;
  for (const InputRecord& r : records) {
    char item[96];
    std::snprintf(item, sizeof item, "{kind %d down %d scan %u char 0x%02X keys 0x%X} ", static_cast<int>(r.kind),
                  r.keyDown ? 1 : 0, r.scanCode, r.character, r.controlKeys);
    text += item;
  }
  return text.empty() ? "(none)" : text;
}

std::string Printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    char item[8];
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      std::snprintf(item, sizeof item, "\\x%02X", c);
      text += item;
    }
  }
  return text;
}

// Feeds `bytes` in pieces that end at `cuts`, then idles past the timeout.
struct Outcome {
  std::vector<InputRecord> records;
  bool heldAfterFeed = false;
  bool heldAfterIdle = false;
};

Outcome Decode(const std::string& bytes, const std::vector<std::size_t>& cuts, std::uint8_t eraseByte) {
  KeyDecoder decoder(eraseByte);
  Outcome outcome;
  std::size_t start = 0;
  for (std::size_t cut : cuts) {
    decoder.Feed(std::string_view(bytes).substr(start, cut - start), outcome.records);
    start = cut;
  }
  decoder.Feed(std::string_view(bytes).substr(start), outcome.records);
  outcome.heldAfterFeed = decoder.Pending();
  decoder.Expire(kEscTimeoutMs, kEscTimeoutMs, outcome.records);
  outcome.heldAfterIdle = decoder.Pending();
  return outcome;
}

struct Row {
  std::string bytes;
  std::vector<InputRecord> expected;  // after the bytes and an idle past the timeout
  bool heldAfterFeed = false;         // something waits for the timeout
};

void CheckRows(const std::vector<Row>& rows, std::uint8_t eraseByte = 127) {
  for (const Row& row : rows) {
    SCOPED_TRACE("bytes: " + Printable(row.bytes));
    std::vector<std::vector<std::size_t>> splits = {{}};
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < row.bytes.size(); ++i) {
      everyByte.push_back(i);
      splits.push_back({i});
    }
    splits.push_back(everyByte);
    for (const auto& cuts : splits) {
      Outcome outcome = Decode(row.bytes, cuts, eraseByte);
      std::string how = cuts.empty()      ? "whole"
                        : cuts.size() > 1 ? "byte by byte"
                                          : "split at " + std::to_string(cuts[0]);
      EXPECT_EQ(Describe(outcome.records), Describe(row.expected)) << how;
      EXPECT_EQ(outcome.heldAfterFeed, row.heldAfterFeed) << how;
      EXPECT_FALSE(outcome.heldAfterIdle) << how;
    }
  }
}

std::string Paste(const std::string& text) { return kCsi + "200~" + text + kCsi + "201~"; }

// --- Printable ASCII -------------------------------------------------------

TEST(KeyDecoderPrintable, UsKeyboardScanCodesAndShift) {
  CheckRows({
      {"a", {Key(30, 'a')}},
      {"A", {Key(30, 'A', kShift)}},
      {"q", {Key(16, 'q')}},
      {"p", {Key(25, 'p')}},
      {"z", {Key(44, 'z')}},
      {"M", {Key(50, 'M', kShift)}},
      {"1", {Key(2, '1')}},
      {"!", {Key(2, '!', kShift)}},
      {"@", {Key(3, '@', kShift)}},
      {"0", {Key(11, '0')}},
      {")", {Key(11, ')', kShift)}},
      {"-", {Key(12, '-')}},
      {"_", {Key(12, '_', kShift)}},
      {"=", {Key(13, '=')}},
      {"+", {Key(13, '+', kShift)}},
      {"[", {Key(26, '[')}},
      {"{", {Key(26, '{', kShift)}},
      {"]", {Key(27, ']')}},
      {"}", {Key(27, '}', kShift)}},
      {";", {Key(39, ';')}},
      {":", {Key(39, ':', kShift)}},
      {"'", {Key(40, '\'')}},
      {"\"", {Key(40, '"', kShift)}},
      {"`", {Key(41, '`')}},
      {"~", {Key(41, '~', kShift)}},
      {"\\", {Key(43, '\\')}},
      {"|", {Key(43, '|', kShift)}},
      {",", {Key(51, ',')}},
      {"<", {Key(51, '<', kShift)}},
      {".", {Key(52, '.')}},
      {">", {Key(52, '>', kShift)}},
      {"/", {Key(53, '/')}},
      {"?", {Key(53, '?', kShift)}},
      {" ", {Key(57, ' ')}},
      {"3.5e-2", {Key(4, '3'), Key(52, '.'), Key(6, '5'), Key(18, 'e'), Key(12, '-'), Key(3, '2')}},
  });
}

TEST(KeyDecoderPrintable, EveryPrintableByteIsOneKeyOfItsOwn) {
  for (int c = 0x20; c < 0x7F; ++c) {
    SCOPED_TRACE(c);
    KeyDecoder decoder;
    std::vector<InputRecord> out;
    decoder.Feed(std::string(1, static_cast<char>(c)), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].character, c);
    EXPECT_NE(out[0].scanCode, 0);
    EXPECT_EQ(out[0].controlKeys & ~kShift, 0u);
    EXPECT_FALSE(decoder.Pending());
  }
}

// --- Control keys ----------------------------------------------------------

TEST(KeyDecoderControl, EnterTabBackspaceAndCtrlLetters) {
  CheckRows({
      {"\r", {Enter()}},
      {"\n", {Key(36, 10, kCtrl)}},  // Ctrl+J: Enter sends CR in raw mode
      {"\t", {Tab()}},
      {"\x7f", {Backspace()}},
      {"\b", {Backspace()}},
      {"\x01", {Key(30, 1, kCtrl)}},
      {"\x03", {Key(46, 3, kCtrl)}},            // Ctrl+C is a key like any other
      {"\x11", {Key(16, 17, kCtrl)}},           // Ctrl+Q
      {"\x13", {Key(31, 19, kCtrl)}},           // Ctrl+S
      {"\x18", {Key(45, 24, kCtrl)}},           // Ctrl+X
      {"\x1a", {Key(44, 26, kCtrl)}},           // Ctrl+Z
      {"\x0c", {Key(38, 12, kCtrl)}},           // Ctrl+L
      {"\x00"s, {Key(3, 0, kCtrl | kShift)}},   // Ctrl+@ (Ctrl+Shift+2, also Ctrl+Space)
      {"\x1c", {Key(43, 28, kCtrl)}},           // Ctrl+Backslash
      {"\x1d", {Key(27, 29, kCtrl)}},           // Ctrl+]
      {"\x1e", {Key(7, 30, kCtrl | kShift)}},   // Ctrl+^
      {"\x1f", {Key(12, 31, kCtrl | kShift)}},  // Ctrl+_
      {"12\x7f\r", {Key(2, '1'), Key(3, '2'), Backspace(), Enter()}},
  });
}

TEST(KeyDecoderControl, EraseByteFromTheTerminalSettings) {
  // Whatever the erase setting, DEL and BS stay Backspace.
  CheckRows({{"\x7f", {Backspace()}}, {"\b", {Backspace()}}}, 8);
  CheckRows({{"#", {Backspace()}}, {"\x7f", {Backspace()}}, {"a", {Key(30, 'a')}}}, '#');
  // 0 disables the erase character: NUL stays Ctrl+@.
  CheckRows({{"\x00"s, {Key(3, 0, kCtrl | kShift)}}, {"\x7f", {Backspace()}}}, 0);
  // An erase setting cannot take away Enter or the Esc key.
  CheckRows({{"\r", {Enter()}}}, '\r');
  CheckRows({{kEsc, {Esc()}, true}, {kCsi + "A", {Up()}}}, 0x1b);
}

// --- Cursor and function keys ---------------------------------------------

TEST(KeyDecoderKeys, XtermCsiAndSs3) {
  CheckRows({
      {kCsi + "A", {Up()}},
      {kCsi + "B", {Down()}},
      {kCsi + "C", {Right()}},
      {kCsi + "D", {Left()}},
      {kCsi + "H", {Home()}},
      {kCsi + "F", {End()}},
      {kCsi + "E", {Key(76, 0)}},  // keypad 5 without Num Lock
      {kSs3 + "A", {Up()}},        // cursor keys in application mode
      {kSs3 + "B", {Down()}},
      {kSs3 + "C", {Right()}},
      {kSs3 + "D", {Left()}},
      {kSs3 + "H", {Home()}},
      {kSs3 + "F", {End()}},
      {kSs3 + "P", {F(1)}},
      {kSs3 + "Q", {F(2)}},
      {kSs3 + "R", {F(3)}},
      {kSs3 + "S", {F(4)}},
      {kCsi + "A" + kCsi + "B" + "x", {Up(), Down(), Key(45, 'x')}},
  });
}

TEST(KeyDecoderKeys, Vt220NumberedKeys) {
  CheckRows({
      {kCsi + "1~", {Home()}},  // Linux console, tmux, screen
      {kCsi + "2~", {Insert()}},   {kCsi + "3~", {Delete()}}, {kCsi + "4~", {End()}},  {kCsi + "5~", {PageUp()}},
      {kCsi + "6~", {PageDown()}}, {kCsi + "7~", {Home()}},  // rxvt
      {kCsi + "8~", {End()}},      {kCsi + "11~", {F(1)}},    {kCsi + "12~", {F(2)}},  {kCsi + "13~", {F(3)}},
      {kCsi + "14~", {F(4)}},      {kCsi + "15~", {F(5)}},    {kCsi + "17~", {F(6)}},  {kCsi + "18~", {F(7)}},
      {kCsi + "19~", {F(8)}},      {kCsi + "20~", {F(9)}},    {kCsi + "21~", {F(10)}}, {kCsi + "23~", {F(11)}},
      {kCsi + "24~", {F(12)}},
  });
}

TEST(KeyDecoderKeys, LinuxConsole) {
  CheckRows({
      {kCsi + "[A", {F(1)}},
      {kCsi + "[B", {F(2)}},
      {kCsi + "[C", {F(3)}},
      {kCsi + "[D", {F(4)}},
      {kCsi + "[E", {F(5)}},
      // Shift+F3 .. Shift+F10 arrive as F13 .. F20.
      {kCsi + "25~", {F(3, kShift)}},
      {kCsi + "26~", {F(4, kShift)}},
      {kCsi + "28~", {F(5, kShift)}},
      {kCsi + "29~", {F(6, kShift)}},
      {kCsi + "31~", {F(7, kShift)}},
      {kCsi + "32~", {F(8, kShift)}},
      {kCsi + "33~", {F(9, kShift)}},
      {kCsi + "34~", {F(10, kShift)}},
  });
}

TEST(KeyDecoderKeys, KeypadInApplicationMode) {
  CheckRows({
      {kSs3 + "p", {Key(82, '0')}},
      {kSs3 + "q", {Key(79, '1')}},
      {kSs3 + "r", {Key(80, '2')}},
      {kSs3 + "s", {Key(81, '3')}},
      {kSs3 + "t", {Key(75, '4')}},
      {kSs3 + "u", {Key(76, '5')}},
      {kSs3 + "v", {Key(77, '6')}},
      {kSs3 + "w", {Key(71, '7')}},
      {kSs3 + "x", {Key(72, '8')}},
      {kSs3 + "y", {Key(73, '9')}},
      {kSs3 + "n", {Key(83, '.')}},
      {kSs3 + "j", {Key(55, '*')}},
      {kSs3 + "k", {Key(78, '+')}},
      {kSs3 + "m", {Key(74, '-')}},
      {kSs3 + "o", {Key(53, '/')}},
      {kSs3 + "M", {Enter()}},
  });
}

TEST(KeyDecoderKeys, ModifierParameters) {
  CheckRows({
      {kCsi + "1;1A", {Up()}},
      {kCsi + "1;2A", {Up(kShift)}},
      {kCsi + "1;3A", {Up(kAlt)}},
      {kCsi + "1;4A", {Up(kShift | kAlt)}},
      {kCsi + "1;5A", {Up(kCtrl)}},
      {kCsi + "1;6A", {Up(kCtrl | kShift)}},
      {kCsi + "1;7A", {Up(kCtrl | kAlt)}},
      {kCsi + "1;8A", {Up(kCtrl | kAlt | kShift)}},
      {kCsi + "1;9A", {Up()}},  // Meta has no control-key bit
      {kCsi + ";5D", {Left(kCtrl)}},
      {kCsi + "1;5H", {Home(kCtrl)}},
      {kCsi + "1;2F", {End(kShift)}},
      {kCsi + "3;5~", {Delete(kCtrl)}},
      {kCsi + "2;3~", {Insert(kAlt)}},
      {kCsi + "5;2~", {PageUp(kShift)}},
      {kCsi + "6;5~", {PageDown(kCtrl)}},
      {kCsi + "1;2P", {F(1, kShift)}},
      {kCsi + "1;5S", {F(4, kCtrl)}},
      {kCsi + "15;5~", {F(5, kCtrl)}},
      {kCsi + "24;7~", {F(12, kCtrl | kAlt)}},
      {kCsi + "25;5~", {F(3, kShift | kCtrl)}},
      {kSs3 + "5P", {F(1, kCtrl)}},  // old xterm
      {kSs3 + "1;2Q", {F(2, kShift)}},
      {kSs3 + "2p", {Key(82, '0', kShift)}},
      {kCsi + "Z", {Tab(kShift)}},
      {kCsi + "1;5Z", {Tab(kShift | kCtrl)}},
      // kitty: Caps Lock in the modifiers, event types press and repeat
      {kCsi + "1;65A", {Up(kCaps)}},
      {kCsi + "1;5:1A", {Up(kCtrl)}},
      {kCsi + "1;5:2A", {Up(kCtrl)}},
      {kCsi + "3;1:2~", {Delete()}},
  });
}

TEST(KeyDecoderKeys, InvalidModifiersAndReleasesGiveNoKey) {
  CheckRows({
      {kCsi + "1;0A", {}},
      {kCsi + "1;257A", {}},
      {kCsi + "1;5:3A", {}},  // kitty key release
      {kCsi + "1;5:4A", {}},
      {kCsi + "1;5:1:1A", {}},
      {kCsi + "3;0~", {}},
      {kSs3 + "0P", {}},
      {kSs3 + "2;5P", {}},
  });
}

// --- Alt as an ESC prefix --------------------------------------------------

TEST(KeyDecoderAlt, EscPrefixAddsAlt) {
  CheckRows({
      {kEsc + "a", {Key(30, 'a', kAlt)}},
      {kEsc + "A", {Key(30, 'A', kAlt | kShift)}},
      {kEsc + "1", {Key(2, '1', kAlt)}},
      {kEsc + " ", {Key(57, ' ', kAlt)}},
      {kEsc + "\r", {Enter(kAlt)}},
      {kEsc + "\t", {Tab(kAlt)}},
      {kEsc + "\x7f", {Backspace(kAlt)}},
      {kEsc + "\x01", {Key(30, 1, kCtrl | kAlt)}},
      {kEsc + "ab", {Key(30, 'a', kAlt), Key(48, 'b')}},
      {kEsc + "\xc3\xa9", {Typed(0x82, kAlt)}},
      {kEsc + "\xe2\x82\xac", {}},  // Alt+€: no code page 437 byte
  });
}

TEST(KeyDecoderAlt, EscEscIsTwoEscKeys) {
  CheckRows({
      {kEsc, {Esc()}, true},
      {kEsc + kEsc, {Esc(), Esc()}, true},
      {kEsc + kEsc + kEsc, {Esc(), Esc(), Esc()}, true},
      {kEsc + kEsc + "[A", {Esc(), Up()}},
      {kEsc + kEsc + "x", {Esc(), Key(45, 'x', kAlt)}},
  });
}

TEST(KeyDecoderAlt, LoneIntroducerAfterTheTimeoutIsAltWithThatKey) {
  CheckRows({
      {kEsc + "[", {Key(26, '[', kAlt)}, true},
      {kEsc + "O", {Key(24, 'O', kAlt | kShift)}, true},
      {kEsc + "]", {Key(27, ']', kAlt)}, true},
      {kEsc + "P", {Key(25, 'P', kAlt | kShift)}, true},
      {kEsc + "_", {Key(12, '_', kAlt | kShift)}, true},
      // with more bytes after the introducer it was a sequence, and is dropped
      {kEsc + "[1", {}, true},
      {kEsc + "]0;", {}, true},
      {kEsc + "[[", {}, true},
  });
}

// --- UTF-8 -----------------------------------------------------------------

TEST(KeyDecoderUtf8, CharactersOfTheCodePage) {
  CheckRows({
      {"\xc3\xa9", {Typed(0x82)}},      // é
      {"\xc3\x87", {Typed(0x80)}},      // Ç
      {"\xc2\xb5", {Typed(0xE6)}},      // µ
      {"\xce\xbc", {Typed(0xE6)}},      // Greek mu, typed for µ
      {"\xe2\x94\x82", {Typed(0xB3)}},  // │
      {"\xe2\x96\x88", {Typed(0xDB)}},  // █
      {"\xe2\x98\xba", {Typed(0x01)}},  // ☺, the picture of byte 1
      {"\xe2\x8c\x82", {Typed(0x7F)}},  // ⌂
      {"\xe2\x86\x90", {Typed(0x1B)}},  // ←, the picture of byte 27
      {"\xc2\xa0", {Typed(0xFF)}},      // no-break space
      {"a\xc3\xa9"
       "b",
       {Key(30, 'a'), Typed(0x82), Key(48, 'b')}},
      {"\xe2\x82\xac", {}},      // € has no byte
      {"\xf0\x9f\x98\x80", {}},  // emoji
      {"\xe2\x82\xac"
       "x",
       {Key(45, 'x')}},
  });
}

TEST(KeyDecoderUtf8, InvalidBytesAreDropped) {
  CheckRows({
      {"\x80", {}},  // continuation without a lead
      {"\xbf"
       "a",
       {Key(30, 'a')}},
      {"\xc3"
       "A",
       {Key(30, 'A', kShift)}},  // broken character, the next byte counts
      {"\xc0\x80", {}},          // over-long NUL
      {"\xc1\xbf", {}},
      {"\xe0\x80\x80", {}},  // over-long
      {"\xe0\x9f\xbf", {}},
      {"\xed\xa0\x80", {}},      // surrogate
      {"\xf0\x8f\xbf\xbf", {}},  // over-long
      {"\xf4\x90\x80\x80", {}},  // above U+10FFFF
      {"\xf5\x80\x80\x80", {}},
      {"\xfe\xff", {}},
      {"\xe2\x94", {}, true},  // cut short: dropped at the timeout
      {"\xe2\x94" + kCsi + "A", {Up()}},
      {"\xc3\r", {Enter()}},
  });
}

// --- Bracketed paste -------------------------------------------------------

TEST(KeyDecoderPaste, TextBecomesTypedCharacters) {
  CheckRows({
      {Paste("12.5"), {Key(2, '1'), Key(3, '2'), Key(52, '.'), Key(6, '5')}},
      {Paste(""), {}},
      {Paste("a b"), {Key(30, 'a'), Key(57, ' '), Key(48, 'b')}},
      {Paste("\xc3\xa9\xe2\x94\x82"), {Typed(0x82), Typed(0xB3)}},
      {Paste("\xe2\x82\xac"), {}},
      // pictures of control codes would arrive as Ctrl+A and Esc
      {Paste("\xe2\x98\xba\xe2\x86\x90"), {}},
      {Paste("\xe2\x8c\x82"), {Typed(0x7F)}},
      {Paste("a\tb"), {Key(30, 'a'), Tab(), Key(48, 'b')}},
  });
}

TEST(KeyDecoderPaste, EachLineEndIsOneEnter) {
  CheckRows({
      {Paste("a\rb"), {Key(30, 'a'), Enter(), Key(48, 'b')}},
      {Paste("a\nb"), {Key(30, 'a'), Enter(), Key(48, 'b')}},
      {Paste("a\r\nb"), {Key(30, 'a'), Enter(), Key(48, 'b')}},
      {Paste("a\n\rb"), {Key(30, 'a'), Enter(), Enter(), Key(48, 'b')}},
      {Paste("\r\r\n\n"), {Enter(), Enter(), Enter()}},
      {Paste("\r\n\r\n"), {Enter(), Enter()}},
      {Paste("1\r") + "\n", {Key(2, '1'), Enter(), Key(36, 10, kCtrl)}},  // the paste ended in between
  });
}

TEST(KeyDecoderPaste, NothingInsideAPasteActsAsAKey) {
  CheckRows({
      {Paste("x\x03\x1a\x7f\b\x00\x01y"s), {Key(45, 'x'), Key(21, 'y')}},
      {Paste(kCsi + "A"), {Key(26, '['), Key(30, 'A', kShift)}},
      {Paste(kEsc + "a"), {Key(30, 'a')}},
      {Paste(kSs3 + "P"), {Key(24, 'O', kShift), Key(25, 'P', kShift)}},
      {Paste(kEsc), {}},
      {Paste(kEsc + kEsc), {}},
      {Paste(kCsi + "200~"), {Key(26, '['), Key(3, '2'), Key(11, '0'), Key(11, '0'), Key(41, '~', kShift)}},
      // beginnings of the end marker that do not finish it are text
      {Paste(kCsi + "20"), {Key(26, '['), Key(3, '2'), Key(11, '0')}},
      {Paste(kCsi + "201"), {Key(26, '['), Key(3, '2'), Key(11, '0'), Key(2, '1')}},
      {Paste(kCsi + "202~"), {Key(26, '['), Key(3, '2'), Key(11, '0'), Key(3, '2'), Key(41, '~', kShift)}},
      // a broken character does not hide the end marker
      {Paste("\xc3") + "x", {Key(45, 'x')}},
  });
}

TEST(KeyDecoderPaste, KeysDecodeAgainAfterThePaste) {
  CheckRows({
      {Paste("a") + kCsi + "A", {Key(30, 'a'), Up()}},
      {Paste("a") + kEsc, {Key(30, 'a'), Esc()}, true},
      {Paste("a") + "\x03", {Key(30, 'a'), Key(46, 3, kCtrl)}},
      {Paste("a") + Paste("b"), {Key(30, 'a'), Key(48, 'b')}},
      {kCsi + "201~" + "x", {Key(45, 'x')}},  // an end marker outside a paste
  });
}

TEST(KeyDecoderPaste, TheErasePrintableStaysTextInAPaste) {
  CheckRows({{Paste("#"), {Key(4, '#', kShift)}}, {"#", {Backspace()}}}, '#');
}

TEST(KeyDecoderPaste, UnfinishedPasteStaysText) {
  CheckRows({
      {kCsi + "200~ab", {Key(30, 'a'), Key(48, 'b')}},
      {kCsi + "200~" + kCsi + "B", {Key(26, '['), Key(48, 'B', kShift)}},
      // the start of an end marker that stops: the ESC goes, the rest is text
      {kCsi + "200~a" + kCsi + "2", {Key(30, 'a'), Key(26, '['), Key(3, '2')}, true},
  });
  // The Esc timeout does not end a paste: it goes on after a short spell.
  KeyDecoder decoder;
  std::vector<InputRecord> out;
  decoder.Feed(kCsi + "200~a", out);
  decoder.Expire(kPasteTimeoutMs - 1, kEscTimeoutMs, out);
  decoder.ExpirePaste(kPasteTimeoutMs - 1, kPasteTimeoutMs, out);
  decoder.Feed(kEsc + "x" + kCsi + "201~" + kEsc + "x", out);
  EXPECT_EQ(Describe(out), Describe({Key(30, 'a'), Key(45, 'x'), Key(45, 'x', kAlt)}));
}

// Bytes, a silence of `idleMs` in which the waiting side expires what it may
// (first held bytes, then the paste), then more bytes.
struct PauseRow {
  std::string before;
  int idleMs;
  std::string after;
  std::vector<InputRecord> expected;  // after everything and a final Esc timeout
};

std::vector<InputRecord> DecodeAroundPause(const PauseRow& row, std::size_t cutBefore, std::size_t cutAfter) {
  KeyDecoder decoder;
  std::vector<InputRecord> out;
  decoder.Feed(std::string_view(row.before).substr(0, cutBefore), out);
  decoder.Feed(std::string_view(row.before).substr(cutBefore), out);
  decoder.Expire(row.idleMs, kEscTimeoutMs, out);
  decoder.ExpirePaste(row.idleMs, kPasteTimeoutMs, out);
  decoder.Feed(std::string_view(row.after).substr(0, cutAfter), out);
  decoder.Feed(std::string_view(row.after).substr(cutAfter), out);
  decoder.Expire(kEscTimeoutMs, kEscTimeoutMs, out);
  EXPECT_FALSE(decoder.Pending());
  return out;
}

// Every row is checked with both sides of the silence split at every position.
void CheckPauses(const std::vector<PauseRow>& rows) {
  for (const PauseRow& row : rows) {
    SCOPED_TRACE("before: " + Printable(row.before) + " idle " + std::to_string(row.idleMs) +
                 " after: " + Printable(row.after));
    for (std::size_t cutBefore = 0; cutBefore <= row.before.size(); ++cutBefore) {
      for (std::size_t cutAfter = 0; cutAfter <= row.after.size(); ++cutAfter) {
        EXPECT_EQ(Describe(DecodeAroundPause(row, cutBefore, cutAfter)), Describe(row.expected))
            << "split at " << cutBefore << " and " << cutAfter;
      }
    }
  }
}

TEST(KeyDecoderPaste, APasteWithoutItsEndEndsAfterTheTimeout) {
  const std::string keys = kCsi + "A" + "\x7f" + kSs3 + "P" + "1\r";
  CheckPauses({
      // after the timeout, Up, Backspace, F1 and a choice are keys again
      {kCsi + "200~ab",
       kPasteTimeoutMs,
       keys,
       {Key(30, 'a'), Key(48, 'b'), Up(), Backspace(), F(1), Key(2, '1'), Enter()}},
      {kCsi + "200~", kPasteTimeoutMs * 5, keys, {Up(), Backspace(), F(1), Key(2, '1'), Enter()}},
      // below it the paste goes on: the same keys are text, Backspace dropped
      {kCsi + "200~ab",
       kPasteTimeoutMs - 1,
       keys,
       {Key(30, 'a'), Key(48, 'b'), Key(26, '['), Key(30, 'A', kShift), Key(24, 'O', kShift), Key(25, 'P', kShift),
        Key(2, '1'), Enter()}},
      // a held beginning of the end marker was text; a character cut short is dropped
      {kCsi + "200~a" + kCsi + "20",
       kPasteTimeoutMs,
       "x",
       {Key(30, 'a'), Key(26, '['), Key(3, '2'), Key(11, '0'), Key(45, 'x')}},
      {kCsi + "200~a\xc3", kPasteTimeoutMs, kCsi + "B", {Key(30, 'a'), Down()}},
      // the end marker coming late is no key
      {kCsi + "200~a", kPasteTimeoutMs, kCsi + "201~z", {Key(30, 'a'), Key(44, 'z')}},
      {kCsi + "200~a", kPasteTimeoutMs, kEsc, {Key(30, 'a'), Esc()}},
      // an ended paste, or none, is not touched by the silence
      {Paste("a"), kPasteTimeoutMs, kCsi + "A", {Key(30, 'a'), Up()}},
      {"a", kPasteTimeoutMs, "b", {Key(30, 'a'), Key(48, 'b')}},
  });
}

TEST(KeyDecoderPaste, ThePasteEndsExactlyAtItsTimeout) {
  for (int timeout : {kPasteTimeoutMs, 1, 5000}) {
    SCOPED_TRACE(timeout);
    KeyDecoder decoder;
    std::vector<InputRecord> out;
    decoder.Feed(kCsi + "200~", out);
    EXPECT_TRUE(decoder.InPaste());
    decoder.ExpirePaste(timeout - 1, timeout, out);
    EXPECT_TRUE(decoder.InPaste());
    decoder.ExpirePaste(timeout, timeout, out);
    EXPECT_FALSE(decoder.InPaste());
    EXPECT_TRUE(out.empty());
  }
}

// --- Sequences that are not keys -------------------------------------------

// Each row is followed by "z", which must come through: nothing swallows it.
void CheckDropped(const std::vector<std::string>& sequences) {
  std::vector<Row> rows;
  for (const std::string& sequence : sequences) rows.push_back({sequence + "z", {Key(44, 'z')}});
  CheckRows(rows);
}

TEST(KeyDecoderBroken, RepliesReportsAndUnknownSequencesAreDroppedWhole) {
  CheckDropped({
      kCsi + "I",                                     // focus in
      kCsi + "O",                                     // focus out
      kCsi + "<0;12;5M",                              // SGR mouse press
      kCsi + "<0;12;5m",                              // SGR mouse release
      kCsi + "<64;1;1M",                              // wheel
      kCsi + "M !!",                                  // X10 mouse report
      kCsi + "M\xff\x80\x7f",                         // X10 mouse far right
      kCsi + "32;10;5M",                              // urxvt mouse
      kCsi + "12;40R",                                // cursor position report
      kCsi + "?62;1;6c",                              // device attributes
      kCsi + ">1;10;0c",                              // secondary device attributes
      kCsi + "?2004;1$y",                             // mode report
      kCsi + "8;24;80t",                              // window size report
      kEsc + "]0;title\a",                            // OSC ended by BEL
      kEsc + "]11;rgb:0000/0000/0000" + kEsc + "\\",  // OSC ended by ST
      kEsc + "]52;c;aGVsbG8=\a",
      kEsc + "]0;" + std::string(300, 'x') + "\a",  // longer than any key
      kEsc + "]0;t\xc3\xa9tle\a",
      kEsc + "P1$r0m" + kEsc + "\\",    // DCS
      kEsc + "_Gi=1;OK" + kEsc + "\\",  // APC (kitty graphics)
      kEsc + "^private" + kEsc + "\\",  // PM
      kEsc + "Xstring\a",               // SOS
      kCsi + "5x",                      // unknown final byte
      kCsi + "?25h",
      kCsi + "99~",  // unknown key number
      kCsi + "0~",
      kCsi + "16~",
      kCsi + "~",
      kCsi + "201~",  // paste end outside a paste
      kCsi + "200;1~",
      kCsi + "2A",                         // a count, not a key
      kCsi + "1;2;3;4;5A",                 // too many fields
      kCsi + "1:2:3:4A",                   // too many parts
      kCsi + "99999999A",                  // number too large
      kCsi + std::string(100, '1') + "A",  // over-long
      kCsi + std::string(200, ';') + "~",
      kCsi + " q",  // intermediate byte
      kSs3 + "Z",
      kSs3 + "1;2;3A",
      kSs3 + "a",
      kSs3 + "[",
      kCsi + "[F",  // Linux console has F1-F5 only
      kCsi + "[1A",
      kCsi + "97;1:3u",  // kitty release
      kCsi + "57441u",   // kitty: left Shift alone
      kCsi + "8364u",    // kitty: € has no byte
  });
}

TEST(KeyDecoderBroken, AByteThatCannotBelongBreaksTheSequenceOff) {
  CheckRows({
      {kCsi + "1" + kCsi + "A", {Up()}},
      {kCsi + "1;\r", {Enter()}},
      {kCsi + "1;\x03", {Key(46, 3, kCtrl)}},
      {kCsi + "1\x7f", {Backspace()}},
      {kCsi + "1\xc3\xa9", {Typed(0x82)}},
      {kSs3 + "1" + kEsc + "OP", {F(1)}},
      {kCsi + "[\r", {Enter()}},
      {kCsi + "M!" + "\r", {Enter()}},        // mouse report cut short
      {kEsc + "]0;ti" + kCsi + "A", {Up()}},  // a string broken off by a sequence
      {kEsc + "]0;ti" + kEsc + kEsc, {Esc()}, true},
      {kEsc + "]0;ti\r\x03", {}, true},  // control bytes belong to the string
  });
}

TEST(KeyDecoderBroken, OnlyTheBareStartMarkerStartsAPaste) {
  CheckRows({
      {kCsi + "200;1~" + kCsi + "A", {Up()}},
      {kCsi + "200:1~" + kCsi + "A", {Up()}},
      {kCsi + "?200~" + kCsi + "A", {Up()}},
      // the same number: a paste begins, and ESC [ A in it is text
      {kCsi + "0200~" + kCsi + "A", {Key(26, '['), Key(30, 'A', kShift)}},
  });
}

TEST(KeyDecoderBroken, SequencesUpTo64HeldBytesAreRead) {
  // ESC [ and 62 parameter bytes are held before the final byte arrives.
  CheckRows({
      {kCsi + std::string(59, '0') + "1;5A", {Up(kCtrl)}},
      {kCsi + std::string(60, '0') + "1;5A", {}},
      {kCsi + std::string(52, '0') + "57399:48;2u", {Key(82, '0', kShift)}},
  });
}

TEST(KeyDecoderBroken, OverlongSequencesAreSkippedToTheirEnd) {
  KeyDecoder decoder;
  std::vector<InputRecord> out;
  decoder.Feed(kCsi, out);
  for (int i = 0; i < 10000; ++i) decoder.Feed("12;", out);
  EXPECT_TRUE(decoder.Pending());
  decoder.Feed("Ax", out);
  EXPECT_EQ(Describe(out), Describe({Key(45, 'x')}));
  EXPECT_FALSE(decoder.Pending());
}

// --- The Esc timeout -------------------------------------------------------

TEST(KeyDecoderTimeout, EscResolvesExactlyAtTheTimeout) {
  for (int timeout : {kEscTimeoutMs, 1, 200}) {
    SCOPED_TRACE(timeout);
    KeyDecoder decoder;
    std::vector<InputRecord> out;
    decoder.Feed(kEsc, out);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(decoder.Pending());
    decoder.Expire(timeout - 1, timeout, out);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(decoder.Pending());
    decoder.Expire(timeout, timeout, out);
    EXPECT_EQ(Describe(out), Describe({Esc()}));
    EXPECT_FALSE(decoder.Pending());
    decoder.Expire(timeout * 2, timeout, out);
    EXPECT_EQ(out.size(), 1u);
  }
}

TEST(KeyDecoderTimeout, BelowTheTimeoutHeldBytesStayWhole) {
  KeyDecoder decoder;
  std::vector<InputRecord> out;
  decoder.Feed(kCsi + "1;5", out);
  decoder.Expire(kEscTimeoutMs - 1, kEscTimeoutMs, out);
  decoder.Feed("A", out);
  EXPECT_EQ(Describe(out), Describe({Up(kCtrl)}));

  out.clear();
  decoder.Feed(kCsi + "1;5", out);
  decoder.Expire(kEscTimeoutMs, kEscTimeoutMs, out);
  EXPECT_FALSE(decoder.Pending());
  decoder.Feed("A", out);  // the sequence was dropped: A is a letter now
  EXPECT_EQ(Describe(out), Describe({Key(30, 'A', kShift)}));
}

TEST(KeyDecoderTimeout, EscFollowedByAKeyBeforeTheTimeoutIsAlt) {
  KeyDecoder decoder;
  std::vector<InputRecord> out;
  decoder.Feed(kEsc, out);
  decoder.Expire(kEscTimeoutMs - 1, kEscTimeoutMs, out);
  decoder.Feed("x", out);
  decoder.Feed(kEsc, out);
  decoder.Expire(kEscTimeoutMs, kEscTimeoutMs, out);
  decoder.Feed("x", out);
  EXPECT_EQ(Describe(out), Describe({Key(45, 'x', kAlt), Esc(), Key(45, 'x')}));
}

// --- kitty keyboard protocol and xterm modifyOtherKeys ---------------------

TEST(KeyDecoderKitty, KeysByCodePoint) {
  CheckRows({
      {kCsi + "97u", {Key(30, 'a')}},
      {kCsi + "97;2u", {Key(30, 'A', kShift)}},
      {kCsi + "97;3u", {Key(30, 'a', kAlt)}},
      {kCsi + "97;5u", {Key(30, 1, kCtrl)}},
      {kCsi + "99;5u", {Key(46, 3, kCtrl)}},  // Ctrl+C
      {kCsi + "97;65u", {Key(30, 'A', kCaps)}},
      {kCsi + "97;66u", {Key(30, 'a', kCaps | kShift)}},
      {kCsi + "97;1:2u", {Key(30, 'a')}},  // repeat
      {kCsi + "49;2u", {Key(2, '!', kShift)}},
      {kCsi + "49:33;2u", {Key(2, '!', kShift)}},
      {kCsi + "55:47;2u", {Key(53, '/', kShift)}},  // the layout's own Shift+7
      {kCsi + "47;2u", {Key(53, '?', kShift)}},
      {kCsi + "50;6u", {Key(3, 0, kCtrl | kShift)}},  // Ctrl+@
      {kCsi + "91;5u", {Key(26, 27, kCtrl)}},         // Ctrl+[
      {kCsi + "49;5u", {Key(2, 0, kCtrl)}},           // Ctrl+1 types nothing
      {kCsi + "32;5u", {Key(57, ' ', kCtrl)}},
      {kCsi + "13u", {Enter()}},
      {kCsi + "13;5u", {Enter(kCtrl)}},
      {kCsi + "9;2u", {Tab(kShift)}},
      {kCsi + "27u", {Esc()}},
      {kCsi + "127u", {Backspace()}},
      {kCsi + "233u", {Typed(0x82)}},
      {kCsi + "233:201;2u", {Typed(0x90, kShift)}},  // Shift+é is É
      {kCsi + "97;1;97u", {Key(30, 'a')}},           // with the text field
      {kCsi + "57399u", {Key(82, '0')}},             // keypad 0
      {kCsi + "57408u", {Key(73, '9')}},
      {kCsi + "57409u", {Key(83, '.')}},
      {kCsi + "57412u", {Key(74, '-')}},
      {kCsi + "57414u", {Enter()}},
      {kCsi + "57417u", {Left()}},
      {kCsi + "57427u", {Key(76, 0)}},
      {kCsi + "27;5;13~", {Enter(kCtrl)}},  // xterm modifyOtherKeys
      {kCsi + "27;2;33~", {Key(2, '!', kShift)}},
      {kCsi + "27;5;105~", {Key(23, 9, kCtrl)}},  // Ctrl+I, not Tab
  });
}

// --- Property tests --------------------------------------------------------

// Pieces that real input is made of, so that random soup hits the
// interesting paths more often than plain random bytes would.
const std::vector<std::string>& Fragments() {
  static const std::vector<std::string> fragments = {
      kEsc,       kCsi,   kSs3,          kCsi + "1;5",  kCsi + "[", "A",        "~",        ";",    "1",
      "200~",     "201~", kCsi + "200~", kCsi + "201~", kCsi + "M", kEsc + "]", kEsc + "P", "\a",   kEsc + "\\",
      "\r",       "\n",   "\r\n",        "\t",          "\x7f",     "\x03",     "\xc3",     "\xa9", "\xe2\x94\x82",
      "\xf0\x9f", "a",    "Z",           "u",           kCsi + "<", "?"};
  return fragments;
}

std::string RandomSoup(std::mt19937& random, int pieces) {
  std::string soup;
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> fragment(0, Fragments().size() - 1);
  for (int i = 0; i < pieces; ++i) {
    if (kind(random) == 0) {
      soup += static_cast<char>(byte(random));
    } else {
      soup += Fragments()[fragment(random)];
    }
  }
  return soup;
}

std::vector<std::size_t> RandomCuts(std::mt19937& random, std::size_t length) {
  std::vector<std::size_t> cuts;
  std::uniform_int_distribution<std::size_t> step(1, 7);
  for (std::size_t at = step(random); at < length; at += step(random)) cuts.push_back(at);
  return cuts;
}

TEST(KeyDecoderProperties, ChunkingNeverChangesTheResult) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 2000; ++round) {
    std::string soup = RandomSoup(random, 1 + round % 60);
    Outcome whole = Decode(soup, {}, 127);
    Outcome chunked = Decode(soup, RandomCuts(random, soup.size()), 127);
    ASSERT_EQ(Describe(chunked.records), Describe(whole.records)) << Printable(soup);
    ASSERT_EQ(chunked.heldAfterFeed, whole.heldAfterFeed) << Printable(soup);
    ASSERT_FALSE(whole.heldAfterIdle) << Printable(soup);
    for (const InputRecord& record : whole.records) {
      ASSERT_EQ(record.kind, InputKind::kKey);
      ASSERT_TRUE(record.keyDown);
    }
  }
}

// What a paste of ASCII text must type, worked out independently: ESC and
// every control byte but CR, LF and Tab vanish, CR LF is one Enter.
std::vector<InputRecord> ExpectedPaste(const std::string& text) {
  std::vector<InputRecord> keys;
  KeyDecoder plain;  // typing one printable character is covered elsewhere
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r' || (c == '\n' && (i == 0 || text[i - 1] != '\r'))) {
      keys.push_back(Enter());
    } else if (c == '\t') {
      keys.push_back(Tab());
    } else if (c >= 0x20 && c < 0x7F) {
      plain.Feed(std::string(1, static_cast<char>(c)), keys);
    }
  }
  return keys;
}

TEST(KeyDecoderProperties, PastedTextNeverBecomesKeys) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> ascii(0, 127);
  int asciiRounds = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string text = round % 2 == 0 ? RandomSoup(random, 1 + round % 40) : std::string();
    if (round % 2 == 1) {
      for (int i = 0; i < 1 + round % 40; ++i) {
        text += random() % 3 == 0 ? Fragments()[random() % 20] : std::string(1, static_cast<char>(ascii(random)));
      }
    }
    // The paste ends at the first end marker; keep the text free of it.
    for (std::size_t at; (at = text.find(kCsi + "201~")) != std::string::npos;) text.erase(at, 1);
    std::string bytes = Paste(text) + "q";
    Outcome outcome = Decode(bytes, RandomCuts(random, bytes.size()), 127);
    ASSERT_FALSE(outcome.records.empty()) << Printable(text);
    // The q after the paste comes out as a key: the paste has ended.
    ASSERT_EQ(Describe({outcome.records.back()}), Describe({Key(16, 'q')})) << Printable(text);
    outcome.records.pop_back();
    for (const InputRecord& record : outcome.records) {
      ASSERT_NE(record.character, 27) << Printable(text);
      ASSERT_NE(record.character, 0) << Printable(text);
      ASSERT_EQ(record.controlKeys & ~kShift, 0u) << Printable(text);
    }
    bool isAscii = true;
    for (unsigned char c : text) isAscii = isAscii && c < 0x80;
    if (isAscii) {
      ++asciiRounds;
      ASSERT_EQ(Describe(outcome.records), Describe(ExpectedPaste(text))) << Printable(text);
    }
  }
  EXPECT_GT(asciiRounds, 500);
}

// Every byte of the code page typed as its glyph comes back as that byte.
TEST(KeyDecoderProperties, TypedGlyphsComeBackAsTheirBytes) {
  for (int byte = 1; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    KeyDecoder decoder;
    std::vector<InputRecord> out;
    decoder.Feed(Cp437Glyph(static_cast<std::uint8_t>(byte)), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].character, byte);
    EXPECT_EQ(out[0].controlKeys & ~kShift, 0u);
  }
}

}  // namespace
}  // namespace console

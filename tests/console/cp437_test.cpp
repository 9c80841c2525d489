// Code page 437 glyphs and their inverse.

#include "console/cp437.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace console {
namespace {

// Decodes text that must be exactly one UTF-8 encoded code point; written
// here on its own so that the table's encoder is checked against it.
std::optional<char32_t> SingleCodePoint(std::string_view text) {
  if (text.empty()) return std::nullopt;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::size_t length = byte(0) < 0x80 ? 1 : byte(0) >= 0xF0 ? 4 : byte(0) >= 0xE0 ? 3 : byte(0) >= 0xC0 ? 2 : 0;
  if (length == 0 || text.size() != length) return std::nullopt;
  static constexpr unsigned kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t value = byte(0) & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  return value;
}

TEST(Cp437Glyph, KnownGlyphs) {
  struct Row {
    int byte;
    std::string_view glyph;
  };
  const Row rows[] = {
      {0x00, " "}, {0x01, "☺"}, {0x02, "☻"}, {0x03, "♥"}, {0x07, "•"}, {0x08, "◘"},        {0x0A, "◙"},
      {0x0D, "♪"}, {0x10, "►"}, {0x14, "¶"}, {0x15, "§"}, {0x1B, "←"}, {0x1F, "▼"},        {0x20, " "},
      {0x41, "A"}, {0x7E, "~"}, {0x7F, "⌂"}, {0x80, "Ç"}, {0x82, "é"}, {0x9B, "¢"},        {0x9E, "₧"},
      {0x9F, "ƒ"}, {0xA9, "⌐"}, {0xB0, "░"}, {0xB3, "│"}, {0xC4, "─"}, {0xC9, "╔"},        {0xDB, "█"},
      {0xDF, "▀"}, {0xE0, "α"}, {0xE1, "ß"}, {0xE6, "µ"}, {0xEA, "Ω"}, {0xEC, "∞"},        {0xF9, "∙"},
      {0xFA, "·"}, {0xFB, "√"}, {0xFC, "ⁿ"}, {0xFD, "²"}, {0xFE, "■"}, {0xFF, "\xc2\xa0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Cp437Glyph(static_cast<std::uint8_t>(row.byte)), row.glyph) << row.byte;
  }
}

TEST(Cp437Glyph, EveryByteShowsOnePrintableCodePoint) {
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    std::optional<char32_t> codePoint = SingleCodePoint(Cp437Glyph(static_cast<std::uint8_t>(byte)));
    ASSERT_TRUE(codePoint.has_value());
    // No control character may reach the terminal, or a byte of data could
    // move its cursor or change its modes.
    EXPECT_GE(*codePoint, 0x20u);
    EXPECT_FALSE(*codePoint >= 0x7F && *codePoint <= 0x9F);
  }
}

TEST(Cp437Glyph, BytesOtherThanZeroHaveGlyphsOfTheirOwn) {
  std::set<std::string_view> seen;
  for (int byte = 1; byte < 256; ++byte) {
    EXPECT_TRUE(seen.insert(Cp437Glyph(static_cast<std::uint8_t>(byte))).second) << byte;
  }
  EXPECT_EQ(Cp437Glyph(0), Cp437Glyph(' '));
}

// The C library's own code page 437 converter is an independent reference
// for the upper half (it maps the lower half to ASCII controls).
TEST(Cp437Glyph, UpperHalfAgreesWithIconv) {
  iconv_t converter = iconv_open("UTF-8", "CP437");
  if (converter == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP437 converter in this C library";
  for (int byte = 0x80; byte < 0x100; ++byte) {
    char input = static_cast<char>(byte);
    char output[8] = {};
    char* in = &input;
    char* outPointer = output;
    std::size_t inLeft = 1, outLeft = sizeof output;
    ASSERT_NE(iconv(converter, &in, &inLeft, &outPointer, &outLeft), static_cast<std::size_t>(-1)) << byte;
    EXPECT_EQ(Cp437Glyph(static_cast<std::uint8_t>(byte)), std::string_view(output, sizeof output - outLeft)) << byte;
  }
  iconv_close(converter);
}

TEST(Cp437FromCodePoint, EveryGlyphComesBackAsItsByte) {
  for (int byte = 1; byte < 256; ++byte) {
    std::optional<char32_t> codePoint = SingleCodePoint(Cp437Glyph(static_cast<std::uint8_t>(byte)));
    ASSERT_TRUE(codePoint.has_value()) << byte;
    EXPECT_EQ(Cp437FromCodePoint(*codePoint), byte) << byte;
  }
  // Byte 0 shows as a space, and the space is byte 32.
  EXPECT_EQ(Cp437FromCodePoint(*SingleCodePoint(Cp437Glyph(0))), 0x20);
}

TEST(Cp437FromCodePoint, AsciiIsItself) {
  for (char32_t c = 0; c < 0x80; ++c) EXPECT_EQ(Cp437FromCodePoint(c), static_cast<int>(c));
}

TEST(Cp437FromCodePoint, LookAlikesAndMissingCharacters) {
  struct Row {
    char32_t codePoint;
    int byte;
  };
  const Row rows[] =
      {
          {0x00E9, 0x82}, {0x2502, 0xB3}, {0x00A0, 0xFF}, {0x263A, 0x01},   {0x2302, 0x7F},
          {0x03B2, 0xE1},  // Greek beta for sharp s
          {0x03BC, 0xE6},  // Greek mu for the micro sign
          {0x2126, 0xEA},  // ohm sign for omega
          {0x20AC, -1},   {0x00A4, -1},   {0x0080, -1},   {0x009F, -1},     {0xD800, -1},
          {0xFFFD, -1},   {0x10FFFF, -1}, {0x110000, -1}, {0xFFFFFFFF, -1},
      };
  for (const Row& row : rows)
    EXPECT_EQ(Cp437FromCodePoint(row.codePoint), row.byte) << std::hex << static_cast<std::uint32_t>(row.codePoint);
}

// Outside ASCII exactly the 160 glyphs and the three look-alikes map to a
// byte, and each to a byte that shows it (or what it looks like).
TEST(Cp437FromCodePoint, SweepOfAllCodePoints) {
  int mapped = 0;
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    int byte = Cp437FromCodePoint(c);
    if (byte < 0) continue;
    ++mapped;
    ASSERT_LT(byte, 256);
    std::optional<char32_t> shown = SingleCodePoint(Cp437Glyph(static_cast<std::uint8_t>(byte)));
    if (c != 0x03B2 && c != 0x03BC && c != 0x2126) {
      ASSERT_EQ(shown, c) << std::hex << static_cast<std::uint32_t>(c);
    }
  }
  EXPECT_EQ(mapped, 160 + 3);
}

}  // namespace
}  // namespace console

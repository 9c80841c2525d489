#include "console/cp437.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace console {
namespace {

// The glyph of every byte, as the PC's character ROM draws it. Bytes 1-31
// and 127 show their pictures rather than acting as controls; byte 0 and
// byte 255 draw nothing, so they become a space and a no-break space, which
// every terminal shows as a blank cell.
constexpr std::array<char32_t, 256> kGlyphCodePoints = {
    // 0x00-0x1F: blank, then the pictures of the control codes.
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 00-07
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  // 08-0F
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 10-17
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  // 18-1F
    // 0x20-0x7E: ASCII.
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,  // 20-27
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,  // 28-2F
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30-37
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 38-3F
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,  // 40-47
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,  // 48-4F
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,  // 50-57
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,  // 58-5F
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,  // 60-67
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,  // 68-6F
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,  // 70-77
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,  // 78-7F (house)
    // 0x80-0xAF: accented letters, currency, punctuation.
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80-87
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88-8F
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90-97
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98-9F
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0-A7
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8-AF
    // 0xB0-0xDF: shades and box drawing.
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0-B7
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8-BF
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0-C7
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8-CF
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0-D7
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8-DF
    // 0xE0-0xFF: Greek letters and mathematical signs.
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0-E7
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8-EF
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0-F7
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8-FF
};

// A glyph's UTF-8 bytes, kept in static storage so that every view handed
// out stays valid for the whole run and no call allocates.
struct Utf8Glyph {
  char bytes[4] = {};
  std::uint8_t length = 0;
};

constexpr Utf8Glyph EncodeUtf8(char32_t codePoint) {
  Utf8Glyph glyph;
  auto put = [&glyph](unsigned value) { glyph.bytes[glyph.length++] = static_cast<char>(value); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
  return glyph;
}

constexpr std::array<Utf8Glyph, 256> BuildGlyphs() {
  std::array<Utf8Glyph, 256> glyphs{};
  for (std::size_t byte = 0; byte < glyphs.size(); ++byte) glyphs[byte] = EncodeUtf8(kGlyphCodePoints[byte]);
  return glyphs;
}

constexpr std::array<Utf8Glyph, 256> kGlyphs = BuildGlyphs();

// Code points typed as look-alikes of a glyph: Greek beta, Greek mu and the
// ohm sign are what a keyboard or an input method gives for the PC's sharp s,
// micro sign and capital omega.
constexpr std::array<std::pair<char32_t, std::uint8_t>, 3> kLookAlikes = {{
    {0x03B2, 0xE1},
    {0x03BC, 0xE6},
    {0x2126, 0xEA},
}};

// The glyphs of the bytes outside ASCII (1-31, 127-255) plus the look-alikes,
// sorted by code point for a binary search.
constexpr std::size_t kReverseSize = 31 + 129 + kLookAlikes.size();

constexpr std::array<std::pair<char32_t, std::uint8_t>, kReverseSize> BuildReverse() {
  std::array<std::pair<char32_t, std::uint8_t>, kReverseSize> reverse{};
  std::size_t count = 0;
  for (unsigned byte = 1; byte < 256; ++byte) {
    if (byte >= 0x20 && byte < 0x7F) continue;
    reverse[count++] = {kGlyphCodePoints[byte], static_cast<std::uint8_t>(byte)};
  }
  for (const auto& lookAlike : kLookAlikes) reverse[count++] = lookAlike;
  std::sort(reverse.begin(), reverse.end());
  return reverse;
}

constexpr auto kReverse = BuildReverse();

// The table must be one-to-one outside ASCII, or a typed character would
// come back as the wrong byte.
constexpr bool CodePointsUnique() {
  for (std::size_t i = 1; i < kReverse.size(); ++i) {
    if (kReverse[i - 1].first == kReverse[i].first) return false;
  }
  return true;
}
static_assert(CodePointsUnique(), "two bytes share a glyph");
static_assert(kReverse.front().first >= 0x80, "a control-code picture lies in ASCII");

}  // namespace

std::string_view Cp437Glyph(std::uint8_t byte) {
  const Utf8Glyph& glyph = kGlyphs[byte];
  return {glyph.bytes, glyph.length};
}

int Cp437FromCodePoint(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<int>(codePoint);
  auto found = std::lower_bound(kReverse.begin(), kReverse.end(), codePoint,
                                [](const auto& entry, char32_t value) { return entry.first < value; });
  if (found == kReverse.end() || found->first != codePoint) return -1;
  return found->second;
}

}  // namespace console

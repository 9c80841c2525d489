// Code page 437, the console's 8-bit character set, and its Unicode glyphs.
// Every byte 0-255 has a printable glyph, control codes included, so no byte
// of data ever reaches the terminal as a control character.
#pragma once

#include <cstdint>
#include <string_view>

namespace console {

// The UTF-8 encoding of the glyph that the byte shows on the screen.
//   0x41 -> "A"   0x0D -> "♪"   0x00 -> " "   0xB3 -> "│"
std::string_view Cp437Glyph(std::uint8_t byte);

// The byte whose glyph is `codePoint`, or -1 when code page 437 has none.
// Plain ASCII 32-126 maps to itself; the glyphs of 1-31 and 127 map back to
// those bytes.
//   U+00E9 'é' -> 0x82   U+2502 '│' -> 0xB3   U+20AC '€' -> -1
int Cp437FromCodePoint(char32_t codePoint);

}  // namespace console

// Text split for checks: its lines, a UTF-8 line's width in characters, and
// whether it is printable UTF-8.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace testtext {

// The lines of `text`, without their '\n'.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The parts of `text` between `separator`s: Split("a,,b", ',') -> {"a", "", "b"}.
inline std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// Columns of a UTF-8 line: every byte that does not continue a character.
inline std::size_t Width(const std::string& line) {
  return static_cast<std::size_t>(
      std::count_if(line.begin(), line.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Whether `text` is well-formed UTF-8 (no stray, truncated, overlong or
// surrogate sequence, which a terminal may read otherwise than meant) with
// no control character but '\n': no C0, DEL or C1 (U+0080..U+009F).
//   PrintableUtf8("\xc3\xa9\n") -> true;  PrintableUtf8("\xc2\x9b") -> false;  PrintableUtf8("a\xc2") -> false
inline bool PrintableUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if ((lead < 0x20 && lead != '\n') || lead == 0x7f) return false;
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || i + length > text.size()) return false;
    std::uint32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    const std::uint32_t least[] = {0, 0, 0xA0, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

}  // namespace testtext

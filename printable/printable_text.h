// Text from outside (an argument, an environment variable) shown in a
// diagnostic: every byte that is not printable ASCII, and the backslash that
// introduces the escapes, is written as \xHH, so that no control byte reaches
// the user's terminal and the escapes cannot be forged.
//
//   PrintableText("a\x1b[2J\\")  ->  "a\x1B[2J\x5C"  (as text, with real backslashes)
#pragma once

#include <string>
#include <string_view>

namespace printable {

inline std::string PrintableText(std::string_view text) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHexDigits[byte >> 4];
      shown += kHexDigits[byte & 0xF];
    }
  }
  return shown;
}

}  // namespace printable

// Text from outside (an argument, an environment variable, a file's path)
// shown in a diagnostic: every byte that is not printable ASCII, and the
// backslash that introduces the escapes, is written as \xHH, so that no
// control byte reaches the user's terminal and the escapes cannot be forged.
// A file's path may keep its backslashes (Windows' folder separator).
//
//   Printable("a\x1b[2J\\")                    ->  "a\x1B[2J\x5C"  (as text, with real backslashes)
//   Printable("C:\\x\x07", Backslash::kKept)    ->  "C:\x\x07"
#pragma once

#include <string>
#include <string_view>

namespace numtext {

enum class Backslash { kEscaped, kKept };

inline std::string Printable(std::string_view text, Backslash backslash = Backslash::kEscaped) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && (c != '\\' || backslash == Backslash::kKept)) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHexDigits[byte >> 4];
      shown += kHexDigits[byte & 0xF];
    }
  }
  return shown;
}

}  // namespace numtext

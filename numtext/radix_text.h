// Whole numbers typed in binary, octal or hexadecimal after a leading '&'.
// Internal to numtext.
#pragma once

#include <string_view>

#include "numtext/numtext.h"

namespace numtext {

// Reads the radix form from the text that follows the '&': an optional radix
// letter, the digits, an optional type suffix. Yields 0 for no digits or for
// more than 64 bits. The length counts the radix letter, digits and suffix.
//   "HFFFF" -> -1     "HFFFF&" -> 65535     "17" -> 15     "H1G" -> 1 (length 2)
ScannedNumber ReadRadixText(std::string_view afterAmpersand);

}  // namespace numtext

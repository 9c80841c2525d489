// A key-down record as the console's platforms hand it over, written out
// with the scan code first as a PC keyboard's tables list keys: the tests
// build their expected records with it rather than with the decoder's own
// builders, which are what they check.
#pragma once

#include <cstdint>

#include "console/platform.h"

namespace testkeys {

inline console::InputRecord Key(std::uint16_t scanCode, std::uint8_t character, std::uint32_t controlKeys = 0) {
  console::InputRecord record;
  record.scanCode = scanCode;
  record.character = character;
  record.controlKeys = controlKeys;
  return record;
}

}  // namespace testkeys

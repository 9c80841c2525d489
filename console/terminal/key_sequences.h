// What one complete control sequence from the terminal means: a key, the
// start of a bracketed paste, the start of a mouse report, or nothing. Pure;
// internal to the key decoder, which collects the bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "console/platform.h"

namespace console::key_decoding {

struct SequenceMeaning {
  enum Kind : std::uint8_t { kNothing, kKey, kPasteStart, kMouse } kind = kNothing;
  InputRecord key;  // for kKey
};

// `introducer` is the byte after ESC ('[' or 'O'), `text` the bytes between
// it and `finalByte`. Sequences that are no key (terminal replies, private
// modes, releases) and malformed ones mean nothing.
//
//   '[', "1;5",   'A'  -> Ctrl+Up: character 0, scan 72, left Ctrl
//   'O', "",      'p'  -> keypad 0: '0', scan 82
//   '[', "[",     'A'  -> F1 (Linux console)
//   '[', "97;5",  'u'  -> Ctrl+A (kitty): character 1, scan 30, left Ctrl
//   '[', "200",   '~'  -> paste start
//   '[', "",      'M'  -> mouse report: three payload bytes follow
//   '[', "12;40", 'R'  -> nothing (a cursor position report)
SequenceMeaning DecodeSequence(std::uint8_t introducer, std::string_view text, std::uint8_t finalByte);

}  // namespace console::key_decoding

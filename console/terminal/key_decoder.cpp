#include "console/terminal/key_decoder.h"

#include <cstddef>

#include "console/cp437.h"
#include "console/terminal/key_records.h"
#include "console/terminal/key_sequences.h"

// The decoder reads one byte at a time and keeps its place in `stage_`, so a
// key split across reads decodes exactly like one that arrives whole.
//
//   "a"              -> 'a', scan 30
//   "\x1b[1;5A"      -> Ctrl+Up: character 0, scan 72, left Ctrl
//   "\x1bx"          -> Alt+X: 'x', scan 45, left Alt
//   "\x1b"  (idle)   -> Esc: character 27, scan 1
//   "\xc3\xa9"       -> 'é' as code page 437 byte 0x82
//   "\x1b[200~a\x1b[D\r\x1b[201~"  (bracketed paste) -> 'a', '[', 'D', Enter
//
// Sequences the decoder does not know are dropped whole: a terminal's reply
// or a mouse report must never arrive as typed characters.

namespace console {

using namespace key_decoding;

namespace {

// Key sequences are short: kitty's longest forms, such as
// "ESC [ 57399:57399:57399 ; 255:3 u", stay under 40 bytes. A sequence that
// holds 64 bytes is no key, so the rest of it is skipped without being stored.
constexpr std::size_t kMaxHeldBytes = 64;

// Bracketed paste: the terminal ends pasted text with this marker (the start
// marker is a key sequence of its own).
constexpr std::string_view kPasteEndMarker = "\x1b[201~";

// Bytes 0x20-0x3F: parameters, private markers and intermediates.
bool IsParameterByte(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x3F; }
// Bytes 0x40-0x7E end a control sequence.
bool IsFinalByte(std::uint8_t byte) { return byte >= 0x40 && byte <= 0x7E; }

}  // namespace

void KeyDecoder::Feed(std::string_view bytes, std::vector<InputRecord>& out) {
  for (char c : bytes) Step(static_cast<std::uint8_t>(c), out);
}

void KeyDecoder::Expire(int idleMs, int timeoutMs, std::vector<InputRecord>& out) {
  if (idleMs < timeoutMs || held_.empty()) return;
  if (inPaste_) {
    ResolveHeldPaste(out);
    return;
  }
  if (stage_ == Stage::kEscape) {
    Reset();
    out.push_back(EscKey());
    return;
  }
  if ((stage_ == Stage::kSequence || stage_ == Stage::kString) && held_.size() == 2) {
    // ESC and a sequence introducer with nothing after it was Alt with that
    // key: Alt+[, Alt+Shift+O, Alt+]. Terminals send sequences in one piece.
    std::uint8_t introducer = static_cast<std::uint8_t>(held_[1]);
    Reset();
    out.push_back(PrintableKey(introducer, kLeftAltPressed));
    return;
  }
  Reset();
}

void KeyDecoder::ExpirePaste(int idleMs, int timeoutMs, std::vector<InputRecord>& out) {
  if (!inPaste_ || idleMs < timeoutMs) return;
  ResolveHeldPaste(out);
  inPaste_ = false;
}

void KeyDecoder::ResolveHeldPaste(std::vector<InputRecord>& out) {
  // A beginning of the end marker that went no further was pasted text; the
  // ESC goes like every control byte of a paste. A character cut short is
  // dropped.
  std::string text = stage_ == Stage::kPasteEnd ? held_.substr(1) : std::string();
  Reset();
  for (char c : text) StepPaste(static_cast<std::uint8_t>(c), out);
}

void KeyDecoder::Reset() {
  held_.clear();
  stage_ = Stage::kGround;
  overflow_ = false;
  utf8Alt_ = false;
  utf8Missing_ = 0;
}

void KeyDecoder::Step(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (inPaste_) {
    StepPaste(byte, out);
    return;
  }
  switch (stage_) {
    case Stage::kGround: StepGround(byte, out); return;
    case Stage::kEscape: StepEscape(byte, out); return;
    case Stage::kSequence: StepSequence(byte, out); return;
    case Stage::kString: StepString(byte); return;
    case Stage::kStringEnd: StepStringEnd(byte, out); return;
    case Stage::kMouse: StepMouse(byte, out); return;
    case Stage::kUtf8: StepUtf8(byte, out); return;
    case Stage::kPasteEnd: StepPasteEnd(byte, out); return;
  }
}

void KeyDecoder::StepGround(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (byte == kEsc) {
    stage_ = Stage::kEscape;
    held_.assign(1, static_cast<char>(kEsc));
    return;
  }
  if (byte >= 0x80) {
    StartUtf8(byte);
    return;
  }
  out.push_back(AsciiKey(byte, eraseByte_));
}

void KeyDecoder::StepEscape(std::uint8_t byte, std::vector<InputRecord>& out) {
  switch (byte) {
    case '[':
    case 'O':
      stage_ = Stage::kSequence;
      held_.push_back(static_cast<char>(byte));
      return;
    case 'P':
    case ']':
    case 'X':
    case '^':
    case '_':  // DCS, OSC, SOS, PM, APC
      stage_ = Stage::kString;
      held_.push_back(static_cast<char>(byte));
      return;
    case kEsc:
      // Two Escs are two Esc presses (typed ahead, or fast); the second may
      // still begin a sequence. Alt+Esc is taken by window managers anyway.
      out.push_back(EscKey());
      return;
    default: break;
  }
  if (byte >= 0x80) {
    utf8Alt_ = true;
    StartUtf8(byte);
    return;
  }
  // Alt with a key: the terminal sends ESC before the key's own byte.
  Reset();
  out.push_back(AsciiKey(byte, eraseByte_, kLeftAltPressed));
}

void KeyDecoder::StepSequence(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (held_.size() == 2 && held_[1] == '[' && byte == '[') {
    held_.push_back('[');  // ESC [ [: the Linux console's F1-F5 follow
    return;
  }
  if (IsParameterByte(byte)) {
    if (held_.size() < kMaxHeldBytes) {
      held_.push_back(static_cast<char>(byte));
    } else {
      overflow_ = true;
    }
    return;
  }
  if (IsFinalByte(byte)) {
    FinishSequence(byte, out);
    return;
  }
  // A control byte, DEL or a non-ASCII byte cannot belong to a sequence: the
  // sequence is broken and dropped, and the byte counts on its own (an ESC
  // begins the next sequence).
  Reset();
  Step(byte, out);
}

void KeyDecoder::FinishSequence(std::uint8_t finalByte, std::vector<InputRecord>& out) {
  SequenceMeaning meaning;
  if (!overflow_) {
    std::string_view text(held_);
    text.remove_prefix(2);
    meaning = DecodeSequence(static_cast<std::uint8_t>(held_[1]), text, finalByte);
  }
  Reset();
  switch (meaning.kind) {
    case SequenceMeaning::kNothing: break;
    case SequenceMeaning::kKey: out.push_back(meaning.key); break;
    case SequenceMeaning::kPasteStart:
      inPaste_ = true;
      pasteAfterCr_ = false;
      break;
    case SequenceMeaning::kMouse:
      stage_ = Stage::kMouse;
      held_ = "\x1b[M";
      break;
  }
}

void KeyDecoder::StepString(std::uint8_t byte) {
  if (byte == kBel) {
    Reset();
  } else if (byte == kEsc) {
    stage_ = Stage::kStringEnd;
  } else if (held_.size() < kMaxHeldBytes) {
    // Kept only so that Expire tells a string from a lone Alt+] or Alt+P.
    held_.push_back(static_cast<char>(byte));
  }
}

void KeyDecoder::StepStringEnd(std::uint8_t byte, std::vector<InputRecord>& out) {
  Reset();
  if (byte == '\\') return;  // ESC \ ends the string
  // Any other ESC breaks the string off and begins a new sequence (a second
  // ESC begins it afresh).
  StepGround(kEsc, out);
  if (byte != kEsc) StepEscape(byte, out);
}

void KeyDecoder::StepMouse(std::uint8_t byte, std::vector<InputRecord>& out) {
  // The payload is button, column and row, each 32 + value: never a control byte.
  constexpr std::size_t kReportBytes = 6;  // ESC [ M b x y
  if (byte < 0x20) {
    Reset();
    Step(byte, out);
    return;
  }
  held_.push_back(static_cast<char>(byte));
  if (held_.size() == kReportBytes) Reset();
}

void KeyDecoder::StartUtf8(std::uint8_t byte) {
  // The ranges of the first continuation byte rule out over-long forms,
  // surrogates and code points above U+10FFFF.
  utf8Low_ = 0x80;
  utf8High_ = 0xBF;
  if (byte >= 0xC2 && byte <= 0xDF) {
    utf8Missing_ = 1;
    utf8CodePoint_ = byte & 0x1F;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    utf8Missing_ = 2;
    utf8CodePoint_ = byte & 0x0F;
    if (byte == 0xE0) utf8Low_ = 0xA0;
    if (byte == 0xED) utf8High_ = 0x9F;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    utf8Missing_ = 3;
    utf8CodePoint_ = byte & 0x07;
    if (byte == 0xF0) utf8Low_ = 0x90;
    if (byte == 0xF4) utf8High_ = 0x8F;
  } else {
    Reset();  // a continuation byte without a lead, or a byte UTF-8 never uses
    return;
  }
  held_.push_back(static_cast<char>(byte));
  stage_ = Stage::kUtf8;
}

void KeyDecoder::StepUtf8(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (byte < utf8Low_ || byte > utf8High_) {
    // The character is broken; the byte may begin the next one.
    Reset();
    Step(byte, out);
    return;
  }
  utf8CodePoint_ = (utf8CodePoint_ << 6) | (byte & 0x3F);
  utf8Low_ = 0x80;
  utf8High_ = 0xBF;
  if (--utf8Missing_ > 0) {
    held_.push_back(static_cast<char>(byte));
    return;
  }
  std::uint32_t controlKeys = utf8Alt_ ? kLeftAltPressed : 0;
  int character = Cp437FromCodePoint(utf8CodePoint_);
  Reset();
  // Characters the console's code page cannot hold are dropped. So are, in a
  // paste, the pictures of the control codes (☺ is byte 1, ← is byte 27):
  // their bytes would reach the program as Ctrl+A or Esc.
  if (character < 0 || (inPaste_ && character < 0x20)) return;
  out.push_back(Key(0, static_cast<std::uint8_t>(character), controlKeys));
}

void KeyDecoder::StepPaste(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (stage_ == Stage::kPasteEnd) {
    StepPasteEnd(byte, out);
    return;
  }
  if (stage_ == Stage::kUtf8) {
    StepUtf8(byte, out);
    return;
  }
  // Pasted text is typed-ahead text and nothing else: no byte of it may act
  // as a key with a meaning of its own, so only line ends and Tab survive of
  // the control bytes.
  bool afterCr = pasteAfterCr_;
  pasteAfterCr_ = byte == kCr;
  if (byte == kEsc) {
    stage_ = Stage::kPasteEnd;
    held_.assign(1, static_cast<char>(kEsc));
  } else if (byte >= 0x80) {
    StartUtf8(byte);
  } else if (byte == kCr || (byte == kLf && !afterCr)) {
    out.push_back(EnterKey());
  } else if (byte == kTab) {
    out.push_back(TabKey());
  } else if (byte >= 0x20 && byte < kDel) {
    out.push_back(PrintableKey(byte));
  }
}

void KeyDecoder::StepPasteEnd(std::uint8_t byte, std::vector<InputRecord>& out) {
  if (static_cast<char>(byte) == kPasteEndMarker[held_.size()]) {
    held_.push_back(static_cast<char>(byte));
    if (held_.size() == kPasteEndMarker.size()) {
      Reset();
      inPaste_ = false;
    }
    return;
  }
  // Not the end marker: the ESC is dropped, what followed it is text.
  std::string text = held_.substr(1);
  Reset();
  for (char c : text) StepPaste(static_cast<std::uint8_t>(c), out);
  StepPaste(byte, out);
}

}  // namespace console

// Turns the bytes a terminal sends for key presses into console input
// records: a pure function of its input, with time passed in as a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/platform.h"

namespace console {

// How long a lone Esc waits for the rest of a sequence before it counts as
// the Esc key. Long enough for a sequence split across reads over ssh, short
// enough not to be felt.
inline constexpr int kEscTimeoutMs = 50;

// How long a paste may go without a byte before it ends although its end
// marker never came. A terminal sends pasted text in one burst, so a second
// of silence means the marker was lost; without an end, every key typed
// afterwards would arrive as text (Up as "[A", Backspace dropped).
inline constexpr int kPasteTimeoutMs = 1000;

class KeyDecoder {
 public:
  // `eraseByte`: the terminal's erase character (termios VERASE), read as Backspace.
  explicit KeyDecoder(std::uint8_t eraseByte = 127) : eraseByte_(eraseByte) {}

  // Decodes `bytes`; each complete key appends one key-down record to `out`
  // (terminals report no releases). Bytes that may begin a longer sequence
  // are held.
  void Feed(std::string_view bytes, std::vector<InputRecord>& out);

  // True when held bytes wait for more input (a lone Esc, a partial sequence
  // or a partial UTF-8 character).
  bool Pending() const { return !held_.empty(); }

  // To be called when no byte has arrived for `idleMs`. Once idleMs reaches
  // `timeoutMs`, held bytes are resolved: a lone Esc becomes the Esc key, Esc
  // with only a sequence introducer after it becomes Alt with that key (Alt+[),
  // an unfinished paste end marker is pasted text, and anything else
  // incomplete is dropped whole. Below the timeout nothing happens.
  void Expire(int idleMs, int timeoutMs, std::vector<InputRecord>& out);

  // True between a paste's start marker and its end.
  bool InPaste() const { return inPaste_; }

  // To be called when no byte has arrived for `idleMs` during a paste. Once
  // idleMs reaches `timeoutMs`, the paste ends as if its end marker had
  // come: held bytes are resolved as Expire resolves them inside a paste, and
  // the bytes that follow are keys again. Below the timeout, or outside a
  // paste, nothing happens.
  void ExpirePaste(int idleMs, int timeoutMs, std::vector<InputRecord>& out);

 private:
  // Where the decoder stands between two bytes.
  enum class Stage : std::uint8_t {
    kGround,     // between keys
    kEscape,     // after ESC
    kSequence,   // inside ESC [ ..., ESC [ [ ... or ESC O ...
    kString,     // inside an OSC, DCS, SOS, PM or APC string
    kStringEnd,  // after ESC inside such a string
    kMouse,      // the three payload bytes of an X10 mouse report
    kUtf8,       // inside a multibyte UTF-8 character
    kPasteEnd,   // after ESC inside a paste: maybe the end marker
  };

  void Step(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepGround(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepEscape(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepSequence(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepString(std::uint8_t byte);
  void StepStringEnd(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepMouse(std::uint8_t byte, std::vector<InputRecord>& out);
  void StartUtf8(std::uint8_t byte);
  void StepUtf8(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepPaste(std::uint8_t byte, std::vector<InputRecord>& out);
  void StepPasteEnd(std::uint8_t byte, std::vector<InputRecord>& out);
  void FinishSequence(std::uint8_t finalByte, std::vector<InputRecord>& out);
  // Inside a paste: the held beginning of an end marker is pasted text after all.
  void ResolveHeldPaste(std::vector<InputRecord>& out);
  void Reset();

  std::uint8_t eraseByte_;
  // The bytes of the unfinished sequence or character, at most
  // kMaxHeldBytes of them; longer sequences are skipped without storing.
  std::string held_;
  bool inPaste_ = false;
  Stage stage_ = Stage::kGround;
  bool overflow_ = false;      // the held sequence outgrew its bound
  bool pasteAfterCr_ = false;  // the last pasted byte was CR (CR LF is one Enter)
  bool utf8Alt_ = false;       // the character being decoded was sent with ESC (Alt)
  std::uint8_t utf8Missing_ = 0;
  std::uint8_t utf8Low_ = 0x80;  // range of the next continuation byte
  std::uint8_t utf8High_ = 0xBF;
  char32_t utf8CodePoint_ = 0;
};

}  // namespace console

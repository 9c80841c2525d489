// What start-up changes on the console, and how it is put back: the modes of
// the console input and of the screen buffer, the cursor's shape and
// visibility, and the default text attribute (which later output of other
// programs, the shell's prompt among them, would use).
//
// The restore may be asked for from several places at once: the normal end,
// the console control handler (which runs on a thread of its own), the
// unhandled-exception filter, the abort handler and the destructor of the
// process frame. Whichever comes first does it; every later request finds
// nothing to do.
//
//   ledger.NoteInputMode(before); ...; ledger.Arm();
//   ... ledger.RestoreOnce(sink);   // true for the first caller only
#pragma once

#include <atomic>
#include <cstdint>

namespace console {

// Where a restore writes to: the real console, or a recorder in tests.
class ConsoleModeSink {
 public:
  virtual ~ConsoleModeSink() = default;
  virtual void SetInputMode(std::uint32_t mode) = 0;
  virtual void SetOutputMode(std::uint32_t mode) = 0;
  virtual void SetCursor(std::uint32_t size, bool visible) = 0;
  virtual void SetTextAttribute(std::uint16_t attributeWord) = 0;
};

class RestoreLedger {
 public:
  // Each value is what the console had before start-up changed it; a value
  // that could not be read is never noted and so never written back. Notes
  // are taken before Arm() only.
  void NoteInputMode(std::uint32_t mode);
  void NoteOutputMode(std::uint32_t mode);
  void NoteCursor(std::uint32_t size, bool visible);
  void NoteTextAttribute(std::uint16_t attributeWord);

  // From now on a restore request puts the noted values back.
  void Arm();
  // Puts back everything noted, in the order input mode, output mode,
  // cursor, text attribute; only the first call after Arm() does anything.
  bool RestoreOnce(ConsoleModeSink& sink);
  // Forgets everything: nothing is armed or noted.
  void Clear();

  bool armed() const { return state_.load() == kArmed; }

 private:
  enum State : int { kNoting, kArmed, kRestored };
  std::atomic<int> state_{kNoting};
  bool hasInputMode_ = false;
  bool hasOutputMode_ = false;
  bool hasCursor_ = false;
  bool hasTextAttribute_ = false;
  std::uint32_t inputMode_ = 0;
  std::uint32_t outputMode_ = 0;
  std::uint32_t cursorSize_ = 0;
  bool cursorVisible_ = true;
  std::uint16_t textAttribute_ = 0;
};

}  // namespace console

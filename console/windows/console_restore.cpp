#include "console/windows/console_restore.h"

namespace console {

void RestoreLedger::NoteInputMode(std::uint32_t mode) {
  if (state_.load() != kNoting) return;
  inputMode_ = mode;
  hasInputMode_ = true;
}

void RestoreLedger::NoteOutputMode(std::uint32_t mode) {
  if (state_.load() != kNoting) return;
  outputMode_ = mode;
  hasOutputMode_ = true;
}

void RestoreLedger::NoteCursor(std::uint32_t size, bool visible) {
  if (state_.load() != kNoting) return;
  cursorSize_ = size;
  cursorVisible_ = visible;
  hasCursor_ = true;
}

void RestoreLedger::NoteTextAttribute(std::uint16_t attributeWord) {
  if (state_.load() != kNoting) return;
  textAttribute_ = attributeWord;
  hasTextAttribute_ = true;
}

void RestoreLedger::Arm() {
  int expected = kNoting;
  state_.compare_exchange_strong(expected, kArmed);
}

bool RestoreLedger::RestoreOnce(ConsoleModeSink& sink) {
  // The exchange makes the first caller the only one, on any thread; the
  // noted values were written before Arm() and are only read from here on.
  int expected = kArmed;
  if (!state_.compare_exchange_strong(expected, kRestored)) return false;
  if (hasInputMode_) sink.SetInputMode(inputMode_);
  if (hasOutputMode_) sink.SetOutputMode(outputMode_);
  if (hasCursor_) sink.SetCursor(cursorSize_, cursorVisible_);
  if (hasTextAttribute_) sink.SetTextAttribute(textAttribute_);
  return true;
}

void RestoreLedger::Clear() {
  state_.store(kNoting);
  hasInputMode_ = hasOutputMode_ = hasCursor_ = hasTextAttribute_ = false;
}

}  // namespace console

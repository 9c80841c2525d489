// A look inside a Console for tests: its record, its error cell and the key
// and cursor helpers that are not part of its public interface.
#pragma once

#include "console/console.h"

namespace console {

class ConsoleProbe {
 public:
  static auto& Record(Console& console) { return console.state_; }
  static std::uint32_t ErrorNumber(const Console& console) { return console.errorNumber_; }
  static void RecordError(Console& console, std::uint32_t number) { console.RecordError(number); }
  static auto PeekKey(Console& console) { return console.PeekKey(); }
  static void CursorBack(Console& console) { console.CursorBack(); }
  static void SuspendCursor(Console& console) { console.SuspendCursor(); }
  static void ForceCursor(Console& console) { console.ForceCursor(); }
  static void RestoreCursor(Console& console) { console.RestoreCursor(); }
};

}  // namespace console

#include "tests/e2e/helmholtz_support.h"

#include <algorithm>
#include <cstdlib>

namespace termtest {

std::string HelmholtzBinary() {
  const char* path = std::getenv("HELMHOLTZ_BINARY");
  return path != nullptr ? path : "";
}

bool MenuShown(const TerminalModel& model) {
  for (const MenuLine& line : kMenuLines) {
    if (line.row > model.rows()) continue;  // a short terminal shows what fits
    const int row = line.row - 1;
    const int column = line.column - 1;
    const int visible = std::clamp(model.columns() - column, 0, static_cast<int>(line.text.size()));
    if (model.TextAt(row, column, visible) != line.text.substr(0, static_cast<std::size_t>(visible))) return false;
    for (int i = 0; i < visible; ++i) {
      const ModelCell& cell = model.Cell(row, column + i);
      if (cell.foreground != AnsiOfConsoleColor(line.color) || cell.background != AnsiOfConsoleColor(0)) return false;
    }
  }
  return true;
}

bool AtChoicePrompt(const TerminalModel& model, std::string_view typed) {
  const int row = kChoiceRow - 1;
  const int column = kChoiceColumn - 1;
  const int length = static_cast<int>(typed.size());
  return MenuShown(model) && model.TextAt(row, column, length + 1) == std::string(typed) + " " && model.cursorVisible &&
         model.cursorRow == row && model.cursorColumn == column + length;
}

bool SameModes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

::testing::AssertionResult RestoredAsBefore(PtySession& session) {
  if (!SameModes(session.Modes(), session.ModesAtStart())) {
    return ::testing::AssertionFailure() << "termios differs from before the start";
  }
  const TerminalModel& model = session.screen();
  if (!model.errors.empty()) return ::testing::AssertionFailure() << "terminal saw: " << model.errors.front();
  if (!model.autowrap) return ::testing::AssertionFailure() << "autowrap left off";
  if (!model.cursorVisible) return ::testing::AssertionFailure() << "cursor left hidden";
  if (model.bracketedPaste) return ::testing::AssertionFailure() << "bracketed paste left on";
  if (model.foreground != kDefaultColor || model.background != kDefaultColor || model.bold) {
    return ::testing::AssertionFailure() << "colours not reset";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace termtest

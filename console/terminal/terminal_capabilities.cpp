// The one file that sees <term.h>: it defines macros named like ordinary
// words (lines, columns, bell...) that must not reach any other code.
#include "console/terminal/terminal_capabilities.h"

#include <curses.h>
#include <term.h>

namespace console {
namespace {

// tigetstr answers null for "absent" and (char*)-1 for "no such string capability".
bool HasString(const char* name) {
  const char* value = tigetstr(const_cast<char*>(name));
  return value != nullptr && value != reinterpret_cast<char*>(-1);
}

// tigetflag answers -1 for an unknown name (an extended flag this entry lacks).
bool HasFlag(const char* name) { return tigetflag(const_cast<char*>(name)) > 0; }

constexpr int kFewestColors = 8;

}  // namespace

TerminalCapabilities LoadTerminalCapabilities(const char* term, const char* noColor, int fd) {
  TerminalCapabilities capabilities;
  const bool colorRefused = noColor != nullptr && noColor[0] != '\0';
  if (term == nullptr || term[0] == '\0') {
    capabilities.colors = !colorRefused;
    return capabilities;
  }
  int status = 0;
  if (setupterm(const_cast<char*>(term), fd, &status) != OK) {
    // No entry, or no database at all: behave as for an xterm.
    capabilities.colors = !colorRefused;
    return capabilities;
  }
  capabilities.cursorAddressing = HasString("cup");
  capabilities.colors = !colorRefused && tigetnum(const_cast<char*>("colors")) >= kFewestColors;
  capabilities.backgroundColorErase = HasFlag("bce");
  capabilities.cursorVisibility = HasString("civis") && HasString("cnorm");
  capabilities.columnAddress = HasString("hpa");
  capabilities.scrollRegion = HasString("csr");
  capabilities.autowrapControl = HasString("rmam") && HasString("smam");
  capabilities.bottomRightCellSafe = capabilities.autowrapControl || !HasFlag("am") || HasFlag("xenl");
  capabilities.bracketedPaste = HasString("BE") && HasString("BD");
  capabilities.windowResize = HasFlag("XT");
  // Everything needed is copied out; the entry itself is not kept.
  del_curterm(cur_term);
  return capabilities;
}

}  // namespace console

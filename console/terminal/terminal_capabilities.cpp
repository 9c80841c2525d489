// The one file that sees <term.h>: it defines macros named like ordinary
// words (lines, columns, bell...) that must not reach any other code.
#include "console/terminal/terminal_capabilities.h"

#include <curses.h>
#include <sys/stat.h>
#include <term.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numtext/printable_text.h"

namespace console {
namespace {

// tigetstr answers null for "absent" and (char*)-1 for "no such string capability".
const char* StringCapability(const char* name) {
  const char* value = tigetstr(const_cast<char*>(name));
  return value == reinterpret_cast<char*>(-1) ? nullptr : value;
}
bool HasString(const char* name) { return StringCapability(name) != nullptr; }

// tigetflag answers -1 for an unknown name (an extended flag this entry lacks).
bool HasFlag(const char* name) { return tigetflag(const_cast<char*>(name)) > 0; }

constexpr int kFewestColors = 8;

// The folder ncurses reads when TERMINFO_DIRS names an empty one.
constexpr const char* kSystemTerminfo = "/usr/share/terminfo";

// The terminfo folders in the order ncurses searches them.
std::vector<std::string> TerminfoFolders() {
  std::vector<std::string> folders;
  if (const char* terminfo = std::getenv("TERMINFO"); terminfo != nullptr && terminfo[0] != '\0') {
    folders.emplace_back(terminfo);
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    folders.push_back(std::string(home) + "/.terminfo");
  }
  if (const char* list = std::getenv("TERMINFO_DIRS"); list != nullptr) {
    std::string_view rest(list);
    for (;;) {
      const std::size_t colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      folders.emplace_back(folder.empty() ? std::string_view(kSystemTerminfo) : folder);
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const char* folder : {"/etc/terminfo", "/lib/terminfo", kSystemTerminfo}) folders.emplace_back(folder);
  return folders;
}

// The file ncurses would read for `name`: the first readable one, in each
// folder under the name's first letter and under its hexadecimal code (the
// layout of file systems that ignore case). None for a name ncurses itself
// refuses (a path) or finds nowhere.
std::optional<std::string> EntryFile(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) return std::nullopt;
  constexpr char kHexDigits[] = "0123456789abcdef";
  const auto first = static_cast<unsigned char>(name.front());
  const std::string letter(1, name.front());
  const std::string hex{kHexDigits[first >> 4], kHexDigits[first & 0xF]};
  for (const std::string& folder : TerminfoFolders()) {
    for (const std::string& subfolder : {letter, hex}) {
      std::string path = folder + "/" + subfolder + "/" + std::string(name);
      if (access(path.c_str(), R_OK) == 0) return path;
    }
  }
  return std::nullopt;
}

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// True when the string capability `name`, given `parameters`, is the control
// sequence the program itself writes: CSI (7-bit or 8-bit), the expected
// numbers separated by ';', and `final`. Padding ($<...>) is left out.
bool WritesControlSequence(const char* name, std::vector<int> parameters, char final) {
  const char* value = StringCapability(name);
  if (value == nullptr) return false;
  const char* expanded =
      parameters.size() == 2 ? tiparm(value, parameters[0], parameters[1]) : tiparm(value, parameters[0]);
  if (expanded == nullptr) return false;
  std::string sequence;
  for (std::string_view rest(expanded); !rest.empty();) {
    if (rest.starts_with("$<") && rest.find('>') != std::string_view::npos) {
      rest.remove_prefix(rest.find('>') + 1);
      continue;
    }
    sequence += rest.front();
    rest.remove_prefix(1);
  }
  std::string_view body(sequence);
  if (body.starts_with("\x1b[")) {
    body.remove_prefix(2);
  } else if (body.starts_with("\x9b")) {
    body.remove_prefix(1);
  } else {
    return false;
  }
  if (body.empty() || body.back() != final) return false;
  body.remove_suffix(1);
  // The terminal counts from 1 where terminfo counts from 0.
  for (std::size_t index = 0; index < parameters.size(); ++index) {
    const std::size_t end = std::min(body.find(';'), body.size());
    const std::string_view digits = body.substr(0, end);
    int number = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size()) return false;
    if (number != parameters[index] + 1) return false;
    body.remove_prefix(end);
    if (index + 1 < parameters.size()) {
      if (!body.starts_with(';')) return false;
      body.remove_prefix(1);
    }
  }
  return body.empty();
}

TerminalCapabilities Refused(std::string refusal) {
  TerminalCapabilities capabilities;
  capabilities.cursorAddressing = false;
  capabilities.refusal = std::move(refusal);
  return capabilities;
}

}  // namespace

TerminalCapabilities LoadTerminalCapabilities(const char* term, const char* noColor, int fd) {
  TerminalCapabilities capabilities;
  const bool colorRefused = noColor != nullptr && noColor[0] != '\0';
  // No entry, or no database at all: behave as for an xterm.
  capabilities.colors = !colorRefused;
  if (term == nullptr || term[0] == '\0') return capabilities;
  const std::optional<std::string> entry = EntryFile(term);
  if (!entry) return capabilities;
  const std::string shownTerm = "the terminal TERM=" + numtext::Printable(term);
  if (!IsRegularFile(*entry)) {
    return Refused(shownTerm + " has a terminfo entry that is not a regular file (" + numtext::Printable(*entry) + ")");
  }
  int status = 0;
  if (setupterm(const_cast<char*>(term), fd, &status) != OK) return capabilities;
  // Row 5, column 10 as the program writes it: CSI 5;10 H.
  capabilities.cursorAddressing = WritesControlSequence("cup", {4, 9}, 'H');
  capabilities.colors = !colorRefused && tigetnum(const_cast<char*>("colors")) >= kFewestColors;
  capabilities.backgroundColorErase = HasFlag("bce");
  capabilities.cursorVisibility = HasString("civis") && HasString("cnorm");
  capabilities.columnAddress = WritesControlSequence("hpa", {9}, 'G');
  capabilities.scrollRegion = HasString("csr");
  capabilities.autowrapControl = HasString("rmam") && HasString("smam");
  capabilities.bottomRightCellSafe = capabilities.autowrapControl || !HasFlag("am") || HasFlag("xenl");
  capabilities.bracketedPaste = HasString("BE") && HasString("BD");
  capabilities.windowResize = HasFlag("XT");
  // Everything needed is copied out; the entry itself is not kept.
  del_curterm(cur_term);
  if (!capabilities.cursorAddressing) {
    capabilities.refusal = shownTerm + " cannot place the cursor; run it in a full-screen terminal";
  }
  return capabilities;
}

}  // namespace console

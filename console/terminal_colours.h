// Whether the terminal on a descriptor takes colour, by the rule the screens
// follow: its terminfo entry has 8 colours or more (or there is no entry) and
// NO_COLOR is unset or empty. A descriptor that is no terminal, or a terminal
// whose type TERM does not say, gets none: what is drawn there is plain text
// that needs no colour. Never on Windows, whose console charts stay plain.
//   TERM=xterm-256color -> true;  TERM=vt100 or dumb -> false;  NO_COLOR=1 -> false;  NO_COLOR= -> true
#pragma once

namespace console {

bool TerminalHasColours(int fd);

}  // namespace console

// What the terminal in use can do, as the terminfo database describes it.
// The program speaks the ECMA-48 sequences that every terminal with cursor
// addressing understands; these flags say which of the rest it may use.
// A terminal without a terminfo entry gets the defaults below, which describe
// an xterm-compatible terminal.
#pragma once

#include <string>

namespace console {

struct TerminalCapabilities {
  // cup, in the ANSI form the program writes (CSI row;column H): without it
  // there is no full screen to draw (TERM=dumb, vt52).
  bool cursorAddressing = true;
  // colors >= 8 and NO_COLOR not set; otherwise the terminal's own colours
  // for everything, with the same text and layout.
  bool colors = true;
  // bce: erased cells take the current background. Without it a screen
  // cleared in colour is made of written blanks.
  bool backgroundColorErase = true;
  // civis and cnorm: the cursor can be hidden and shown again.
  bool cursorVisibility = true;
  // hpa, in the form the program writes: a column can be addressed on its
  // own ("CSI n G"; cons25's "CSI n `" does not count).
  bool columnAddress = true;
  // csr: scroll margins exist, so they are reset before drawing.
  bool scrollRegion = true;
  // rmam and smam: autowrap can be switched off while the program runs.
  bool autowrapControl = true;
  // Writing the bottom-right cell leaves the screen where it is: autowrap
  // is off, absent (no am), or waits for the next character (xenl).
  bool bottomRightCellSafe = true;
  // BE and BD: bracketed paste can be switched on and off.
  bool bracketedPaste = true;
  // XT: xterm's control sequences, among them "resize the window".
  bool windowResize = true;
  // Why the terminal cannot be used, as one line with TERM escaped (see
  // numtext/printable_text.h); empty when it can. Set whenever
  // cursorAddressing is false.
  std::string refusal;
};

// The capabilities of the terminal type `term` (TERM) on descriptor `fd`;
// `noColor` is the value of NO_COLOR (null when unset): set and not empty, it
// takes the colours away. A null or empty `term`, or one with no entry,
// gives the xterm-compatible defaults. The entry is looked for where ncurses
// looks ($TERMINFO, ~/.terminfo, $TERMINFO_DIRS, /etc/terminfo, /lib/terminfo,
// /usr/share/terminfo) before ncurses reads it: one that is not a regular
// file (a FIFO would block the read forever) refuses the terminal.
TerminalCapabilities LoadTerminalCapabilities(const char* term, const char* noColor, int fd);

}  // namespace console

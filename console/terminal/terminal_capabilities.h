// What the terminal in use can do, as the terminfo database describes it.
// The program speaks the ECMA-48 sequences that every terminal with cursor
// addressing understands; these flags say which of the rest it may use.
// A terminal without a terminfo entry gets the defaults below, which describe
// an xterm-compatible terminal.
#pragma once

namespace console {

struct TerminalCapabilities {
  // cup: without it there is no full screen to draw (TERM=dumb).
  bool cursorAddressing = true;
  // colors >= 8 and NO_COLOR not set; otherwise the terminal's own colours
  // for everything, with the same text and layout.
  bool colors = true;
  // bce: erased cells take the current background. Without it a screen
  // cleared in colour is made of written blanks.
  bool backgroundColorErase = true;
  // civis and cnorm: the cursor can be hidden and shown again.
  bool cursorVisibility = true;
  // hpa: a column can be addressed on its own ("CSI n G").
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
};

// The capabilities of the terminal type `term` (TERM) on descriptor `fd`;
// `noColor` is the value of NO_COLOR (null when unset): set and not empty, it
// takes the colours away. A null or empty `term`, or one with no entry,
// gives the xterm-compatible defaults.
TerminalCapabilities LoadTerminalCapabilities(const char* term, const char* noColor, int fd);

}  // namespace console

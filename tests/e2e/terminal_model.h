// A small model of a VT-style terminal (xterm semantics) for replaying what
// the program writes: the cell grid with colours, the cursor, and the modes
// the program may switch. It understands only the sequences this program
// should ever send; anything else, and every control code that is not a
// plain move, is recorded in `errors`, so a test can demand there are none.
//
//   TerminalModel model(80, 24);
//   model.Feed("\x1b[2;10H\x1b[91mHi");
//   model.RowText(1) -> "         Hi" + blanks;  model.Cell(1, 9).foreground == 9 (ANSI bright red)
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace termtest {

// Colours are ANSI palette indices (0-7 normal, 8-15 bright, red = 1, blue = 4),
// or kDefaultColor for the terminal's own colours.
inline constexpr int kDefaultColor = -1;

struct ModelCell {
  std::string glyph = " ";  // UTF-8 of one code point
  int foreground = kDefaultColor;
  int background = kDefaultColor;
  friend bool operator==(const ModelCell&, const ModelCell&) = default;
};

struct ResizeRequest {
  int rows = 0;
  int columns = 0;
};

class TerminalModel {
 public:
  TerminalModel(int columns, int rows);

  void Feed(std::string_view bytes);
  // Like a resized terminal window: the top-left content stays, the rest is
  // blank, the cursor is kept inside.
  void Resize(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  const ModelCell& Cell(int row, int column) const;  // 0-based
  // The glyphs of one row, all columns.
  std::string RowText(int row) const;
  // The glyphs of `length` cells from (row, column), 0-based.
  std::string TextAt(int row, int column, int length) const;
  // All rows with trailing blanks removed, each ending in '\n'; trailing empty rows dropped.
  std::string Text() const;

  int cursorRow = 0;
  int cursorColumn = 0;
  bool cursorVisible = true;
  bool autowrap = true;
  bool bracketedPaste = false;
  // Erased and scrolled-in cells take the pen's background (xterm, tmux), or
  // the terminal's own (GNU screen and others without "bce").
  bool backgroundColorErase = true;
  // The pen: colours and whether any attribute beyond colour (bold...) is set.
  int foreground = kDefaultColor;
  int background = kDefaultColor;
  bool bold = false;
  int scrolls = 0;        // lines scrolled off the top
  int sgrColorCodes = 0;  // colour parameters seen in SGR sequences
  std::vector<ResizeRequest> resizeRequests;
  std::vector<std::string> errors;

 private:
  enum class State { kGround, kEscape, kCsi };
  void Ground(unsigned char byte);
  void Print(const std::string& glyph);
  void LineFeed();
  void ScrollUp();
  void Dispatch(char final);
  void Sgr(const std::vector<int>& params);
  // Erase in display (J) or, with `lineOnly`, in the cursor's line (K).
  void Erase(int mode, bool lineOnly);
  std::vector<int> Params() const;
  void Error(std::string what);
  ModelCell BlankCell() const;

  int columns_;
  int rows_;
  std::vector<ModelCell> cells_;
  bool pendingWrap_ = false;
  State state_ = State::kGround;
  std::string csi_;
  std::string utf8_;
  int utf8Needed_ = 0;
};

// The console colour (blue 1, green 2, red 4, bright 8) of an ANSI index, and back.
int ConsoleColorOfAnsi(int ansi);
int AnsiOfConsoleColor(int console);

}  // namespace termtest

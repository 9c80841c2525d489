// The diff painter: compares the target grid with what the terminal shows and
// writes the fewest bytes it cheaply can (relative cursor moves, colours only
// when they change, short unchanged gaps rewritten instead of jumped).
#include "console/terminal/renderer.h"

#include <algorithm>
#include <array>
#include <string>

#include "console/cp437.h"

namespace console {
namespace {

constexpr std::string_view kCsi = "\x1b[";
// The colour a cleared screen shows: light grey on black, the console's
// start-up colours.
constexpr std::uint8_t kClearAttribute = 0x07;
// Rewriting up to this many unchanged cells costs at most as much as the
// shortest cursor move over them ("\x1b[3C" is 4 bytes), so short gaps inside
// a changed stretch are written through.
constexpr int kMaxGapRewrite = 3;
// Longest vertical step made with line feeds (1 byte each) rather than CUD.
constexpr int kMaxLineFeeds = 2;
constexpr std::string_view kReplacementGlyph = "?";

// Console colours carry blue in bit 0 and red in bit 2; ANSI the other way round.
int AnsiColor(int consoleColor) { return ((consoleColor & 1) << 2) | (consoleColor & 2) | ((consoleColor & 4) >> 2); }
int ForegroundCode(std::uint8_t attribute) {
  const int color = attribute & 0x0F;
  return ((color & 8) != 0 ? 90 : 30) + AnsiColor(color & 7);
}
int BackgroundCode(std::uint8_t attribute) {
  const int color = attribute >> 4;
  return ((color & 8) != 0 ? 100 : 40) + AnsiColor(color & 7);
}

// Decodes one UTF-8 glyph and accepts it only if every code point is
// printable: no C0 control, no DEL, no C1 control (which a UTF-8 terminal
// would obey as U+0080-U+009F). Whatever the glyph table holds, no data byte
// can thus reach the terminal as a control.
bool IsPrintableUtf8(std::string_view text) {
  if (text.empty()) return false;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char32_t codePoint = 0;
    int length = 0;
    if (lead < 0x80) {
      codePoint = lead;
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      codePoint = lead & 0x1F;
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      codePoint = lead & 0x0F;
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      codePoint = lead & 0x07;
      length = 4;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF) return false;
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F)) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

const std::array<std::string, 256>& GlyphTable() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> glyphs;
    for (int byte = 0; byte < 256; ++byte) {
      const std::string_view glyph = Cp437Glyph(static_cast<std::uint8_t>(byte));
      glyphs[static_cast<std::size_t>(byte)] = std::string(IsPrintableUtf8(glyph) ? glyph : kReplacementGlyph);
    }
    return glyphs;
  }();
  return table;
}

bool IsBlank(std::uint8_t character) { return TerminalGlyph(character) == " "; }

void AppendNumber(std::string& out, int value) { out += std::to_string(value); }

std::string CursorPositionBytes(CellPosition to) {
  std::string bytes(kCsi);
  if (to.row != 0 || to.column != 0) AppendNumber(bytes, to.row + 1);
  if (to.column != 0) {
    bytes += ';';
    AppendNumber(bytes, to.column + 1);
  }
  bytes += 'H';
  return bytes;
}

std::string CsiCount(int count, char final) {
  std::string bytes(kCsi);
  if (count != 1) AppendNumber(bytes, count);
  bytes += final;
  return bytes;
}

// The cheapest way from `from` to `to` by relative moves, or by CUP.
// Line feed and carriage return are plain moves here: output processing is
// off in raw mode, and `to` is never below the bottom row, so a line feed
// never scrolls.
// `columnAddress`: CHA may be used.
std::string MoveBytes(CellPosition from, CellPosition to, bool columnAddress) {
  std::string vertical;
  const int rowStep = to.row - from.row;
  if (rowStep > 0 && rowStep <= kMaxLineFeeds) {
    vertical.assign(static_cast<std::size_t>(rowStep), '\n');
  } else if (rowStep > 0) {
    vertical = CsiCount(rowStep, 'B');
  } else if (rowStep < 0) {
    vertical = CsiCount(-rowStep, 'A');
  }
  std::string horizontal;
  const int columnStep = to.column - from.column;
  if (columnStep != 0) {
    if (to.column == 0) {
      horizontal = "\r";
    } else if (columnStep == -1) {
      horizontal = "\b";
    } else if (columnStep < 0) {
      horizontal = CsiCount(-columnStep, 'D');
    } else {
      horizontal = CsiCount(columnStep, 'C');
    }
    if (to.column > 0) {
      // From the left edge a forward move may be cheaper than CHA.
      std::string fromEdge = "\r" + CsiCount(to.column, 'C');
      if (fromEdge.size() < horizontal.size()) horizontal = std::move(fromEdge);
    }
    std::string absolute = CsiCount(to.column + 1, 'G');
    if (columnAddress && absolute.size() < horizontal.size()) horizontal = std::move(absolute);
  }
  std::string relative = vertical + horizontal;
  std::string absolute = CursorPositionBytes(to);
  return relative.size() <= absolute.size() ? relative : absolute;
}

class Painter {
 public:
  Painter(const ScreenFrame& target, PaintedScreen& painted, std::string& out, const TerminalCapabilities& terminal)
      : target_(target), painted_(painted), out_(out), terminal_(terminal) {}

  void Run() {
    const bool cursorInside = target_.cursor.row >= 0 && target_.cursor.row < target_.rows &&
                              target_.cursor.column >= 0 && target_.cursor.column < target_.columns;
    const bool showCursor = target_.cursorVisible && cursorInside;
    // Hidden while the paint draws, when it ends hidden anyway.
    if (!showCursor) SetCursorVisibility(false);
    if (target_.columns > 0 && target_.rows > 0) {
      if (!painted_.cellsKnown || painted_.columns != target_.columns || painted_.rows != target_.rows) {
        ClearAll();
      }
      for (int row = 0; row < target_.rows; ++row) PaintRow(row);
    }
    if (cursorInside) MoveTo(target_.cursor);
    if (penDrift_) painted_.penKnown = false;
    if (showCursor) SetCursorVisibility(true);
  }

 private:
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(target_.columns) + static_cast<std::size_t>(column);
  }

  void ClearAll() {
    painted_.attributeKnown = false;
    if (terminal_.colors && terminal_.backgroundColorErase) {
      // The erase below then leaves every cell in the clear colours.
      SetAttribute(kClearAttribute);
    } else {
      // The terminal's own colours for the erase; the cells then hold them,
      // which no attribute describes: without colours that is what every
      // cell shows anyway, with colours every cell is written afresh.
      out_ += kCsi;
      out_ += "0m";
      writeEveryCell_ = terminal_.colors;
    }
    if (terminal_.scrollRegion) {
      // Full-screen margins, in case an earlier program left a scroll region:
      // line feeds and CUD below must move within the whole screen.
      out_ += kCsi;
      out_ += "r";
    }
    out_ += kCsi;
    out_ += "H";
    out_ += kCsi;
    out_ += "2J";
    painted_.columns = target_.columns;
    painted_.rows = target_.rows;
    painted_.cells.assign(Index(target_.rows, 0), CharCell{' ', kClearAttribute});
    painted_.cellsKnown = true;
    painted_.pen = {0, 0};
    painted_.penKnown = true;
    penDrift_ = false;
  }

  bool Changed(int row, int column) const {
    if (!terminal_.bottomRightCellSafe && row == target_.rows - 1 && column == target_.columns - 1) {
      return false;  // writing it would scroll the whole screen
    }
    if (writeEveryCell_) return true;
    const std::size_t i = Index(row, column);
    return !Same(target_.cells[i], painted_.cells[i]);
  }

  bool Same(CharCell a, CharCell b) const {
    if (terminal_.colors) return LooksSame(a, b);
    return a.character == b.character || (IsBlank(a.character) && IsBlank(b.character));
  }

  // Whether an unchanged cell can be rewritten as it stands, with the pen's
  // colours and a one-byte glyph.
  bool Rewritable(int row, int column) const {
    const CharCell cell = painted_.cells[Index(row, column)];
    if (TerminalGlyph(cell.character).size() != 1) return false;
    if (!terminal_.colors) return true;
    if (!painted_.attributeKnown) return false;
    if (cell.attribute == painted_.attribute) return true;
    return IsBlank(cell.character) && (cell.attribute >> 4) == (painted_.attribute >> 4);
  }

  void PaintRow(int row) {
    int column = 0;
    while (column < target_.columns) {
      if (Changed(row, column)) {
        MoveTo({row, column});
        WriteCell(row, column);
        ++column;
        continue;
      }
      int next = column + 1;
      while (next < target_.columns && !Changed(row, next)) ++next;
      if (next == target_.columns) return;
      const bool penHere = painted_.penKnown && !penDrift_ && painted_.pen.row == row && painted_.pen.column == column;
      bool writeThrough = penHere && next - column <= kMaxGapRewrite;
      for (int k = column; writeThrough && k < next; ++k) writeThrough = Rewritable(row, k);
      if (writeThrough) {
        for (int k = column; k < next; ++k) WriteCell(row, k);
      }
      column = next;
    }
  }

  void WriteCell(int row, int column) {
    const std::size_t i = Index(row, column);
    const CharCell cell = target_.cells[i];
    const std::string_view glyph = TerminalGlyph(cell.character);
    const bool blankKeepsPen =
        glyph == " " && painted_.attributeKnown && (painted_.attribute >> 4) == (cell.attribute >> 4);
    if (terminal_.colors && !blankKeepsPen) SetAttribute(cell.attribute);
    out_ += glyph;
    painted_.cells[i] = CharCell{cell.character, terminal_.colors ? painted_.attribute : cell.attribute};
    // A terminal that draws some glyph two cells wide would put the pen
    // elsewhere; the next jump is then made absolute.
    if (glyph.size() > 1) penDrift_ = true;
    ++painted_.pen.column;
    // With autowrap off the pen stays on the last column, but not every
    // terminal agrees on where exactly: place it afresh next time.
    if (painted_.pen.column >= target_.columns) painted_.penKnown = false;
  }

  void MoveTo(CellPosition to) {
    if (painted_.penKnown && !penDrift_ && painted_.pen.row == to.row && painted_.pen.column == to.column) return;
    if (!painted_.penKnown || penDrift_) {
      out_ += CursorPositionBytes(to);
    } else {
      out_ += MoveBytes(painted_.pen, to, terminal_.columnAddress);
    }
    painted_.pen = to;
    painted_.penKnown = true;
    penDrift_ = false;
  }

  void SetAttribute(std::uint8_t attribute) {
    if (painted_.attributeKnown && painted_.attribute == attribute) return;
    out_ += kCsi;
    if (!painted_.attributeKnown) {
      // Also clears bold, underline and the like that an earlier program left.
      out_ += "0;";
      AppendNumber(out_, ForegroundCode(attribute));
      out_ += ';';
      AppendNumber(out_, BackgroundCode(attribute));
    } else {
      const bool foregroundChanges = (attribute & 0x0F) != (painted_.attribute & 0x0F);
      const bool backgroundChanges = (attribute >> 4) != (painted_.attribute >> 4);
      if (foregroundChanges) AppendNumber(out_, ForegroundCode(attribute));
      if (foregroundChanges && backgroundChanges) out_ += ';';
      if (backgroundChanges) AppendNumber(out_, BackgroundCode(attribute));
    }
    out_ += 'm';
    painted_.attribute = attribute;
    painted_.attributeKnown = true;
  }

  void SetCursorVisibility(bool visible) {
    if (!terminal_.cursorVisibility) return;
    if (painted_.cursorVisibilityKnown && painted_.cursorVisible == visible) return;
    out_ += visible ? "\x1b[?25h" : "\x1b[?25l";
    painted_.cursorVisible = visible;
    painted_.cursorVisibilityKnown = true;
  }

  const ScreenFrame& target_;
  PaintedScreen& painted_;
  std::string& out_;
  const TerminalCapabilities& terminal_;
  bool penDrift_ = false;
  // After an erase that left the terminal's own colours: every cell is written.
  bool writeEveryCell_ = false;
};

}  // namespace

std::string_view TerminalGlyph(std::uint8_t byte) { return GlyphTable()[byte]; }

bool LooksSame(CharCell a, CharCell b) {
  if (a.character != b.character && !(IsBlank(a.character) && IsBlank(b.character))) return false;
  if (a.attribute == b.attribute) return true;
  return IsBlank(a.character) && (a.attribute >> 4) == (b.attribute >> 4);
}

void Render(const ScreenFrame& target, PaintedScreen& painted, std::string& out, const TerminalCapabilities& terminal) {
  Painter(target, painted, out, terminal).Run();
}

}  // namespace console

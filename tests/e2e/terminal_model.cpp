#include "tests/e2e/terminal_model.h"

#include <algorithm>
#include <cstdio>

namespace termtest {
namespace {

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

}  // namespace

int ConsoleColorOfAnsi(int ansi) {
  if (ansi < 0) return ansi;
  return (ansi & 8) | ((ansi & 1) << 2) | (ansi & 2) | ((ansi & 4) >> 2);
}
int AnsiOfConsoleColor(int console) { return ConsoleColorOfAnsi(console); }

TerminalModel::TerminalModel(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows)) {}

const ModelCell& TerminalModel::Cell(int row, int column) const {
  return cells_.at(static_cast<std::size_t>(row * columns_ + column));
}

std::string TerminalModel::RowText(int row) const { return TextAt(row, 0, columns_); }

std::string TerminalModel::TextAt(int row, int column, int length) const {
  std::string text;
  for (int c = column; c < column + length && c < columns_; ++c) text += Cell(row, c).glyph;
  return text;
}

std::string TerminalModel::Text() const {
  std::vector<std::string> lines;
  for (int row = 0; row < rows_; ++row) {
    std::string line = RowText(row);
    line.erase(line.find_last_not_of(' ') + 1);
    lines.push_back(line);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

void TerminalModel::Resize(int columns, int rows) {
  std::vector<ModelCell> resized(static_cast<std::size_t>(columns * rows));
  for (int r = 0; r < std::min(rows, rows_); ++r) {
    for (int c = 0; c < std::min(columns, columns_); ++c) {
      resized[static_cast<std::size_t>(r * columns + c)] = Cell(r, c);
    }
  }
  cells_ = std::move(resized);
  columns_ = columns;
  rows_ = rows;
  cursorRow = std::min(cursorRow, rows_ - 1);
  cursorColumn = std::min(cursorColumn, columns_ - 1);
  pendingWrap_ = false;
}

void TerminalModel::Error(std::string what) { errors.push_back(std::move(what)); }

ModelCell TerminalModel::BlankCell() const {
  ModelCell blank;
  if (backgroundColorErase) {
    blank.foreground = foreground;
    blank.background = background;
  }
  return blank;
}

void TerminalModel::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (state_) {
      case State::kGround: Ground(byte); break;
      case State::kEscape:
        if (byte == '[') {
          state_ = State::kCsi;
          csi_.clear();
        } else if (byte == 0x18) {
          state_ = State::kGround;
        } else {
          Error("ESC " + Hex(byte));
          state_ = State::kGround;
        }
        break;
      case State::kCsi:
        if (byte == 0x18) {
          state_ = State::kGround;
        } else if (byte == 0x1B) {
          state_ = State::kEscape;
        } else if (byte >= 0x20 && byte <= 0x3F) {
          csi_ += static_cast<char>(byte);
        } else if (byte >= 0x40 && byte <= 0x7E) {
          state_ = State::kGround;
          Dispatch(static_cast<char>(byte));
        } else {
          Error("control " + Hex(byte) + " inside CSI");
        }
        break;
    }
  }
}

void TerminalModel::Ground(unsigned char byte) {
  if (utf8Needed_ > 0) {
    if ((byte & 0xC0) == 0x80) {
      utf8_ += static_cast<char>(byte);
      if (--utf8Needed_ == 0) {
        // Reject C1 controls and overlong forms of them.
        const auto lead = static_cast<unsigned char>(utf8_[0]);
        const auto second = static_cast<unsigned char>(utf8_[1]);
        if (lead == 0xC2 && second < 0xA0) {
          Error("C1 control as UTF-8 " + Hex(second));
        } else if (lead < 0xC2) {
          Error("overlong UTF-8");
        } else {
          Print(utf8_);
        }
      }
      return;
    }
    Error("cut UTF-8 sequence");
    utf8Needed_ = 0;
  }
  if (byte >= 0x80) {
    utf8_.assign(1, static_cast<char>(byte));
    if ((byte & 0xE0) == 0xC0) {
      utf8Needed_ = 1;
    } else if ((byte & 0xF0) == 0xE0) {
      utf8Needed_ = 2;
    } else if ((byte & 0xF8) == 0xF0) {
      utf8Needed_ = 3;
    } else {
      Error("stray byte " + Hex(byte));
    }
    return;
  }
  switch (byte) {
    case 0x1B: state_ = State::kEscape; return;
    case '\r':
      cursorColumn = 0;
      pendingWrap_ = false;
      return;
    case '\n': LineFeed(); return;
    case '\b':
      cursorColumn = std::max(0, cursorColumn - 1);
      pendingWrap_ = false;
      return;
    case 0x18:  // CAN: nothing to cancel
      return;
    default: break;
  }
  if (byte < 0x20 || byte == 0x7F) {
    Error("control " + Hex(byte));
    return;
  }
  Print(std::string(1, static_cast<char>(byte)));
}

void TerminalModel::Print(const std::string& glyph) {
  if (pendingWrap_) {
    pendingWrap_ = false;
    cursorColumn = 0;
    LineFeed();
  }
  ModelCell& cell = cells_[static_cast<std::size_t>(cursorRow * columns_ + cursorColumn)];
  cell.glyph = glyph;
  cell.foreground = foreground;
  cell.background = background;
  if (cursorColumn == columns_ - 1) {
    pendingWrap_ = autowrap;
  } else {
    ++cursorColumn;
  }
}

void TerminalModel::LineFeed() {
  pendingWrap_ = false;
  if (cursorRow == rows_ - 1) {
    ScrollUp();
  } else {
    ++cursorRow;
  }
}

void TerminalModel::ScrollUp() {
  ++scrolls;
  cells_.erase(cells_.begin(), cells_.begin() + columns_);
  cells_.insert(cells_.end(), static_cast<std::size_t>(columns_), BlankCell());
}

std::vector<int> TerminalModel::Params() const {
  std::vector<int> params;
  std::string digits;
  const std::string body = !csi_.empty() && csi_[0] == '?' ? csi_.substr(1) : csi_;
  for (std::size_t i = 0; i <= body.size(); ++i) {
    if (i == body.size() || body[i] == ';') {
      params.push_back(digits.empty() ? -1 : std::stoi(digits));
      digits.clear();
    } else {
      digits += body[i];
    }
  }
  return params;
}

void TerminalModel::Dispatch(char final) {
  const std::string sequence = "CSI " + csi_ + final;
  if (csi_.find_first_not_of("0123456789;?") != std::string::npos || csi_.find('?', 1) != std::string::npos) {
    Error("unknown " + sequence);
    return;
  }
  const std::vector<int> params = Params();
  auto param = [&](std::size_t i, int otherwise) { return i < params.size() && params[i] > 0 ? params[i] : otherwise; };
  if (!csi_.empty() && csi_[0] == '?') {
    if (final != 'h' && final != 'l') {
      Error("unknown " + sequence);
      return;
    }
    const bool set = final == 'h';
    for (const int mode : params) {
      if (mode == 25) {
        cursorVisible = set;
      } else if (mode == 7) {
        autowrap = set;
        if (!set) pendingWrap_ = false;
      } else if (mode == 2004) {
        bracketedPaste = set;
      } else {
        Error("unknown mode in " + sequence);
      }
    }
    return;
  }
  switch (final) {
    case 'H':
    case 'f':
      cursorRow = std::min(param(0, 1), rows_) - 1;
      cursorColumn = std::min(param(1, 1), columns_) - 1;
      break;
    case 'A': cursorRow = std::max(0, cursorRow - param(0, 1)); break;
    case 'B': cursorRow = std::min(rows_ - 1, cursorRow + param(0, 1)); break;
    case 'C': cursorColumn = std::min(columns_ - 1, cursorColumn + param(0, 1)); break;
    case 'D': cursorColumn = std::max(0, cursorColumn - param(0, 1)); break;
    case 'G': cursorColumn = std::min(param(0, 1), columns_) - 1; break;
    case 'r':
      // Only the reset to full-screen margins is understood (and needed).
      if (!csi_.empty()) {
        Error("scroll region " + sequence);
        return;
      }
      cursorRow = 0;
      cursorColumn = 0;
      break;
    case 'm': Sgr(params); return;  // colours leave a pending wrap alone
    case 'J': Erase(params.empty() || params[0] < 0 ? 0 : params[0], false); return;
    case 'K':
      // Wine's console draws its rows with erase-in-line.
      Erase(params.empty() || params[0] < 0 ? 0 : params[0], true);
      return;
    case 't':
      if (params.size() == 3 && params[0] == 8) {
        resizeRequests.push_back({params[1], params[2]});
      } else {
        Error("unknown window operation " + sequence);
      }
      return;
    default: Error("unknown " + sequence); return;
  }
  pendingWrap_ = false;
}

void TerminalModel::Sgr(const std::vector<int>& params) {
  for (const int raw : params) {
    const int p = raw < 0 ? 0 : raw;
    if ((p >= 30 && p <= 49) || (p >= 90 && p <= 107)) ++sgrColorCodes;
    if (p == 0) {
      foreground = background = kDefaultColor;
      bold = false;
    } else if (p == 1) {
      bold = true;
    } else if (p == 22) {
      bold = false;
    } else if (p >= 30 && p <= 37) {
      foreground = p - 30;
    } else if (p == 39) {
      foreground = kDefaultColor;
    } else if (p >= 40 && p <= 47) {
      background = p - 40;
    } else if (p == 49) {
      background = kDefaultColor;
    } else if (p >= 90 && p <= 97) {
      foreground = p - 90 + 8;
    } else if (p >= 100 && p <= 107) {
      background = p - 100 + 8;
    } else {
      Error("unknown SGR " + std::to_string(p));
    }
  }
}

void TerminalModel::Erase(int mode, bool lineOnly) {
  const int cursor = cursorRow * columns_ + cursorColumn;
  int first = lineOnly ? cursorRow * columns_ : 0;
  int end = lineOnly ? first + columns_ : columns_ * rows_;
  if (mode == 0) {
    first = cursor;
  } else if (mode == 1) {
    end = cursor + 1;
  } else if (mode != 2) {
    Error("unknown erase " + std::to_string(mode));
    return;
  }
  for (int i = first; i < end; ++i) cells_[static_cast<std::size_t>(i)] = BlankCell();
}

}  // namespace termtest

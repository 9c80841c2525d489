#include "app/batch/csv_reader.h"

#include <string_view>
#include <utility>

namespace app {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kOverlong = "the record is longer than 1 MiB";

}  // namespace

CsvReader::CsvReader(ReadFunction read) : read_(std::move(read)), block_(kBlockBytes) {}

bool CsvReader::IsSeparator(int c) {
  if (delimiter_ == 0 && (c == ',' || c == ';' || c == '\t')) delimiter_ = static_cast<char>(c);
  return c == Delimiter();
}

int CsvReader::Peek() {
  if (position_ == filled_) {
    if (ended_) return kEnd;
    filled_ = read_(block_.data(), block_.size());
    position_ = 0;
    if (filled_ == 0) {
      ended_ = true;
      return kEnd;
    }
  }
  return static_cast<unsigned char>(block_[position_]);
}

int CsvReader::Get() {
  const int c = Peek();
  if (c != kEnd) ++position_;
  if (c == '\n') ++line_;
  return c;
}

// A line end inside a quoted cell belongs to the cell, so the next record
// starts where reading the whole record would have stopped: an overlong
// quoted cell of many lines is one refused record, not a record per line.
// A quote opens a cell only at the cell's start, as when reading.
void CsvReader::SkipRestOfRecord(bool quoted) {
  bool cellStart = false;
  for (int c = Get(); c != kEnd; c = Get()) {
    if (quoted) {
      if (c == '"' && Peek() == '"') {
        Get();  // "" is a quote
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '\n') return;
    quoted = c == '"' && cellStart;
    cellStart = IsSeparator(c);
  }
}

void CsvReader::SkipByteOrderMark() {
  if (!atStart_) return;
  atStart_ = false;
  for (const char mark : kByteOrderMark) {
    if (Peek() != static_cast<unsigned char>(mark)) break;
    Get();
  }
}

// The rest of a quoted cell after its opening quote ("" is a quote), then
// the character after the closing one.
//   ab""c",  -> cell ab"c, returns ','
int CsvReader::ReadQuotedCell(std::string& cell, std::size_t& bytes, std::string& error) {
  for (;;) {
    const int c = Get();
    if (c == kEnd) {
      error = "a quoted cell is not closed";
      return kEnd;
    }
    if (c == '"') {
      if (Peek() != '"') break;
      Get();
    }
    if (++bytes > kMaxRecordBytes) {
      error = kOverlong;
      SkipRestOfRecord(true);
      return kEnd;
    }
    cell.push_back(static_cast<char>(c));
  }
  int c = Get();
  if (c == '\r' && Peek() == '\n') c = Get();
  if (!IsSeparator(c) && c != '\n' && c != kEnd) {
    error = "text after a closing quote";
    SkipRestOfRecord(false);
  }
  return c;
}

// An unquoted cell from its first character `c` to the separator, line end
// (CRLF counts as one) or end that closes it, which it returns.
//   c = '4', rest "0,..." -> cell 40, returns ','
int CsvReader::ReadUnquotedCell(int c, std::string& cell, std::size_t& bytes, std::string& error) {
  while (!IsSeparator(c) && c != '\n' && c != kEnd) {
    if (c == '\r' && Peek() == '\n') return Get();
    if (c == '"') {
      error = "a quote inside an unquoted cell";
      SkipRestOfRecord(false);
      return c;
    }
    if (++bytes > kMaxRecordBytes) {
      error = kOverlong;
      SkipRestOfRecord(false);
      return c;
    }
    cell.push_back(static_cast<char>(c));
    c = Get();
  }
  return c;
}

bool CsvReader::Next(CsvRecord& record) {
  SkipByteOrderMark();
  for (;;) {
    // The record's strings are reused from one record to the next, so that
    // a long file allocates nothing per record once its cells have been seen.
    std::size_t used = 0;
    const auto newCell = [&] {
      if (used == record.cells.size()) record.cells.emplace_back();
      record.cells[used++].clear();
    };
    record.error.clear();
    record.line = line_;
    if (Peek() == kEnd) {
      record.cells.clear();
      return false;
    }
    newCell();
    std::size_t bytes = 0;
    bool quotedAny = false;
    for (;;) {
      int c = Get();
      std::string& cell = record.cells[used - 1];
      if (c == '"') {
        quotedAny = true;
        c = ReadQuotedCell(cell, bytes, record.error);
      } else {
        c = ReadUnquotedCell(c, cell, bytes, record.error);
      }
      if (!record.error.empty()) {
        // A malformed record's cells would be guesses.
        record.cells.clear();
        FixDelimiter();
        return true;
      }
      if (!IsSeparator(c)) break;  // a line end or the end of the input
      newCell();
    }
    record.cells.resize(used);
    const bool blankLine = record.cells.size() == 1 && record.cells.front().empty() && !quotedAny;
    if (!blankLine) {
      FixDelimiter();
      return true;
    }
  }
}

}  // namespace app

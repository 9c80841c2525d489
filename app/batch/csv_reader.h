// Comma-separated records (RFC 4180) read one at a time from a stream of
// bytes: quoted cells with "" for a quote and line ends inside, CRLF or LF
// line ends, a UTF-8 byte-order mark at the start and blank lines are all
// accepted. Only one record and one block of input are held at a time, so
// a file of any length reads in the same memory.
//
// The separator is the first ',', ';' or TAB outside quotes in the first
// record, as spreadsheets write it for their locale; ',' when the first
// record has none:
//   "volume_cc;diameter_cm\n1000;2\n" -> {volume_cc, diameter_cm}, {1000, 2}
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace app {

struct CsvRecord {
  std::vector<std::string> cells;
  std::size_t line = 0;  // 1-based line where the record starts
  // Why the record is not well formed (a quote left open, text after a
  // closing quote, an overlong record); empty when it is.
  std::string error;
};

class CsvReader {
 public:
  // Fills `buffer` with up to `capacity` bytes; 0 at the end of the input.
  using ReadFunction = std::function<std::size_t(char* buffer, std::size_t capacity)>;

  explicit CsvReader(ReadFunction read);

  // The next record (blank lines skipped); false at the end of the input.
  bool Next(CsvRecord& record);

  // The separator: known once the first record is read.
  char Delimiter() const { return delimiter_ ? delimiter_ : ','; }

  // A record holding more bytes than this is refused, and its rest read
  // past without being kept, so that a file without line ends cannot take
  // all memory.
  static constexpr std::size_t kMaxRecordBytes = 1 << 20;

 private:
  static constexpr int kEnd = -1;
  int Get();
  int Peek();
  // Reads on past the end of the current record, keeping nothing (after a
  // malformed one); `quoted` when it stopped inside a quoted cell.
  void SkipRestOfRecord(bool quoted);
  void SkipByteOrderMark();
  int ReadQuotedCell(std::string& cell, std::size_t& bytes, std::string& error);
  int ReadUnquotedCell(int c, std::string& cell, std::size_t& bytes, std::string& error);
  // Whether `c` separates cells; the first of ',', ';' and TAB met decides.
  bool IsSeparator(int c);
  // After the first record: a file whose header has one column is read with ','.
  void FixDelimiter() { delimiter_ = Delimiter(); }

  ReadFunction read_;
  std::vector<char> block_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool atStart_ = true;
  bool ended_ = false;
  std::size_t line_ = 1;
  char delimiter_ = 0;  // 0 until the first separator decides it
};

}  // namespace app
